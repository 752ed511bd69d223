#include <QApplication>

#include "ui/main_window.h"
#include "ui/translations.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (!torvane::ui::UseChineseForQt(application)) {
    qWarning("torvane: Qt's Chinese translations are not installed; its dialogs stay English");
  }
  torvane::ui::MainWindow window;
  window.Load();
  window.show();
  return application.exec();
}
