#include "ui/translations.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace torvane::ui {

bool UseChineseForQt(QCoreApplication& application) {
  QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
  auto* translator = new QTranslator(&application);
  if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace torvane::ui
