// The Win32 result window with real messages and real painting; the save dialog and the message
// box are fakes.

#include "win32/result_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>

#include "picture/svg.h"
#include "runtime/wide_win.h"
#include "support/current_directory.h"
#include "support/result_run.h"
#include "win32/dpi.h"
#include "win32/main_window.h"

namespace torvane::win32 {
namespace {

using namespace torvane::testing;

void Flush() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

std::string TitleOf(HWND hwnd) {
  wchar_t text[256] = {};
  ::GetWindowTextW(hwnd, text, 256);
  return Narrow(text);
}

COLORREF ColorOf(picture::Rgb rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// The device pixel of `point` (device-independent, from the grid's corner) at `dpi`.
POINT Device(picture::Point point, UINT dpi) {
  return {static_cast<LONG>(std::lround(point.x * dpi / 96.0)),
          static_cast<LONG>(std::lround(point.y * dpi / 96.0))};
}

class ResultWindowTest : public ::testing::Test {
 protected:
  ResultWindowTest() {
    window = ResultWindow::Open(ResultOf(data, 7), {&dialog, &messages}, nullptr);
    Flush();
  }
  ~ResultWindowTest() override {
    if (window) ::DestroyWindow(window->hwnd());
    Flush();
  }
  // Sizes the window's client area to `width` x `height` device-independent pixels.
  void Resize(int width, int height) {
    UINT dpi = DpiOf(window->hwnd());
    RECT rect{0, 0, static_cast<LONG>(width * dpi / 96), static_cast<LONG>(height * dpi / 96)};
    ::AdjustWindowRectEx(&rect, static_cast<DWORD>(::GetWindowLongW(window->hwnd(), GWL_STYLE)),
                         FALSE, 0);
    ::SetWindowPos(window->hwnd(), nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOZORDER | SWP_NOMOVE);
    Flush();
  }
  // The colour the view shows at `point` (device-independent, from the grid's corner).
  COLORREF ShownAt(picture::Point point) {
    ::RedrawWindow(window->View(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    ::GetScrollInfo(window->View(), SB_VERT, &info);
    POINT at = Device(point, DpiOf(window->hwnd()));
    HDC dc = ::GetDC(window->View());
    COLORREF color = ::GetPixel(dc, at.x, at.y - info.nPos);
    ::ReleaseDC(window->View(), dc);
    return color;
  }

  TempFolder data;
  FakeSaveDialog dialog;
  FakeMessageBox messages;
  ResultWindow* window = nullptr;
};

TEST_F(ResultWindowTest, ShowsThePanelsInAGridThatReflowsAndScrollsAndCopiesThemAll) {
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(::GetWindowLongW(window->hwnd(), GWL_STYLE) & WS_THICKFRAME) << "resizable";
  EXPECT_EQ(TitleOf(window->SaveButton()), "另存为 SVG…");
  EXPECT_EQ(TitleOf(window->CopyButton()), "复制图片");

  Resize(700, 300);
  EXPECT_EQ(window->grid().columns, 3);
  const picture::Scene& scene = window->content().scene;
  EXPECT_EQ(ShownAt(InsideBand(scene, window->grid(), 2)), ColorOf(picture::kBandColor));
  // Scrolled to the end (the End key), the last panel is drawn with its band; back by the wheel.
  ::SendMessageW(window->hwnd(), WM_KEYDOWN, VK_END, 0);
  Flush();
  EXPECT_EQ(ShownAt(InsideBand(scene, window->grid(), 6)), ColorOf(picture::kBandColor));
  ::SendMessageW(window->View(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA * 100), 0);
  EXPECT_EQ(ShownAt(InsideBand(scene, window->grid(), 1)), ColorOf(picture::kBandColor));

  // "复制图片": every panel, as laid out now, at the window's DPI.
  ::SendMessageW(window->CopyButton(), BM_CLICK, 0, 0);
  ASSERT_TRUE(messages.shown.empty()) << messages.shown[0].prompt;
  ASSERT_TRUE(::OpenClipboard(window->hwnd()));
  auto bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
  BITMAP shape{};
  ASSERT_TRUE(::GetObjectW(bitmap, sizeof shape, &shape));
  UINT dpi = DpiOf(window->hwnd());
  POINT size = Device({window->grid().Width(), window->grid().Height()}, dpi);
  EXPECT_EQ(shape.bmWidth, size.x);
  EXPECT_EQ(shape.bmHeight, size.y);
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  POINT band = Device(InsideBand(scene, window->grid(), 6), dpi);
  EXPECT_EQ(::GetPixel(dc, band.x, band.y), ColorOf(picture::kBandColor));
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ::CloseClipboard();

  Resize(350, 300);
  EXPECT_EQ(window->grid().columns, 1);
  EXPECT_EQ(ShownAt(InsideBand(scene, window->grid(), 0)), ColorOf(picture::kBandColor));
}

// What the completion box is answered with: the caption of the button to click, or nothing for
// the Enter key.
std::wstring answer;
std::string box_text;

// Finds the window of this thread titled "提示", or nullptr.
HWND CompletionBox() {
  HWND found = nullptr;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND hwnd, LPARAM data) -> BOOL {
        if (!::IsWindowVisible(hwnd) || TitleOf(hwnd) != "提示") return TRUE;
        *reinterpret_cast<HWND*>(data) = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Answers the completion box once it is up, as `answer` says; notes the box's texts.
void CALLBACK AnswerTheBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = CompletionBox();
  if (!box) return;  // not up yet
  ::KillTimer(nullptr, timer);
  std::pair<HWND, std::string> search{nullptr, {}};
  ::EnumChildWindows(
      box,
      [](HWND child, LPARAM data) -> BOOL {
        auto& [button, texts] = *reinterpret_cast<std::pair<HWND, std::string>*>(data);
        texts += TitleOf(child) + "\n";
        if (TitleOf(child) == Narrow(answer)) button = child;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  box_text = search.second;
  if (answer.empty()) {
    ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
    ::PostMessageW(::GetFocus(), WM_KEYUP, VK_RETURN, 1);
  } else if (search.first) {
    ::SendMessageW(search.first, BM_CLICK, 0, 0);
  } else {
    ADD_FAILURE() << "no button " << Narrow(answer) << " among\n" << box_text;
    ::PostMessageW(box, WM_CLOSE, 0, 0);
  }
}

TEST(CompletionBoxTest, ItsButtonOpensTheResultWindowWhoseSvgIsTheRunsAndEnterStillClosesIt) {
  TempFolder data, here;
  BatchRequest request = SpectraRun(data, 3);
  FakeLocation location;
  location.folder = data.str();
  FakeSaveDialog dialog;
  FakeMessageBox messages;
  HWND owner = nullptr;
  Win32ResultWindows results(owner, {&dialog, &messages});
  MainWindow window({nullptr, nullptr, &location, nullptr, &results}, /*ends_program=*/false);
  ASSERT_TRUE(window.Create(::GetModuleHandleW(nullptr)));
  owner = window.hwnd();
  window.Load();
  ::ShowWindow(window.hwnd(), SW_SHOW);
  ::SetWindowTextW(window.Control("Text2"), L"1");
  ::SetWindowTextW(window.Control("Text3"), L"990");
  ::SetWindowTextW(window.Control("Text4"), L"1010");
  Flush();
  CurrentDirectory cwd(here.path());

  answer.clear();
  ::SetTimer(nullptr, 0, 50, AnswerTheBox);
  ::SendMessageW(window.Control("Command2"), BM_CLICK, 0, 0);
  Flush();
  EXPECT_TRUE(here.Read("990-1010.txt"));
  EXPECT_NE(box_text.find("处理完毕\n"), std::string::npos) << box_text;
  EXPECT_NE(box_text.find("查看图表(&V)\n"), std::string::npos) << box_text;
  EXPECT_EQ(::FindWindowW(ResultWindow::kClassName, nullptr), nullptr) << "Enter pressed OK";

  answer = L"查看图表(&V)";
  ::SetTimer(nullptr, 0, 50, AnswerTheBox);
  ::SendMessageW(window.Control("Command2"), BM_CLICK, 0, 0);
  Flush();
  ResultWindow* result = ResultWindow::FromHandle(::FindWindowW(ResultWindow::kClassName, nullptr));
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(TitleOf(result->hwnd()), "图表 - 990-1010.txt");
  EXPECT_EQ(::GetWindow(result->hwnd(), GW_OWNER), window.hwnd());
  EXPECT_EQ(result->content().scene.panels.size(), 3u);

  dialog.answer = here.str() + "\\图表.svg";
  ::SendMessageW(result->SaveButton(), BM_CLICK, 0, 0);
  EXPECT_EQ(
      here.Read("图表.svg"),
      picture::SceneSvg(picture::BuildScene(request, CollectResults(request, {})), kSvgColumns));
  EXPECT_TRUE(messages.shown.empty());
  ::DestroyWindow(result->hwnd());
  Flush();
}

}  // namespace
}  // namespace torvane::win32
