#pragma once

#include <QWidget>

#include "app/services.h"

namespace torvane::qt {

/// QMessageBox, modal to its parent window.
class QtMessageBox : public MessageBox {
 public:
  explicit QtMessageBox(QWidget* parent) : parent_(parent) {}
  void Show(const std::string& prompt, const std::string& title, MessageIcon icon) override;
  bool ShowWithButton(const std::string& prompt, const std::string& title,
                      const std::string& extra) override;

 private:
  QWidget* parent_;
};

/// Qt's folder dialog, modal to its owner window, choosing folders only.
class QtFolderBrowser : public FolderBrowser {
 public:
  explicit QtFolderBrowser(QWidget* owner) : owner_(owner) {}
  std::optional<std::string> Browse(const std::string& title, const std::string& start) override;

 private:
  QWidget* owner_;
};

/// The folder of the running executable, as Qt reports it.
class QtProgramLocation : public ProgramLocation {
 public:
  std::string ProgramFolder() override;
};

}  // namespace torvane::qt
