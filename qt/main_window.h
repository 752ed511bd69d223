#pragma once

#include <QWidget>
#include <memory>

#include "app/front_end.h"

namespace torvane::qt {

/// The program's window: the designed controls, bound to Form1. Controls carry their design
/// names as object names. Each service `services` leaves null is the Qt one.
class MainWindow : public QWidget {
 public:
  explicit MainWindow(WindowServices services = {}, QWidget* parent = nullptr);
  /// Destroys the controls, and the key filters they hold, before the Form1 the filters call.
  ~MainWindow() override;

  /// Runs start-up; call once before the window first shows.
  void Load();

 private:
  /// Chains the controls that take the focus in tab-index order; the first one gets the focus.
  void SetTabOrder();

  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::unique_ptr<Form1> form_;
};

}  // namespace torvane::qt
