#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "qt/main_window.h"
#include "support/current_directory.h"
#include "support/fakes.h"

using namespace torvane;
using namespace torvane::testing;

class RunTest : public QObject {
  Q_OBJECT

 private slots:
  void pressingRunWritesTheSummaryIntoTheCurrentDirectory() {
    TempFolder data, here;
    data.Write("10.txt", "nm\tcounts\r\n0.5\t9\r\n1.5\t3\r\n2.5\t4\r\n");
    data.Write("2.TXT", "nm\tcounts\r\n1\t-1\r\n2\t-1.0\r\n");
    FakeLocation location;
    location.folder = data.str();
    FakeMessageBox messages;
    qt::MainWindow window({&messages, nullptr, &location, nullptr});
    window.Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.findChild<QLabel*>("Label8")->text(), QString("2"));

    auto* text2 = window.findChild<QLineEdit*>("Text2");
    text2->selectAll();
    QTest::keyClicks(text2, "1");
    QTest::keyClicks(window.findChild<QLineEdit*>("Text3"), "1");
    QTest::keyClicks(window.findChild<QLineEdit*>("Text4"), "2.5");
    QCOMPARE(window.findChild<QLineEdit*>("Text5")->text(), QString("1-2.5"));

    CurrentDirectory cwd(here.path());
    QTest::mouseClick(window.findChild<QPushButton*>("Command2"), Qt::LeftButton);

    QCOMPARE(here.Read("1-2.5.txt").value_or("(none)"),
             std::string("2\t2\t-1.0\r\n10\t2.5\t4\r\n"));
    QCOMPARE(messages.shown.size(), std::size_t{1});

    QTest::mouseClick(window.findChild<QRadioButton*>("Option2"), Qt::LeftButton);  // 取谷值
    QTest::mouseClick(window.findChild<QPushButton*>("Command2"), Qt::LeftButton);
    QCOMPARE(here.Read("1-2.5.txt").value_or("(none)"),
             std::string("2\t2\t-1.0\r\n10\t1.5\t3\r\n"));
  }
};

QTEST_MAIN(RunTest)
#include "run_test.moc"
