// Times the result window on a folder of data files:
//   torvane_chart_timing FOLDER FROM TO [HEADING]
// Prints, in seconds: the run, the scene's building, the window's opening up to its first
// paint, and drawing every panel once (as "复制图片" does). Needs a display (xvfb-run).

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cstdio>
#include <thread>

#include "picture/chart.h"
#include "qt/result_window.h"
#include "qt/scene_painter.h"

namespace {

// Notes that its object was painted.
class PaintSeen : public QObject {
 public:
  bool seen = false;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) seen = true;
    return false;
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc < 4) {
    std::fprintf(stderr, "usage: torvane_chart_timing FOLDER FROM TO [HEADING]\n");
    return 64;
  }
  using namespace torvane;
  BatchRequest request;
  request.folder_path = argv[1];
  const QStringList names = QDir(QString::fromLocal8Bit(argv[1]))
                                .entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
  for (const QString& name : names) request.names.push_back(name.toStdString());
  request.start_text = argv[2];
  request.end_text = argv[3];
  request.heading_text = argc > 4 ? argv[4] : "0";

  QElapsedTimer clock;
  clock.start();
  std::vector<FileOutcome> outcomes = CollectResults(request, {});
  double run = clock.nsecsElapsed() / 1e9;
  clock.restart();
  picture::ChartOptions options;
  options.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  picture::Scene scene = picture::BuildScene(request, outcomes, options);
  double build = clock.nsecsElapsed() / 1e9;

  clock.restart();
  qt::ResultWindow window({std::move(scene), QDir::current().filePath("out.txt").toStdString()});
  PaintSeen painted;
  window.view().viewport()->installEventFilter(&painted);
  window.show();
  while (!painted.seen) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  double open = clock.nsecsElapsed() / 1e9;

  clock.restart();
  QImage all = qt::SceneImage(window.content().scene, window.view().grid(), 1);
  double every = clock.nsecsElapsed() / 1e9;
  std::printf("panels=%zu run=%.3f scene=%.3f open_and_first_paint=%.3f draw_all=%.3f (%dx%d)\n",
              window.content().scene.panels.size(), run, build, open, every, all.width(),
              all.height());
  return 0;
}
