#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPointer>
#include <QtTest>

#include "qt/main_window.h"
#include "support/fakes.h"

using namespace torvane;
using namespace torvane::testing;

// Keys reach the number fields through real key and input-method events.
class InputTest : public QObject {
  Q_OBJECT

 private:
  FakeMessageBox messages_;
  FakeLocation location_;
  FakeLister lister_;
  std::unique_ptr<qt::MainWindow> window_;

  QLineEdit* Box(const char* name) { return window_->findChild<QLineEdit*>(name); }

  // Types `text` key by key into `box`, as the keyboard would.
  void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    QTest::keyClicks(box, text);
  }

  void Commit(QLineEdit* box, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(box, &event);
  }

 private slots:
  void init() {
    location_.folder = "/nowhere";
    window_ =
        std::make_unique<qt::MainWindow>(WindowServices{&messages_, nullptr, &location_, &lister_});
    window_->Load();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  void cleanup() { window_.reset(); }

  // The filter itself is Form1's (tests/app): here, that each box holds it and reads its text.
  void numberFieldsTakeOnlyTheirCharacters() {
    for (const char* name : {"Text2", "Text3", "Text4"}) {
      QLineEdit* box = Box(name);
      box->clear();
      Type(box, "1a.5/");
      QCOMPARE(box->text(), QString(name == QString("Text2") ? "15" : "1.5/"));
    }
    QLineEdit* text3 = Box("Text3");
    text3->clear();
    QApplication::clipboard()->setText("2.");
    text3->paste();  // as the context menu does: unfiltered
    Type(text3, ".5");
    QCOMPARE(text3->text(), QString("2.5"));  // then a typed point is swallowed
    text3->clear();
    Commit(text3, "中５7");  // an input method's commit
    QCOMPARE(text3->text(), QString("7"));
  }

  void controlKeysAreSwallowedAndEditingKeysWork() {
    QLineEdit* text3 = Box("Text3");
    Type(text3, "123");
    text3->selectAll();
    QApplication::clipboard()->setText("99");
    QTest::keyClick(text3, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("99"));  // Ctrl+C copies nothing
    QTest::keyClick(text3, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(text3->text(), QString("123"));  // Ctrl+X cuts nothing
    text3->deselect();
    QTest::keyClick(text3, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(text3->text(), QString("123"));  // Ctrl+V pastes nothing
    QTest::keyClick(text3, Qt::Key_Left);
    QTest::keyClick(text3, Qt::Key_Left);
    QTest::keyClick(text3, Qt::Key_Delete);
    QTest::keyClick(text3, Qt::Key_Home);
    Type(text3, "9");
    QCOMPARE(text3->text(), QString("913"));
  }

  // The controls, and the key filters they hold, are gone before the Form1 the filters call.
  void controlsGoBeforeTheirForm() {
    QPointer<QLineEdit> text3 = Box("Text3");
    connect(window_.get(), &QObject::destroyed, [&] { QVERIFY(!text3); });
    window_.reset();
  }

  void textBoxesHaveNoLengthLimitOfTheirOwn() {
    const QString digits(40000, '1');
    QApplication::clipboard()->setText(digits);
    for (const char* name : {"Text2", "Text3", "Text4", "Text5"}) {
      Box(name)->clear();
      Box(name)->paste();
      QCOMPARE(Box(name)->text().size(), digits.size());
    }
  }

  // Typing is run_test's: here a paste, and a key the filter swallows, as Qt raises them.
  void summaryNameFollowsAPasteButNotASwallowedKey() {
    QLineEdit* text4 = Box("Text4");
    QLineEdit* text5 = Box("Text5");
    QApplication::clipboard()->setText("7");
    text4->paste();
    QCOMPARE(text5->text(), QString("-7"));
    text5->setText("mine");
    Type(text4, "x");
    QCOMPARE(text5->text(), QString("mine"));
  }
};

QTEST_MAIN(InputTest)
#include "input_test.moc"
