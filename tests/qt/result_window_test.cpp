#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include "picture/chart.h"
#include "picture/svg.h"
#include "qt/main_window.h"
#include "qt/result_window.h"
#include "support/current_directory.h"
#include "support/result_run.h"

using namespace torvane;
using namespace torvane::testing;

namespace {

QRgb Rgb(picture::Rgb color) {
  return 0xFF000000u | color;
}

// Once the completion box is up, checks it and presses the button captioned `button` or, when
// that is empty, the Enter key.
void AnswerTheBox(const QString& button) {
  QTimer::singleShot(10, [button] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return AnswerTheBox(button);  // not up yet
    QCOMPARE(box->windowTitle(), QString("提示"));
    QVERIFY(box->text().startsWith("处理完毕\n"));
    QCOMPARE(box->defaultButton(), box->button(QMessageBox::Ok));
    QCOMPARE(box->escapeButton(), box->button(QMessageBox::Ok));
    QCOMPARE(box->buttons().size(), 2);
    if (button.isEmpty()) return QTest::keyClick(box, Qt::Key_Return);
    for (QAbstractButton* each : box->buttons()) {
      if (each->text() == button) return each->click();
    }
    QFAIL("no such button");
  });
}

QList<QWidget*> OpenResultWindows() {
  QList<QWidget*> found;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == "ResultWindow" && widget->isVisible()) found << widget;
  }
  return found;
}

}  // namespace

class ResultWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void theCompletionBoxsButtonOpensTheResultWindowAndEnterStillClosesIt() {
    TempFolder data, here;
    SpectraRun(data, 4);
    FakeLocation location;
    location.folder = data.str();
    qt::MainWindow window({nullptr, nullptr, &location, nullptr});
    window.Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.findChild<QLineEdit*>("Text2")->setText("1");
    window.findChild<QLineEdit*>("Text3")->setText("990");
    window.findChild<QLineEdit*>("Text4")->setText("1010");
    CurrentDirectory cwd(here.path());

    AnswerTheBox("");
    window.findChild<QPushButton*>("Command2")->click();
    QVERIFY(here.Read("990-1010.txt"));
    QVERIFY2(OpenResultWindows().isEmpty(), "Enter pressed OK");

    AnswerTheBox("查看图表(&V)");
    window.findChild<QPushButton*>("Command2")->click();
    QTRY_COMPARE(OpenResultWindows().size(), 1);
    auto* result = static_cast<qt::ResultWindow*>(OpenResultWindows()[0]);
    QCOMPARE(result->windowTitle(), QString("图表 - 990-1010.txt"));
    QVERIFY(!result->isModal());
    QCOMPARE(result->content().scene.panels.size(), std::size_t{4});
    result->close();
    QTRY_VERIFY(OpenResultWindows().isEmpty());
  }

  void showsEveryPanelWithItsBandAndReflows() {
    TempFolder data;
    FakeSaveDialog dialog;
    FakeMessageBox messages;
    qt::ResultWindow window(ResultOf(data, 7), {&dialog, &messages});
    window.resize(700, 400);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    qt::ChartView& view = window.view();
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

    // "复制图片": the whole picture, as laid out now, with every panel's band.
    window.findChild<QPushButton*>("CopyPicture")->click();
    QImage copied = QApplication::clipboard()->image();
    QCOMPARE(copied.size(),
             QSize(PanelGrid::Span(3, kPanelWidth), PanelGrid::Span(3, kPanelHeight)) *
                 window.devicePixelRatio());
    picture::Point inside = InsideBand(scene, view.grid(), 5);
    QPointF at(inside.x, inside.y);
    QCOMPARE(copied.pixel((at * window.devicePixelRatio()).toPoint()), Rgb(picture::kBandColor));

    // "另存为 SVG…": the scene's SVG where the dialog says.
    dialog.answer = data.str() + "/图表.svg";
    window.findChild<QPushButton*>("SaveSvg")->click();
    QCOMPARE(data.Read("图表.svg"), picture::SceneSvg(scene, kSvgColumns));
    QVERIFY(messages.shown.empty());

    window.resize(350, 400);
    QTRY_COMPARE(view.grid().columns, 1);
  }
};

QTEST_MAIN(ResultWindowTest)
#include "result_window_test.moc"
