#include "ui/main_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

#include "support/fakes.h"

using namespace torvane;
using namespace torvane::testing;

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpShowsTheFolderAndItsCount() {
    TempFolder folder;
    for (const char* name : {"10.txt", "9.txt", "a.txt", "B.TXT", ".hidden.txt", "notes.md"}) {
      folder.Write(name, "");
    }
    std::filesystem::create_directory(folder.path() / "sub.txt");
    FakeLocation location;
    location.folder = folder.str();
    FakeMessageBox messages;
    ui::MainWindow window({&messages, nullptr, &location, nullptr});
    window.Load();
    QCOMPARE(window.findChild<QLabel*>("Label8")->text(), QString("4"));
    QCOMPARE(window.findChild<QPlainTextEdit*>("Text1")->toPlainText(),
             QString::fromStdString(folder.str()));
    QCOMPARE(window.findChild<QLineEdit*>("Text2")->text(), QString("0"));
    QVERIFY(messages.shown.empty());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
