// The Win32 window with real controls and real messages: each step posts or sends what the user
// or the system would, flushes the queue as the message loop does, then checks. The message box
// and the folder browser are fakes, so nothing modal opens.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>

#include "runtime/output_file.h"
#include "runtime/wide_win.h"
#include "support/current_directory.h"
#include "support/fakes.h"
#include "win32/main_window.h"
#include "win32/shell_services.h"

namespace torvane::win32 {
namespace {

using namespace torvane::testing;

class WindowTest : public ::testing::Test {
 protected:
  WindowTest() {
    data.Write("9.txt", "x\ty\r\n1\t5\r\n2\t9\r\n3\t-4\r\n");
    data.Write("10.txt", "x\ty\r\n1.50\t7\r\n2.5\t8\r\n9\t1\r\n");
    data.Write("样品.txt", "x\ty\r\n2\t\xB7\xE5\r\n");
    location.folder = data.str();
    EXPECT_TRUE(window.Create(::GetModuleHandleW(nullptr)));
    window.Load();
    ::ShowWindow(window.hwnd(), SW_SHOW);
    Flush();
  }

  // Hands every queued message to the window as its message loop does.
  void Flush() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (window.HandleDialogMessage(message)) continue;
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  HWND Control(const char* name) const { return window.Control(name); }
  std::string Text(const char* name) const {
    wchar_t text[1024] = {};
    ::GetWindowTextW(Control(name), text, 1024);
    return Narrow(text);
  }
  // The design name of the control with the focus.
  std::string Focused() const {
    for (const ControlDesign& control : kDesign) {
      if (::GetFocus() == Control(control.name)) return control.name;
    }
    return "(none)";
  }
  void Type(const char* name, std::wstring_view keys, UINT message = WM_CHAR) {
    for (wchar_t key : keys) ::PostMessageW(Control(name), message, key, 1);
    Flush();
  }
  // A key pressed where the focus is.
  void Press(UINT key) {
    MSG message{};
    message.hwnd = ::GetFocus();
    message.message = WM_KEYDOWN;
    message.wParam = key;
    message.lParam = 1 | ::MapVirtualKeyW(key, MAPVK_VK_TO_VSC) << 16;
    if (!window.HandleDialogMessage(message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    Flush();
  }
  void Click(const char* name) {
    ::SendMessageW(Control(name), BM_CLICK, 0, 0);
    Flush();
  }

  // The window's icons are loaded for `dpi`: the system's icon sizes, 32 and 16 pixels at 96.
  void ExpectIcons(UINT dpi) {
    for (auto [kind, side] : {std::pair{ICON_BIG, 32}, std::pair{ICON_SMALL, 16}}) {
      auto icon = reinterpret_cast<HICON>(::SendMessageW(window.hwnd(), WM_GETICON, kind, 0));
      ICONINFO info{};
      ASSERT_TRUE(::GetIconInfo(icon, &info)) << kind;
      BITMAP bitmap{};
      ::GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
      EXPECT_EQ(bitmap.bmWidth, ::MulDiv(side, static_cast<int>(dpi), 96)) << kind;
      ::DeleteObject(info.hbmColor);
      ::DeleteObject(info.hbmMask);
    }
  }

  void ExpectLayout(UINT dpi) {
    for (const ControlDesign& control : kDesign) {
      SCOPED_TRACE(control.name);
      const int px = static_cast<int>(dpi);
      const ControlDesign* frame = control.parent ? DesignNamed(control.parent) : nullptr;
      const int left =
          TwipsToPixels(control.left, px) + (frame ? TwipsToPixels(frame->left, px) : 0);
      const int top = TwipsToPixels(control.top, px) + (frame ? TwipsToPixels(frame->top, px) : 0);
      RECT rect;
      ::GetWindowRect(Control(control.name), &rect);
      ::MapWindowPoints(HWND_DESKTOP, window.hwnd(), reinterpret_cast<POINT*>(&rect), 2);
      EXPECT_EQ(rect.left, left);
      EXPECT_EQ(rect.top, top);
      EXPECT_EQ(rect.right - rect.left, TwipsToPixels(control.width, px));
      EXPECT_EQ(rect.bottom - rect.top, TwipsToPixels(control.height, px));

      LOGFONTW font{};
      auto handle =
          reinterpret_cast<HFONT>(::SendMessageW(Control(control.name), WM_GETFONT, 0, 0));
      ASSERT_TRUE(::GetObjectW(handle, sizeof font, &font));
      const FontDesign& design = FontOf(control.font);
      EXPECT_EQ(Narrow(font.lfFaceName), design.face);
      EXPECT_EQ(font.lfHeight, -std::lround(design.points * dpi / 72));
      EXPECT_EQ(font.lfCharSet, design.charset);
      if (control.kind == ControlKind::TextBox) {
        EXPECT_GT(::SendMessageW(Control(control.name), EM_GETLIMITTEXT, 0, 0), 32767);
      }
    }
  }

  TempFolder data, out;
  FakeMessageBox messages;
  FakeFolderBrowser browser;
  FakeLocation location;
  MainWindow window{{&messages, &browser, &location, nullptr}, /*ends_program=*/false};
};

TEST_F(WindowTest, ControlsFontsAndCaptionsAsDesignedAtTheDisplaysDpiAndAfterAChange) {
  if (const char* expected = std::getenv("TORVANE_EXPECT_DPI")) {
    EXPECT_EQ(window.dpi(), static_cast<UINT>(std::atoi(expected)));
  }
  RECT client;
  ::GetClientRect(window.hwnd(), &client);
  EXPECT_EQ(client.right, TwipsToPixels(kClientWidthTwips, static_cast<int>(window.dpi())));
  EXPECT_EQ(client.bottom, TwipsToPixels(kClientHeightTwips, static_cast<int>(window.dpi())));
  EXPECT_FALSE(::GetWindowLongW(window.hwnd(), GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX))
      << "the window cannot be resized";
  ExpectLayout(window.dpi());
  ExpectIcons(window.dpi());
  for (const ControlDesign& control : kDesign) {
    std::string_view name = control.name;
    if (name != "Text1" && name != "Label8") {
      EXPECT_EQ(Text(control.name), control.text) << name;
    }
  }
  EXPECT_EQ(Text("Text1"), data.str());
  EXPECT_EQ(Text("Label8"), "3");

  // Moved to a monitor of another density, the window lays itself out again.
  const UINT other = window.dpi() == 144 ? 96 : 144;
  RECT suggested;
  ::GetWindowRect(window.hwnd(), &suggested);
  ::SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(other, other),
                 reinterpret_cast<LPARAM>(&suggested));
  ExpectLayout(other);
  ExpectIcons(other);
}

TEST_F(WindowTest, TabWalksTheDesignedOrderAndEnterOrEscapePressNoButton) {
  EXPECT_EQ(Focused(), "Command1");
  for (const char* next :
       {"Text1", "Text2", "Text3", "Text4", "Text5", "Command2", "Option1", "Command1"}) {
    Press(VK_TAB);
    EXPECT_EQ(Focused(), next);
  }
  // The option group is one stop: its selected button.
  Click("Option2");
  EXPECT_EQ(::SendMessageW(Control("Option1"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  ::SetFocus(Control("Command2"));
  Press(VK_TAB);
  EXPECT_EQ(Focused(), "Option2");
  Press(VK_TAB);
  EXPECT_EQ(Focused(), "Command1");

  for (const char* stop : {"Command1", "Text1", "Text2", "Text5", "Command2", "Option2"}) {
    ::SetFocus(Control(stop));
    Press(VK_RETURN);
    Press(VK_ESCAPE);
  }
  EXPECT_TRUE(browser.titles.empty()) << "the folder pick ran";
  EXPECT_TRUE(messages.shown.empty()) << "the run ran";
}

TEST_F(WindowTest, NumberBoxesFilterTypedCharactersButNotAPaste) {
  Type("Text3", L"1a.5.中/");
  EXPECT_EQ(Text("Text3"), "1.5/");
  EXPECT_EQ(Text("Text5"), "1.5/-") << "the summary name follows the range";
  Type("Text4", L"7x", WM_IME_CHAR);
  EXPECT_EQ(Text("Text5"), "1.5/-7");

  ::SendMessageW(Control("Text2"), EM_SETSEL, 0, -1);
  Type("Text2", L"12.x\b\xD83D\xDE00\x16");  // a backspace, an emoji, Ctrl+V
  EXPECT_EQ(Text("Text2"), "1");

  ASSERT_TRUE(::OpenClipboard(window.hwnd()));
  ::EmptyClipboard();
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, sizeof L"-a");
  std::memcpy(::GlobalLock(memory), L"-a", sizeof L"-a");
  ::GlobalUnlock(memory);
  ::SetClipboardData(CF_UNICODETEXT, memory);
  ::CloseClipboard();
  ::SendMessageW(Control("Text2"), WM_PASTE, 0, 0);
  EXPECT_EQ(Text("Text2"), "1-a") << "a paste goes in unfiltered";
}

TEST_F(WindowTest, RunPressedWithTheMouseWritesTheSummaryForPeakAndValley) {
  CurrentDirectory here(out.path());
  ::SendMessageW(Control("Text2"), EM_SETSEL, 0, -1);
  Type("Text2", L"1");
  Type("Text3", L"1");
  Type("Text4", L"3");
  Click("Command2");
  const std::string sample = "\xD1\xF9\xC6\xB7\t2\t\xB7\xE5\r\n";  // 样品 in code page 936
  EXPECT_EQ(out.Read("1-3.txt"), sample + "9\t2\t9\r\n10\t2.5\t8\r\n");
  Click("Option2");
  Click("Command2");
  EXPECT_EQ(out.Read("1-3.txt"), sample + "9\t3\t-4\r\n10\t1.50\t7\r\n");
}

// Which folder a pick or a cancel leaves is Form1's (tests/app): here, a path beyond the ANSI
// code page reaches the caption and the catalogue intact.
TEST_F(WindowTest, FolderPickShowsTheChosenFolder) {
  TempFolder other;
  const std::string chosen = other.str() + "\\光谱😀";
  std::filesystem::create_directory(PathOf(chosen));
  for (const char* name : {"\\1.txt", "\\2.txt"}) ReplaceFileContents(chosen + name, "", "x");
  browser.answers = {chosen};
  Click("Command1");
  EXPECT_EQ(Text("Text1"), chosen);
  EXPECT_EQ(Text("Label8"), "2");
}

TEST(FolderBrowser, TakesAPathOfAnyLengthTheShellGives) {
  DWORD largest = 0;
  auto shell = [&largest](std::size_t length) {
    return [&largest, length](wchar_t* buffer, DWORD size) {
      largest = size;
      if (size <= length) return false;
      std::fill_n(buffer, length, L'x');
      buffer[length] = L'\0';
      return true;
    };
  };
  EXPECT_EQ(PathOfAnyLength(shell(32767)).value_or(L"").size(), 32767u);
  EXPECT_EQ(PathOfAnyLength(shell(32768)), std::nullopt) << "nothing is longer";
  EXPECT_EQ(largest, 32768u);
}

TEST(ProgramLocation, FolderOfTheExecutable) {
  EXPECT_EQ(FolderOfModulePath(L"C:\\Data\\光谱\\torvane.exe"), L"C:\\Data\\光谱");
  EXPECT_EQ(FolderOfModulePath(L"C:\\torvane.exe"), L"C:\\") << "a drive's root keeps its \\";
  EXPECT_EQ(FolderOfModulePath(L"\\\\server\\share\\torvane.exe"), L"\\\\server\\share");
}

}  // namespace
}  // namespace torvane::win32
