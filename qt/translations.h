#pragma once

#include <QCoreApplication>

namespace torvane::qt {

/// Makes Qt's own dialogs and standard buttons (the message box's "确定", the folder dialog)
/// speak Simplified Chinese whatever the system's locale: installs Qt's zh_CN translations on
/// `application`, and Chinese for the few texts they lack. Returns false when Qt's translation
/// files are missing (Debian: qt6-translations-l10n); Qt's texts stay English then.
bool UseChineseForQt(QCoreApplication& application);

}  // namespace torvane::qt
