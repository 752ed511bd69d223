#pragma once

#include <windows.h>

#include <memory>

#include "app/result_view.h"

namespace torvane::win32 {

/// The common save dialog (GetSaveFileNameW), owned by the window `owner` holds. It leaves the
/// current directory as it was.
class CommonSaveDialog : public SaveDialog {
 public:
  explicit CommonSaveDialog(const HWND& owner) : owner_(owner) {}
  std::optional<std::string> Ask(const SaveQuestion& question) override;

 private:
  const HWND& owner_;
};

/// The services the result window uses; each one left null is the Win32 one.
struct ResultWindowServices {
  SaveDialog* save_dialog = nullptr;
  MessageBox* message_box = nullptr;
};

/// A run's pictures in a window of their own: resizable, not modal, with "另存为 SVG…" and
/// "复制图片" above the panels, which lie in a grid that reflows with the width and scrolls.
/// Painting is double-buffered and draws only the panels in sight; lengths follow the window's
/// DPI. The object lives as long as its window: it deletes itself when the window is destroyed.
class ResultWindow {
 public:
  /// Creates and shows the window, owned by `owner` (which may be null). Null when the system
  /// refuses.
  static ResultWindow* Open(ResultContent content, ResultWindowServices services, HWND owner);
  /// The object of a window Open made, or nullptr.
  static ResultWindow* FromHandle(HWND hwnd);

  HWND hwnd() const { return hwnd_; }
  HWND SaveButton() const { return save_; }
  HWND CopyButton() const { return copy_; }
  /// The child window the panels are drawn in.
  HWND View() const { return view_; }
  const ResultContent& content() const { return content_; }
  /// The grid as laid out now.
  const PanelGrid& grid() const { return grid_; }

  /// Puts the whole picture, as laid out now, on the clipboard as a bitmap; says so when the
  /// clipboard refuses.
  void CopyPicture();

  static constexpr const wchar_t* kClassName = L"TorvaneResult";
  static constexpr const wchar_t* kViewClassName = L"TorvaneChart";

 private:
  ResultWindow(ResultContent content, ResultWindowServices services);
  ~ResultWindow();
  ResultWindow(const ResultWindow&) = delete;
  ResultWindow& operator=(const ResultWindow&) = delete;

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK ViewProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleViewMessage(UINT message, WPARAM wparam, LPARAM lparam);
  /// Makes the buttons' font for the window's DPI.
  void SetFont();
  void Layout();
  void Reflow();
  void Scroll(int bar, int position);
  void PaintView();

  ResultContent content_;
  ResultWindowServices services_;
  CommonSaveDialog save_dialog_;
  std::unique_ptr<MessageBox> message_box_;
  HWND hwnd_ = nullptr, save_ = nullptr, copy_ = nullptr, view_ = nullptr;
  HFONT font_ = nullptr;
  UINT dpi_ = 96;
  PanelGrid grid_;
  POINT scroll_{0, 0};
  int reflowing_ = 0;
  bool owned_by_window_ = false;  ///< deleted with the window once Open has made it
};

/// Opens each result window over the window `owner` holds, with `services`.
class Win32ResultWindows : public ResultWindows {
 public:
  explicit Win32ResultWindows(const HWND& owner, ResultWindowServices services = {})
      : owner_(owner), services_(services) {}
  void Open(ResultContent content) override;

 private:
  const HWND& owner_;
  ResultWindowServices services_;
};

}  // namespace torvane::win32
