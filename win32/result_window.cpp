#include "win32/result_window.h"

#include <commdlg.h>

#include <algorithm>
#include <cmath>

#include "runtime/wide_win.h"
#include "win32/dpi.h"
#include "win32/scene_gdi.h"
#include "win32/shell_services.h"
#include "win32/window_object.h"

namespace torvane::win32 {
namespace {

constexpr int kSaveId = 101, kCopyId = 102;
// Device-independent lengths of the window's own parts.
constexpr double kPadding = 8, kButtonHeight = 26, kSaveWidth = 112, kCopyWidth = 88;
constexpr double kMinWidth = 320, kMinHeight = 240;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

int Scaled(double length, UINT dpi) {
  return static_cast<int>(std::lround(length * dpi / 96.0));
}

bool RegisterClasses(HINSTANCE instance, WNDPROC window_proc, WNDPROC view_proc) {
  WNDCLASSEXW known{};
  if (::GetClassInfoExW(instance, ResultWindow::kClassName, &known)) return true;
  WNDCLASSEXW frame{};
  frame.cbSize = sizeof frame;
  frame.lpfnWndProc = window_proc;
  frame.hInstance = instance;
  frame.hIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                ::GetSystemMetrics(SM_CXICON),
                                                ::GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
  frame.hIconSm = static_cast<HICON>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                   ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  frame.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  frame.lpszClassName = ResultWindow::kClassName;
  WNDCLASSEXW view{};
  view.cbSize = sizeof view;
  view.style = CS_HREDRAW | CS_VREDRAW;
  view.lpfnWndProc = view_proc;
  view.hInstance = instance;
  view.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  view.lpszClassName = ResultWindow::kViewClassName;
  return ::RegisterClassExW(&frame) && ::RegisterClassExW(&view);
}

HFONT ButtonFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW font = metrics.lfMessageFont;
  font.lfHeight = -Scaled(9 * 96 / 72.0, dpi);
  return ::CreateFontIndirectW(&font);
}

// The client area that gives `scene`'s panels their first room at `dpi`, the buttons above.
RECT InitialClientRect(const picture::Scene& scene, UINT dpi) {
  picture::Point room = PanelGrid::FirstRoom(scene);
  int border = 2 * ::GetSystemMetrics(SM_CXEDGE);
  return {0, 0,
          Scaled(std::max(room.x, kMinWidth), dpi) + border + ::GetSystemMetrics(SM_CXVSCROLL),
          Scaled(std::max(room.y + kButtonHeight + 2 * kPadding, kMinHeight), dpi) + border};
}

SCROLLINFO ScrollInfo(UINT mask) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = mask;
  return info;
}

}  // namespace

std::optional<std::string> CommonSaveDialog::Ask(const SaveQuestion& question) {
  std::wstring title = Wide(question.title), folder = Wide(question.folder);
  std::wstring extension = Wide(question.extension);
  std::wstring filter = Wide(question.type_description) + L" (*." + extension + L")";
  filter += L'\0';
  filter += L"*." + extension;
  filter += L'\0';
  std::wstring file = Wide(question.name);
  file.resize(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = extension.c_str();
  // The summary of the next run goes to the current directory, which the dialog must not move.
  dialog.Flags =
      OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!::GetSaveFileNameW(&dialog)) return std::nullopt;
  file.resize(wcslen(file.c_str()));
  return Narrow(file);
}

ResultWindow::ResultWindow(ResultContent content, ResultWindowServices services)
    : content_(std::move(content)), services_(services), save_dialog_(hwnd_) {
  if (!services_.save_dialog) services_.save_dialog = &save_dialog_;
  if (!services_.message_box) {
    message_box_ = std::make_unique<Win32MessageBox>(hwnd_);
    services_.message_box = message_box_.get();
  }
}

ResultWindow::~ResultWindow() {
  if (font_) ::DeleteObject(font_);
}

ResultWindow* ResultWindow::Open(ResultContent content, ResultWindowServices services, HWND owner) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  if (!RegisterClasses(instance, WindowProc, ViewProc)) return nullptr;
  auto* window = new ResultWindow(std::move(content), services);
  RECT rect = InitialClientRect(window->content_.scene, DpiOf(owner));
  ::AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int width = std::min<int>(rect.right - rect.left, (work.right - work.left) * 9 / 10);
  int height = std::min<int>(rect.bottom - rect.top, (work.bottom - work.top) * 9 / 10);
  HWND hwnd = ::CreateWindowExW(
      0, kClassName, Wide(ResultWindowTitle(window->content_.summary_path)).c_str(), kStyle,
      CW_USEDEFAULT, CW_USEDEFAULT, width, height, owner, nullptr, instance, window);
  if (!hwnd) {
    delete window;  // the window, if it was made at all, is gone and has left the object
    return nullptr;
  }
  window->owned_by_window_ = true;
  ::ShowWindow(hwnd, SW_SHOWNORMAL);
  ::UpdateWindow(hwnd);
  return window;
}

ResultWindow* ResultWindow::FromHandle(HWND hwnd) {
  wchar_t name[64] = {};
  if (!hwnd || !::GetClassNameW(hwnd, name, 64) || wcscmp(name, kClassName) != 0) return nullptr;
  return reinterpret_cast<ResultWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK ResultWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  ResultWindow* self = WindowObject<ResultWindow>(hwnd, message, lparam);
  if (!self) return ::DefWindowProcW(hwnd, message, wparam, lparam);
  if (message == WM_NCCREATE) self->hwnd_ = hwnd;
  LRESULT result = self->HandleMessage(message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    if (self->owned_by_window_) delete self;
  }
  return result;
}

LRESULT CALLBACK ResultWindow::ViewProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = FromHandle(::GetParent(hwnd));
  if (!self || self->view_ != hwnd) return ::DefWindowProcW(hwnd, message, wparam, lparam);
  return self->HandleViewMessage(message, wparam, lparam);
}

LRESULT ResultWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE: {
      HINSTANCE instance = ::GetModuleHandleW(nullptr);
      DWORD button = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
      save_ = ::CreateWindowExW(0, L"BUTTON", Wide(kSaveSvgCaption).c_str(), button, 0, 0, 0, 0,
                                hwnd_, reinterpret_cast<HMENU>(kSaveId), instance, nullptr);
      copy_ = ::CreateWindowExW(0, L"BUTTON", Wide(kCopyPictureCaption).c_str(), button, 0, 0, 0, 0,
                                hwnd_, reinterpret_cast<HMENU>(kCopyId), instance, nullptr);
      view_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, kViewClassName, L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 0, hwnd_,
                                nullptr, instance, nullptr);
      dpi_ = DpiOf(hwnd_);
      SetFont();
      Layout();
      return 0;
    }
    case WM_SIZE:
      Layout();
      return 0;
    case WM_DPICHANGED: {
      dpi_ = LOWORD(wparam);
      const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
      ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      SetFont();
      Layout();
      return 0;
    }
    case WM_GETMINMAXINFO: {
      auto* limits = reinterpret_cast<MINMAXINFO*>(lparam);
      limits->ptMinTrackSize = {Scaled(kMinWidth, dpi_), Scaled(kMinHeight, dpi_)};
      return 0;
    }
    case WM_COMMAND:
      if (HIWORD(wparam) == BN_CLICKED && LOWORD(wparam) == kSaveId) {
        SaveSvg(content_, {*services_.save_dialog, *services_.message_box});
      } else if (HIWORD(wparam) == BN_CLICKED && LOWORD(wparam) == kCopyId) {
        CopyPicture();
      }
      return 0;
    case WM_MOUSEWHEEL:
      return ::SendMessageW(view_, message, wparam, lparam);
    case WM_KEYDOWN: {
      // The keys that scroll a document: arrows, Page Up and Down, Home and End.
      static constexpr std::pair<WPARAM, WORD> kKeys[] = {
          {VK_UP, SB_LINEUP},     {VK_DOWN, SB_LINEDOWN}, {VK_PRIOR, SB_PAGEUP},
          {VK_NEXT, SB_PAGEDOWN}, {VK_HOME, SB_TOP},      {VK_END, SB_BOTTOM}};
      for (auto [key, code] : kKeys) {
        if (wparam == key) ::SendMessageW(view_, WM_VSCROLL, code, 0);
      }
      return 0;
    }
    default:
      break;
  }
  return ::DefWindowProcW(hwnd_, message, wparam, lparam);
}

void ResultWindow::SetFont() {
  HFONT old = font_;
  font_ = ButtonFont(dpi_);
  ::SendMessageW(save_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  ::SendMessageW(copy_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  if (old) ::DeleteObject(old);
}

void ResultWindow::Layout() {
  if (!view_) return;
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  int padding = Scaled(kPadding, dpi_), height = Scaled(kButtonHeight, dpi_);
  int save_width = Scaled(kSaveWidth, dpi_);
  ::MoveWindow(save_, padding, padding, save_width, height, TRUE);
  ::MoveWindow(copy_, 2 * padding + save_width, padding, Scaled(kCopyWidth, dpi_), height, TRUE);
  int top = 2 * padding + height;
  ::MoveWindow(view_, 0, top, client.right, std::max(0, static_cast<int>(client.bottom) - top),
               TRUE);
  Reflow();
}

void ResultWindow::Reflow() {
  // Showing or hiding a scroll bar resizes the view, which comes back here; two rounds settle.
  if (reflowing_ > 2) return;
  ++reflowing_;
  RECT client{};
  ::GetClientRect(view_, &client);
  double scale = dpi_ / 96.0;
  grid_ = PanelGrid::For(content_.scene, client.right / scale);
  SCROLLINFO info = ScrollInfo(SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL);
  info.nMax = static_cast<int>(std::ceil(grid_.Height() * scale)) - 1;
  info.nPage = static_cast<UINT>(client.bottom);
  ::SetScrollInfo(view_, SB_VERT, &info, TRUE);
  info.nMax = static_cast<int>(std::ceil(grid_.Width() * scale)) - 1;
  info.nPage = static_cast<UINT>(client.right);
  info.fMask = SIF_RANGE | SIF_PAGE;
  ::SetScrollInfo(view_, SB_HORZ, &info, TRUE);
  for (int bar : {SB_HORZ, SB_VERT}) {
    SCROLLINFO now = ScrollInfo(SIF_POS);
    ::GetScrollInfo(view_, bar, &now);
    (bar == SB_HORZ ? scroll_.x : scroll_.y) = now.nPos;
  }
  ::InvalidateRect(view_, nullptr, FALSE);
  --reflowing_;
}

void ResultWindow::Scroll(int bar, int position) {
  SCROLLINFO info = ScrollInfo(SIF_POS);
  info.nPos = position;
  ::SetScrollInfo(view_, bar, &info, TRUE);
  ::GetScrollInfo(view_, bar, &info);
  LONG& now = bar == SB_HORZ ? scroll_.x : scroll_.y;
  if (info.nPos == now) return;
  int moved = now - info.nPos;
  now = info.nPos;
  ::ScrollWindowEx(view_, bar == SB_HORZ ? moved : 0, bar == SB_VERT ? moved : 0, nullptr, nullptr,
                   nullptr, nullptr, SW_INVALIDATE);
}

LRESULT ResultWindow::HandleViewMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      Reflow();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_PAINT:
      PaintView();
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL: {
      int bar = message == WM_VSCROLL ? SB_VERT : SB_HORZ;
      SCROLLINFO info = ScrollInfo(SIF_ALL);
      ::GetScrollInfo(view_, bar, &info);
      int line = Scaled(40, dpi_), page = static_cast<int>(info.nPage);
      int position = info.nPos;
      switch (LOWORD(wparam)) {
        case SB_LINEUP:
          position -= line;
          break;
        case SB_LINEDOWN:
          position += line;
          break;
        case SB_PAGEUP:
          position -= page;
          break;
        case SB_PAGEDOWN:
          position += page;
          break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
          position = info.nTrackPos;
          break;
        case SB_TOP:
          position = info.nMin;
          break;
        case SB_BOTTOM:
          position = info.nMax;
          break;
        default:
          break;
      }
      Scroll(bar, position);
      return 0;
    }
    case WM_MOUSEWHEEL: {
      int notches = GET_WHEEL_DELTA_WPARAM(wparam);
      Scroll(SB_VERT, scroll_.y - notches * Scaled(120, dpi_) / WHEEL_DELTA);
      return 0;
    }
    case WM_LBUTTONDOWN:
      ::SetFocus(view_);
      return 0;
    case WM_KEYDOWN:
      return HandleMessage(message, wparam, lparam);
    default:
      break;
  }
  return ::DefWindowProcW(view_, message, wparam, lparam);
}

void ResultWindow::PaintView() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(view_, &paint);
  const RECT& area = paint.rcPaint;
  int width = area.right - area.left, height = area.bottom - area.top;
  if (width > 0 && height > 0) {
    HDC buffer = ::CreateCompatibleDC(dc);
    HBITMAP bitmap = ::CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = ::SelectObject(buffer, bitmap);
    ::SetViewportOrgEx(buffer, -area.left, -area.top, nullptr);
    ::FillRect(buffer, &area, ::GetSysColorBrush(COLOR_BTNFACE));
    SceneFonts fonts(dpi_);
    DrawGrid(buffer, content_.scene, grid_, {-scroll_.x, -scroll_.y}, area, fonts);
    ::SetViewportOrgEx(buffer, 0, 0, nullptr);
    ::BitBlt(dc, area.left, area.top, width, height, buffer, 0, 0, SRCCOPY);
    ::SelectObject(buffer, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(buffer);
  }
  ::EndPaint(view_, &paint);
}

void ResultWindow::CopyPicture() {
  double scale = dpi_ / 96.0;
  int width = static_cast<int>(std::ceil(grid_.Width() * scale));
  int height = static_cast<int>(std::ceil(grid_.Height() * scale));
  HDC screen = ::GetDC(nullptr);
  HDC buffer = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
  ::ReleaseDC(nullptr, screen);
  bool copied = false;
  if (buffer && bitmap) {
    HGDIOBJ old = ::SelectObject(buffer, bitmap);
    RECT all{0, 0, width, height};
    ::FillRect(buffer, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    SceneFonts fonts(dpi_);
    DrawGrid(buffer, content_.scene, grid_, {0, 0}, all, fonts);
    ::SelectObject(buffer, old);
    if (::OpenClipboard(hwnd_)) {
      // Once on the clipboard, the bitmap is the system's.
      copied = ::EmptyClipboard() && ::SetClipboardData(CF_BITMAP, bitmap);
      ::CloseClipboard();
    }
  }
  if (buffer) ::DeleteDC(buffer);
  if (!copied) {
    if (bitmap) ::DeleteObject(bitmap);
    services_.message_box->Show(kCopyFailedText, "错误", MessageIcon::Error);
  }
}

void Win32ResultWindows::Open(ResultContent content) {
  ResultWindow::Open(std::move(content), services_, owner_);
}

}  // namespace torvane::win32
