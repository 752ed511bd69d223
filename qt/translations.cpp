#include "qt/translations.h"

#include <QLibraryInfo>
#include <QTranslator>
#include <utility>

namespace torvane::qt {
namespace {

// What Qt 6.4's Chinese translations lack: the type column of the folder dialog.
class FileTypeTranslator : public QTranslator {
 public:
  using QTranslator::QTranslator;

  bool isEmpty() const override { return false; }

  QString translate(const char* context, const char* source, const char*, int) const override {
    static const std::pair<const char*, const char*> kTexts[] = {
        {"Drive", "驱动器"}, {"Folder", "文件夹"}, {"Shortcut", "快捷方式"}, {"Unknown", "未知"}};
    if (qstrcmp(context, "QAbstractFileIconProvider") != 0) return {};
    for (const auto& [english, chinese] : kTexts) {
      if (qstrcmp(source, english) == 0) return QString::fromUtf8(chinese);
    }
    return {};
  }
};

}  // namespace

bool UseChineseForQt(QCoreApplication& application) {
  auto* qt = new QTranslator(&application);
  if (!qt->load(QStringLiteral("qtbase_zh_CN"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete qt;
    return false;
  }
  return QCoreApplication::installTranslator(qt) &&
         QCoreApplication::installTranslator(new FileTypeTranslator(&application));
}

}  // namespace torvane::qt
