#include "qt/qt_services.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace torvane::qt {

void QtMessageBox::Show(const std::string& prompt, const std::string& title, MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::NoIcon,
                  QString::fromStdString(title), QString::fromStdString(prompt), QMessageBox::Ok,
                  parent_);
  box.exec();
}

bool QtMessageBox::ShowWithButton(const std::string& prompt, const std::string& title,
                                  const std::string& extra) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                  QString::fromStdString(prompt), QMessageBox::Ok, parent_);
  QPushButton* pressed = box.addButton(QString::fromStdString(extra), QMessageBox::ActionRole);
  box.setDefaultButton(QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Ok);
  box.exec();
  return box.clickedButton() == pressed;
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
