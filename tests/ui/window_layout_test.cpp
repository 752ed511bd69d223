#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTextBlock>
#include <QtTest>

#include "support/fakes.h"
#include "ui/layout.h"
#include "ui/main_window.h"

using namespace torvane;
using namespace torvane::testing;

namespace {

// The Qt class of each kind of control, in the order of ui::Kind.
const char* const kClassOfKind[] = {"QGroupBox", "QLabel", "QLineEdit", "QRadioButton",
                                    "QPushButton"};

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
  std::unique_ptr<ui::MainWindow> window_;

 private slots:
  void init() {
    window_ = std::make_unique<ui::MainWindow>(
        ui::WindowServices{&messages_, &browser_, &location_, &lister_});
  }

  // Every control as the layout table gives it: kind, container, text, pixels and font.
  void everyControlStandsAsDesigned() {
    for (const ui::ControlLayout& control : ui::kLayout) {
      const QString name = QString::fromUtf8(control.name);
      QWidget* widget = Find(control.name);
      const char* kind = name == "Text1" ? "QPlainTextEdit" : kClassOfKind[int(control.kind)];
      QVERIFY2(widget->inherits(kind), qPrintable(name));
      QCOMPARE(widget->parentWidget()->objectName(), QString::fromUtf8(control.parent));
      QCOMPARE(Caption(widget), QString::fromUtf8(control.text));
      QCOMPARE(widget->geometry(),
               QRect(control.left / 15, control.top / 15, control.width / 15, control.height / 15));
      const QFont font = widget->font();
      if (control.font == ui::FontRole::Window) {
        QCOMPARE(font, window_->font());
      } else {
        const bool frame = control.font == ui::FontRole::Frame;
        QCOMPARE(font.family(), frame ? QStringLiteral("微软雅黑") : QStringLiteral("宋体"));
        QCOMPARE(font.pointSizeF(), frame ? 10.5 : 12.0);
      }
    }
  }

  // Values read off the design by hand, independent of the table.
  void keyControlsAtTheirPixels() {
    QCOMPARE(Find("Frame1")->geometry(), QRect(16, 8, 409, 105));
    QCOMPARE(Find("Text1")->geometry(), QRect(48, 24, 337, 33));
    QCOMPARE(Find("Option2")->geometry(), QRect(152, 32, 73, 17));
    QCOMPARE(Find<QGroupBox>("Frame6")->title(), QStringLiteral("步骤（4）"));
    QCOMPARE(Find("Command2")->geometry(), QRect(64, 24, 105, 33));
    QCOMPARE(Find("Text5")->parentWidget()->objectName(), QStringLiteral("Frame4"));
    QCOMPARE(Find<QLabel>("Label9")->text(), QStringLiteral("(在程序目录下生成单个文件)"));
  }

  void windowCannotBeResized() {
    Show();
    QCOMPARE(window_->size(), QSize(453, 501));
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

    QTest::mouseClick(Find("Option2"), Qt::LeftButton);
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

  void optionButtonsAreExclusive() {
    Show();
    auto* peak = Find<QRadioButton>("Option1");
    auto* valley = Find<QRadioButton>("Option2");
    QVERIFY(peak->isChecked() && !valley->isChecked());
    QTest::mouseClick(valley, Qt::LeftButton);
    QVERIFY(!peak->isChecked() && valley->isChecked());
    QTest::mouseClick(peak, Qt::LeftButton);
    QVERIFY(peak->isChecked() && !valley->isChecked());
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
};

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
