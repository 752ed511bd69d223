#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>

#include "qt/main_window.h"
#include "qt/translations.h"

namespace {

/// The folder of the running program, as QCoreApplication will find it, before it exists.
QString ProgramFolder(const char* argv0) {
  QFileInfo program(QStringLiteral("/proc/self/exe"));
  if (!program.exists()) program = QFileInfo(QString::fromLocal8Bit(argv0));
  return QFileInfo(program.canonicalFilePath()).canonicalPath();
}

/// Plugins come only from Qt's own plugin folder (the embedded qt.conf says where it is, so a
/// qt.conf beside the program is not read), never from the program's folder, which is often a
/// data folder. QApplication adds that folder to the plugin search as it starts, before it
/// loads the platform plugin; a list set beforehand is laid over the one it computes, less what
/// was dropped from the list as it stood then. The program's folder is therefore put in that
/// list through QT_PLUGIN_PATH, dropped, and the variable set back once the application exists.
class QtPluginsOnly {
 public:
  explicit QtPluginsOnly(const char* argv0)
      : plugins_(QLibraryInfo::path(QLibraryInfo::PluginsPath)),
        had_variable_(qEnvironmentVariableIsSet("QT_PLUGIN_PATH")),
        variable_(qgetenv("QT_PLUGIN_PATH")) {
    qputenv("QT_PLUGIN_PATH", QFile::encodeName(ProgramFolder(argv0)));
    QCoreApplication::libraryPaths();
    QCoreApplication::setLibraryPaths({plugins_});
  }

  /// Once the application exists: the environment as it was, and the plugin folder checked.
  void Started() const {
    if (had_variable_) {
      qputenv("QT_PLUGIN_PATH", variable_);
    } else {
      qunsetenv("QT_PLUGIN_PATH");
    }
    if (QCoreApplication::libraryPaths() != QStringList{plugins_}) {
      QCoreApplication::setLibraryPaths({plugins_});
    }
  }

 private:
  QString plugins_;
  bool had_variable_;
  QByteArray variable_;
};

}  // namespace

int main(int argc, char* argv[]) {
  QtPluginsOnly plugins(argv[0]);
  QApplication application(argc, argv);
  plugins.Started();
  if (!torvane::qt::UseChineseForQt(application)) {
    qWarning("torvane: Qt's Chinese translations are not installed; its dialogs stay English");
  }
  torvane::qt::MainWindow window;
  window.Load();
  window.show();
  return application.exec();
}
