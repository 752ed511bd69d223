#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string_view>

#include "app/front_end.h"

namespace torvane::win32 {

/// The program's window: one top-level window holding the designed controls, bound to Form1.
/// Lengths follow the design in twips, turned into pixels at the window's DPI and laid out
/// afresh when the DPI changes, the window's icons with them. Controls are children of the
/// window itself, each placed at its frame's origin plus its own offset, and stacked in
/// tab-index order.
class MainWindow {
 public:
  /// Each service `services` leaves null is the Win32 one. `ends_program`: closing the window
  /// posts the quit message.
  explicit MainWindow(WindowServices services = {}, bool ends_program = true);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  /// Creates the window, hidden, with every control and the focus on Command1. False when the
  /// system refuses.
  bool Create(HINSTANCE instance);
  /// Runs start-up; call once before the window first shows.
  void Load();
  /// Hands a queued message to the dialog keys (Tab, Shift+Tab, arrows in the option group).
  /// True when it was handled, and so must not be dispatched again.
  bool HandleDialogMessage(MSG& message);

  HWND hwnd() const { return hwnd_; }
  /// The control named as in the design, or nullptr.
  HWND Control(std::string_view name) const;
  /// The DPI the controls are laid out for.
  UINT dpi() const { return dpi_; }
  Form1& form() { return *form_; }

  /// The class name of the window.
  static constexpr const wchar_t* kClassName = L"TorvaneForm1";

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK ControlProc(HWND control, UINT message, WPARAM wparam, LPARAM lparam,
                                      UINT_PTR index, DWORD_PTR self);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleEditMessage(HWND edit, TextBox box, UINT message, WPARAM wparam, LPARAM lparam);
  void CreateControls();
  /// Sizes the window, places and sets the fonts of every control and loads the window's icons
  /// for `dpi`, at `position` when given.
  void Layout(UINT dpi, const RECT* position);
  /// Gives the tab stop of the option group to its selected button.
  void MoveOptionTabStop();
  void OnCommand(int id, int code);

  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::unique_ptr<Form1> form_;
  HWND hwnd_ = nullptr;
  UINT dpi_ = 96;
  bool ends_program_;
  bool setting_text_ = false;
  HWND last_focus_ = nullptr;
  wchar_t pending_high_surrogate_ = 0;
  std::array<HWND, kDesign.size()> controls_{};
  std::array<HFONT, 3> fonts_{};
  std::array<HICON, 2> icons_{};  ///< ICON_SMALL, ICON_BIG
};

/// Runs the message loop until the quit message; returns its exit code, or 1 when the loop
/// fails.
int RunMessageLoop(MainWindow& window);

}  // namespace torvane::win32
