#include <QApplication>

#include "qt/main_window.h"
#include "qt/translations.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (!torvane::qt::UseChineseForQt(application)) {
    qWarning("torvane: Qt's Chinese translations are not installed; its dialogs stay English");
  }
  torvane::qt::MainWindow window;
  window.Load();
  window.show();
  return application.exec();
}
