#include "qt/qt_services.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace torvane::qt {

void QtMessageBox::Show(const std::string& prompt, const std::string& title, MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::NoIcon,
                  QString::fromStdString(title), QString::fromStdString(prompt), QMessageBox::Ok,
                  parent_);
  box.exec();
}

std::optional<std::string> QtFolderBrowser::Browse(const std::string& title,
                                                   const std::string& start) {
  QString chosen =
      QFileDialog::getExistingDirectory(owner_, QString::fromStdString(title),
                                        QString::fromStdString(start), QFileDialog::ShowDirsOnly);
  if (chosen.isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(chosen).toStdString();
}

std::string QtProgramLocation::ProgramFolder() {
  return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
}

}  // namespace torvane::qt
