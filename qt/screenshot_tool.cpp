// Saves a picture of the program's window as it stands after start-up, for the README and for
// review: torvane_screenshot FILE.png. Runs on any platform plugin, offscreen included.

#include <QApplication>
#include <QPixmap>
#include <cstdio>

#include "qt/main_window.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: torvane_screenshot FILE.png\n");
    return 2;
  }
  torvane::qt::MainWindow window;
  window.Load();
  window.show();
  QApplication::processEvents();
  if (!window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "torvane_screenshot: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
