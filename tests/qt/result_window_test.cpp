#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include "picture/chart.h"
#include "picture/svg.h"
#include "qt/result_window.h"
#include "support/result_run.h"

using namespace torvane;
using namespace torvane::testing;

namespace {

QRgb Rgb(picture::Rgb color) {
  return 0xFF000000u | color;
}

}  // namespace

class ResultWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void showsEveryPanelWithItsBandAndReflows() {
    TempFolder data;
    FakeSaveDialog dialog;
    FakeMessageBox messages;
    qt::ResultWindow window(ResultOf(data, 7), {&dialog, &messages});
    QCOMPARE(window.windowTitle(), QString("图表 - 990-1010.txt"));
    QVERIFY(!window.isModal());
    window.resize(1300, 700);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    qt::ChartView& view = window.view();
    QCOMPARE(view.grid().count, 7);
    QCOMPARE(view.grid().columns, 3);
    QVERIFY2(view.verticalScrollBar()->maximum() > 0, "three rows do not fit: the view scrolls");

    // Where the range is, the grabbed window shows the band's colour, in the first panel and
    // in the last.
    const picture::Scene& scene = window.content().scene;
    for (int panel : {0, 6}) {
      QVERIFY(BandOf(scene.panels[panel]).width > 2);
      if (panel == 6) view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
      QImage image = view.viewport()->grab().toImage();
      picture::Point inside = InsideBand(scene, view.grid(), panel);
      QPointF at(inside.x - view.horizontalScrollBar()->value(),
                 inside.y - view.verticalScrollBar()->value());
      QCOMPARE(image.pixel((at * image.devicePixelRatio()).toPoint()), Rgb(picture::kBandColor));
    }

    window.resize(700, 700);
    QTRY_COMPARE(view.grid().columns, 1);
    window.resize(80, 700);
    QTRY_VERIFY(view.horizontalScrollBar()->maximum() > 0);

    // "复制图片": the whole picture, as laid out now, with every panel's band.
    window.resize(1300, 700);
    QTRY_COMPARE(view.grid().columns, 3);
    window.findChild<QPushButton*>("CopyPicture")->click();
    QImage copied = QApplication::clipboard()->image();
    QCOMPARE(copied.size(), QSize(1232, 8 + 3 * 250 + 2 * 8 + 8) * window.devicePixelRatio());
    picture::Point inside = InsideBand(scene, view.grid(), 5);
    QPointF at(inside.x, inside.y);
    QCOMPARE(copied.pixel((at * window.devicePixelRatio()).toPoint()), Rgb(picture::kBandColor));

    // "另存为 SVG…": cancelled, nothing; answered, the scene's SVG.
    auto* save = window.findChild<QPushButton*>("SaveSvg");
    QCOMPARE(save->text(), QString("另存为 SVG…"));
    save->click();
    QCOMPARE(dialog.questions.size(), std::size_t{1});
    QCOMPARE(dialog.questions[0].name, std::string("990-1010.svg"));
    QCOMPARE(dialog.questions[0].folder, data.str());
    dialog.answer = data.str() + "/图表.svg";
    save->click();
    QCOMPARE(data.Read("图表.svg"), picture::SceneSvg(scene, kSvgColumns));
    QVERIFY(messages.shown.empty());
  }
};

QTEST_MAIN(ResultWindowTest)
#include "result_window_test.moc"
