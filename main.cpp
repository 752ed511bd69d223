#include <QApplication>

#include "ui/main_window.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  torvane::ui::MainWindow window;
  window.Load();
  window.show();
  return application.exec();
}
