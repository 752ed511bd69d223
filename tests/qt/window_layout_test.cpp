#include <QApplication>
#include <QClipboard>
#include <QFileIconProvider>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTextBlock>
#include <QtTest>

#include "qt/main_window.h"
#include "qt/translations.h"
#include "support/fakes.h"

using namespace torvane;
using namespace torvane::testing;

namespace {

// A frame's title, a text box's text or any other control's caption.
QString Caption(QWidget* widget) {
  for (const char* property : {"title", "plainText", "text"}) {
    if (QVariant value = widget->property(property); value.isValid()) return value.toString();
  }
  return {};
}

}  // namespace

class WindowLayoutTest : public QObject {
  Q_OBJECT

 private:
  template <typename T = QWidget>
  T* Find(const char* name) {
    auto* widget = window_->findChild<T*>(QString::fromUtf8(name));
    if (!widget) qFatal("no control %s", name);
    return widget;
  }
  QString Focused() const {
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QStringLiteral("(none)");
  }
  void Show() {
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }

  FakeMessageBox messages_;
  FakeFolderBrowser browser_;
  FakeLocation location_;
  FakeLister lister_;
  std::unique_ptr<qt::MainWindow> window_;

 private slots:
  void init() {
    window_ = std::make_unique<qt::MainWindow>(
        WindowServices{&messages_, &browser_, &location_, &lister_});
  }

  // Controls of every kind, container and font, read off the design by hand.
  void controlsStandAsDesigned() {
    struct Expected {
      const char *name, *kind, *parent, *caption;
      QRect pixels;
      const char* face;
      double points;
    };
    const Expected controls[] = {
        {"Frame1", "QGroupBox", "", "步骤（1）", {16, 8, 409, 105}, "微软雅黑", 10.5},
        {"Text1", "QPlainTextEdit", "Frame1", "", {48, 24, 337, 33}, "宋体", 9},
        {"Command1", "QPushButton", "Frame1", "定位文件夹...", {48, 64, 97, 33}, "宋体", 9},
        {"Text2", "QLineEdit", "Frame2", "0", {88, 24, 57, 25}, "宋体", 12},
        {"Label3", "QLabel", "Frame3", "横坐标范围(含)：", {16, 32, 97, 17}, "宋体", 9},
        {"Frame6", "QGroupBox", "", "步骤（4）", {16, 264, 409, 65}, "微软雅黑", 10.5},
        {"Option2", "QRadioButton", "Frame6", "取谷值", {152, 32, 73, 17}, "宋体", 9},
        {"Text5", "QLineEdit", "Frame4", "", {120, 24, 169, 25}, "宋体", 12},
        {"Command2", "QPushButton", "Frame5", "执行", {64, 24, 105, 33}, "宋体", 9},
        {"Label9", "QLabel", "Frame5", "(在程序目录下生成单个文件)", {200, 40, 161, 17}, "宋体", 9},
    };
    for (const Expected& control : controls) {
      QWidget* widget = Find(control.name);
      QVERIFY2(widget->inherits(control.kind), control.name);
      QCOMPARE(widget->parentWidget()->objectName(), QString(control.parent));
      QCOMPARE(Caption(widget), QString::fromUtf8(control.caption));
      QCOMPARE(widget->geometry(), control.pixels);
      QCOMPARE(widget->font().family(), QString::fromUtf8(control.face));
      QCOMPARE(widget->font().pointSizeF(), control.points);
    }
  }

  void windowCannotBeResized() {
    Show();
    window_->resize(800, 700);
    QCOMPARE(window_->size(), QSize(453, 501));
    QVERIFY(!window_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(window_->windowIcon().availableSizes().contains(QSize(256, 256)));
  }

  void tabVisitsControlsInDesignedOrderAndTheSelectedOption() {
    Show();
    QCOMPARE(Focused(), QStringLiteral("Command1"));
    const QStringList expected{"Text1", "Text2",    "Text3",   "Text4",
                               "Text5", "Command2", "Option1", "Command1"};
    for (const QString& next : expected) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(Focused(), next);
    }

    QTest::mouseClick(Find("Option2"), Qt::LeftButton);  // the options are exclusive
    QVERIFY(!Find<QRadioButton>("Option1")->isChecked());
    Find("Command2")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(Focused(), QStringLiteral("Option2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(Focused(), QStringLiteral("Command1"));
  }

  void enterInATextBoxPressesNoButton() {
    Show();
    QSignalSpy run(Find<QPushButton>("Command2"), &QPushButton::clicked);
    QSignalSpy browse(Find<QPushButton>("Command1"), &QPushButton::clicked);
    for (const char* box : {"Text2", "Text3", "Text4", "Text5"}) {
      Find(box)->setFocus();
      QTest::keyClick(Find(box), Qt::Key_Return);
      QTest::keyClick(Find(box), Qt::Key_Enter);
      QTest::keyClick(Find(box), Qt::Key_Escape);
    }
    QCOMPARE(run.count(), 0);
    QCOMPARE(browse.count(), 0);
  }

  // Text1 is locked but takes the focus; its text wraps and can be selected and copied.
  void text1IsLockedWrappedAndCopyable() {
    const std::string path = "/home/lab/measurements/2024/spectra of the second series/sample A";
    location_.folder = path;
    window_->Load();
    Show();
    auto* text1 = Find<QPlainTextEdit>("Text1");
    QCOMPARE(text1->toPlainText(), QString::fromStdString(path));
    text1->setFocus();
    QTest::keyClicks(text1, "typed");
    QTest::keyClick(text1, Qt::Key_Backspace);
    QTest::keyClick(text1, Qt::Key_Delete);
    QCOMPARE(text1->toPlainText(), QString::fromStdString(path));
    QVERIFY(text1->document()->firstBlock().layout()->lineCount() >= 2);
    QTest::keyClick(text1, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(text1, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(path));
  }

  // Qt's own dialogs (one catalogue: the message box stands for the folder dialog) and the file
  // types speak Chinese whatever the system's locale.
  void qtDialogsSpeakChinese() {
    QVERIFY(qt::UseChineseForQt(*QCoreApplication::instance()));
    QMessageBox box(QMessageBox::NoIcon, "提示", "处理完毕", QMessageBox::Ok);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    QCOMPARE(QFileIconProvider().type(QFileInfo(QDir::tempPath())), QStringLiteral("文件夹"));
  }
};

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
