// A stand-in for a plugin planted beside the program: a Qt plugin whose metadata offers what
// TORVANE_PLATFORM_MARKER chooses (a platform, or else an image format); loaded, it leaves the
// file "<its own path>.loaded".
#include <dlfcn.h>

#include <QObject>
#include <QtPlugin>
#include <fstream>
#include <string>

namespace {

[[gnu::constructor]] void LeaveMark() {
  Dl_info self{};
  if (dladdr(reinterpret_cast<void*>(&LeaveMark), &self) && self.dli_fname) {
    std::ofstream(std::string(self.dli_fname) + ".loaded");
  }
}

}  // namespace

#ifdef TORVANE_PLATFORM_MARKER
class PlatformMarker : public QObject {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QPA.QPlatformIntegrationFactoryInterface.5.3" FILE
                        "plugin_marker.json")
};
#else
class ImageFormatMarker : public QObject {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QImageIOHandlerFactoryInterface" FILE
                        "plugin_marker.json")
};
#endif

#include "plugin_marker.moc"
