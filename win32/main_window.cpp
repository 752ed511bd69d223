#include "win32/main_window.h"

#include <commctrl.h>
#include <imm.h>

#include <utility>

#include "runtime/wide_win.h"
#include "win32/dpi.h"
#include "win32/result_window.h"
#include "win32/shell_services.h"
#include "win32/window_object.h"

namespace torvane::win32 {
namespace {

// A fixed single frame: a caption, the system menu and a minimise box; no sizing border. Group
// boxes paint no interior, so the window paints beneath its children.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kWindowExStyle = 0;
// Control identifiers start above IDOK and IDCANCEL, which the dialog keys send for Enter and
// Escape and which nothing here answers.
constexpr int kFirstControlId = 100;

// A system metric (a length in pixels) at `dpi`.
int MetricFor(int metric, UINT dpi) {
  using GetMetricFunction = int(WINAPI*)(int, UINT);
  static const auto get_metric = User32Function<GetMetricFunction>("GetSystemMetricsForDpi");
  return get_metric ? get_metric(metric, dpi) : ::GetSystemMetrics(metric);
}

// The outer size of a window whose client area is the designed one at `dpi`.
SIZE WindowSizeFor(UINT dpi) {
  using AdjustFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = User32Function<AdjustFunction>("AdjustWindowRectExForDpi");
  RECT rect{0, 0, TwipsToPixels(kClientWidthTwips, static_cast<int>(dpi)),
            TwipsToPixels(kClientHeightTwips, static_cast<int>(dpi))};
  if (adjust) {
    adjust(&rect, kWindowStyle, FALSE, kWindowExStyle, dpi);
  } else {
    ::AdjustWindowRectEx(&rect, kWindowStyle, FALSE, kWindowExStyle);
  }
  return {rect.right - rect.left, rect.bottom - rect.top};
}

HFONT CreateDesignFont(const FontDesign& design, UINT dpi) {
  int height = -static_cast<int>(design.points * dpi / 72.0 + 0.5);
  return ::CreateFontW(height, 0, 0, 0, design.weight, FALSE, FALSE, FALSE,
                       static_cast<DWORD>(design.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, Wide(design.face).c_str());
}

// The control's place in the window's client area at `dpi`: its frame's origin plus its own
// offset, each in whole pixels.
RECT PixelRect(const ControlDesign& control, int dpi) {
  int left = TwipsToPixels(control.left, dpi), top = TwipsToPixels(control.top, dpi);
  if (control.parent) {
    const ControlDesign* frame = DesignNamed(control.parent);
    left += TwipsToPixels(frame->left, dpi);
    top += TwipsToPixels(frame->top, dpi);
  }
  return {left, top, left + TwipsToPixels(control.width, dpi),
          top + TwipsToPixels(control.height, dpi)};
}

}  // namespace

struct MainWindow::Impl : public Controls {
  // The message box, the folder browser and the result windows are owned by the window once it
  // exists.
  explicit Impl(MainWindow* owner)
      : window(owner),
        message_box(owner->hwnd_),
        folder_browser(owner->hwnd_),
        result_windows(owner->hwnd_) {}

  MainWindow* window;
  Win32MessageBox message_box;
  ShellFolderBrowser folder_browser;
  Win32ResultWindows result_windows;
  ModuleLocation location;
  FileSystemLister file_system;

  HWND Box(TextBox box) const { return window->Control(NameOf(box)); }
  std::string Text(TextBox box) const override {
    HWND edit = Box(box);
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
  }
  void SetText(TextBox box, const std::string& text) override {
    window->setting_text_ = true;
    ::SetWindowTextW(Box(box), Wide(text).c_str());
    window->setting_text_ = false;
  }
  void SetLabel8Caption(const std::string& caption) override {
    ::SetWindowTextW(window->Control("Label8"), Wide(caption).c_str());
  }
  bool Option1Selected() const override {
    return ::SendMessageW(window->Control("Option1"), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
};

MainWindow::MainWindow(WindowServices services, bool ends_program)
    : impl_(std::make_unique<Impl>(this)), ends_program_(ends_program) {
  form_ = std::make_unique<Form1>(
      ServicesFor(*impl_, services,
                  {&impl_->message_box, &impl_->folder_browser, &impl_->location,
                   &impl_->file_system, &impl_->result_windows}));
}

MainWindow::~MainWindow() {
  if (hwnd_) ::DestroyWindow(hwnd_);
  for (HFONT font : fonts_) {
    if (font) ::DeleteObject(font);
  }
  for (HICON icon : icons_) {
    if (icon) ::DestroyIcon(icon);
  }
}

bool MainWindow::Create(HINSTANCE instance) {
  WNDCLASSEXW window_class{};
  if (!::GetClassInfoExW(instance, kClassName, &window_class)) {
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = WindowProc;
    window_class.hInstance = instance;
    window_class.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kClassName;
    if (!::RegisterClassExW(&window_class)) return false;
  }
  INITCOMMONCONTROLSEX common{sizeof common, ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&common);
  SIZE size = WindowSizeFor(DpiOf(nullptr));
  return ::CreateWindowExW(kWindowExStyle, kClassName, Wide(kFormCaption).c_str(), kWindowStyle,
                           CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr,
                           instance, this) != nullptr;
}

void MainWindow::Load() {
  form_->Raise(Form1Event::Load);
}

HWND MainWindow::Control(std::string_view name) const {
  const ControlDesign* design = DesignNamed(name);
  return design ? controls_[static_cast<std::size_t>(design - kDesign.data())] : nullptr;
}

bool MainWindow::HandleDialogMessage(MSG& message) {
  return hwnd_ && ::IsDialogMessageW(hwnd_, &message);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  MainWindow* self = WindowObject<MainWindow>(hwnd, message, lparam);
  if (!self) return ::DefWindowProcW(hwnd, message, wparam, lparam);
  if (message == WM_NCCREATE) self->hwnd_ = hwnd;
  LRESULT result = self->HandleMessage(message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->controls_.fill(nullptr);
  }
  return result;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      CreateControls();
      Layout(DpiOf(hwnd_), nullptr);
      last_focus_ = controls_[kFirstFocus];
      ::SetFocus(last_focus_);
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_CTLCOLORSTATIC:
      // The locked path box keeps the window background of a text box.
      if (reinterpret_cast<HWND>(lparam) == Control("Text1")) {
        HDC dc = reinterpret_cast<HDC>(wparam);
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
      }
      break;
    case WM_DPICHANGED:
      Layout(LOWORD(wparam), reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(hwnd_, focus)) last_focus_ = focus;
      }
      break;
    case WM_SETFOCUS:
      // Back to the control that had the focus when the window was left.
      if (last_focus_ && ::IsWindow(last_focus_)) ::SetFocus(last_focus_);
      return 0;
    case WM_DESTROY:
      if (ends_program_) ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(hwnd_, message, wparam, lparam);
}

void MainWindow::OnCommand(int id, int code) {
  std::size_t index = static_cast<std::size_t>(id - kFirstControlId);
  if (id < kFirstControlId || index >= kDesign.size()) return;
  std::string_view name = kDesign[index].name;
  if (code == BN_CLICKED) {
    if (std::optional<Form1Event> click = ClickEventOf(name)) form_->Raise(*click);
    if (kDesign[index].kind == ControlKind::Option) MoveOptionTabStop();
  } else if (code == EN_CHANGE && !setting_text_) {
    if (std::optional<Form1Event> change = ChangeEventOf(name)) form_->Raise(*change);
  }
}

void MainWindow::CreateControls() {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
  const ControlDesign* previous = nullptr;
  for (std::size_t index : kTabOrder) {
    const ControlDesign& control = kDesign[index];
    // Each control starts a group of its own, except an option button that follows another of
    // the same frame: the option buttons of a frame form one group.
    bool joins_group = control.kind == ControlKind::Option && previous &&
                       previous->kind == ControlKind::Option &&
                       std::string_view(previous->parent) == control.parent;
    DWORD style = WS_CHILD | WS_VISIBLE | (joins_group ? 0 : WS_GROUP);
    DWORD ex_style = 0;
    const wchar_t* window_class = L"STATIC";
    switch (control.kind) {
      case ControlKind::Frame:
        window_class = L"BUTTON";
        style |= BS_GROUPBOX;
        break;
      case ControlKind::Label:
        style |= SS_LEFT | SS_NOPREFIX;
        break;
      case ControlKind::TextBox:
        window_class = L"EDIT";
        ex_style = WS_EX_CLIENTEDGE;
        style |= WS_TABSTOP;
        style |= control.multi_line ? ES_MULTILINE | ES_AUTOVSCROLL : ES_AUTOHSCROLL;
        if (control.locked) style |= ES_READONLY;
        break;
      case ControlKind::Option:
        window_class = L"BUTTON";
        style |= BS_AUTORADIOBUTTON;
        break;
      case ControlKind::Button:
        window_class = L"BUTTON";
        style |= BS_PUSHBUTTON | WS_TABSTOP;
        break;
    }
    HWND hwnd = ::CreateWindowExW(
        ex_style, window_class, Wide(control.text).c_str(), style, 0, 0, 0, 0, hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)), instance, nullptr);
    controls_[index] = hwnd;
    if (control.kind == ControlKind::TextBox) {
      // No length limit beyond the system's own.
      ::SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);
    }
    if (control.kind == ControlKind::TextBox || control.kind == ControlKind::Button) {
      ::SetWindowSubclass(hwnd, ControlProc, index, reinterpret_cast<DWORD_PTR>(this));
    }
    if (control.kind == ControlKind::Option && control.selected) {
      ::SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
    }
    previous = &control;
  }
  MoveOptionTabStop();
}

void MainWindow::MoveOptionTabStop() {
  for (std::size_t i = 0; i < kDesign.size(); ++i) {
    if (kDesign[i].kind != ControlKind::Option) continue;
    HWND option = controls_[i];
    LONG_PTR style = ::GetWindowLongPtrW(option, GWL_STYLE);
    bool checked = ::SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED;
    style = checked ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP);
    ::SetWindowLongPtrW(option, GWL_STYLE, style);
  }
}

void MainWindow::Layout(UINT dpi, const RECT* position) {
  dpi_ = dpi;
  SIZE size = WindowSizeFor(dpi);
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (position ? 0 : SWP_NOMOVE);
  ::SetWindowPos(hwnd_, nullptr, position ? position->left : 0, position ? position->top : 0,
                 size.cx, size.cy, flags);

  std::array<HFONT, 3> old = fonts_;
  for (FontRole role : {FontRole::Window, FontRole::Frame, FontRole::Entry}) {
    fonts_[static_cast<std::size_t>(role)] = CreateDesignFont(FontOf(role), dpi);
  }
  for (std::size_t i = 0; i < kDesign.size(); ++i) {
    RECT rect = PixelRect(kDesign[i], static_cast<int>(dpi));
    ::SetWindowPos(controls_[i], nullptr, rect.left, rect.top, rect.right - rect.left,
                   rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(controls_[i], WM_SETFONT,
                   reinterpret_cast<WPARAM>(fonts_[static_cast<std::size_t>(kDesign[i].font)]),
                   FALSE);
  }
  for (HFONT font : old) {
    if (font) ::DeleteObject(font);
  }

  // The icon group's image nearest each size, scaled to it where none has it.
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
  constexpr std::array<std::pair<int, int>, 2> kIconMetrics{
      {{SM_CXSMICON, SM_CYSMICON}, {SM_CXICON, SM_CYICON}}};
  for (WPARAM kind : {ICON_SMALL, ICON_BIG}) {
    auto [width, height] = kIconMetrics[kind];
    auto icon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                MetricFor(width, dpi), MetricFor(height, dpi),
                                                LR_DEFAULTCOLOR));
    ::SendMessageW(hwnd_, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
    if (icons_[kind]) ::DestroyIcon(icons_[kind]);
    icons_[kind] = icon;
  }
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT CALLBACK MainWindow::ControlProc(HWND control, UINT message, WPARAM wparam, LPARAM lparam,
                                         UINT_PTR index, DWORD_PTR self) {
  const ControlDesign& design = kDesign[index];
  if (design.kind == ControlKind::Button) {
    // The dialog keys make a push button that gets the focus the default one, which Enter
    // presses; no button here is ever the default.
    if (message == BM_SETSTYLE && (wparam & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      wparam = (wparam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_PUSHBUTTON;
    }
    return ::DefSubclassProc(control, message, wparam, lparam);
  }
  return reinterpret_cast<MainWindow*>(self)->HandleEditMessage(control, *TextBoxNamed(design.name),
                                                                message, wparam, lparam);
}

LRESULT MainWindow::HandleEditMessage(HWND edit, TextBox box, UINT message, WPARAM wparam,
                                      LPARAM lparam) {
  const bool filtered = Form1::HasKeyPress(box);
  switch (message) {
    case WM_GETDLGCODE:
      // The multi-line path box leaves Tab, Enter and Escape to the window.
      if (box == TextBox::Text1) {
        return ::DefSubclassProc(edit, message, wparam, lparam) &
               ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
      }
      break;
    case WM_CHAR:
    case WM_IME_CHAR:
      if (!filtered) break;
      // A character beyond the 16-bit range comes as two surrogates; it is filtered whole.
      if (IS_HIGH_SURROGATE(wparam)) {
        pending_high_surrogate_ = static_cast<wchar_t>(wparam);
        return 0;
      }
      if (IS_LOW_SURROGATE(wparam) && pending_high_surrogate_) {
        wchar_t pair[] = {pending_high_surrogate_, static_cast<wchar_t>(wparam)};
        pending_high_surrogate_ = 0;
        if (!form_->KeyPasses(box, Narrow(std::wstring_view(pair, 2)))) return 0;
        ::DefSubclassProc(edit, message, pair[0], lparam);
        break;
      }
      pending_high_surrogate_ = 0;
      if (wchar_t typed = static_cast<wchar_t>(wparam);
          !form_->KeyPasses(box, Narrow({&typed, 1}))) {
        return 0;
      }
      break;
    case WM_IME_COMPOSITION:
      if (filtered && (lparam & GCS_RESULTSTR)) {
        // The committed text goes through the filter a character at a time; each kept one is
        // typed at once, so that the next is filtered on the new text.
        HIMC context = ::ImmGetContext(edit);
        LONG bytes = ::ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
        std::wstring result(bytes > 0 ? static_cast<std::size_t>(bytes) / sizeof(wchar_t) : 0,
                            L'\0');
        if (!result.empty()) {
          ::ImmGetCompositionStringW(context, GCS_RESULTSTR, result.data(),
                                     static_cast<DWORD>(bytes));
        }
        ::ImmReleaseContext(edit, context);
        form_->RaiseCommit(box, Narrow(result), [edit](std::string_view typed) {
          ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Wide(typed).c_str()));
        });
        constexpr LPARAM kResult =
            GCS_RESULTSTR | GCS_RESULTCLAUSE | GCS_RESULTREADSTR | GCS_RESULTREADCLAUSE;
        return ::DefSubclassProc(edit, message, wparam, lparam & ~kResult);
      }
      break;
    default:
      break;
  }
  return ::DefSubclassProc(edit, message, wparam, lparam);
}

int RunMessageLoop(MainWindow& window) {
  MSG message;
  BOOL got;
  while ((got = ::GetMessageW(&message, nullptr, 0, 0)) > 0) {
    if (window.HandleDialogMessage(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  // -1: the loop failed, and `message` holds nothing.
  return got == 0 ? static_cast<int>(message.wParam) : 1;
}

}  // namespace torvane::win32
