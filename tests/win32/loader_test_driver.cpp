// Uses torvane.exe from outside, as a person would:
//   loader_test_driver PROGRAM FOLDER   starts PROGRAM with FOLDER as its current folder, waits
//       for its window, opens the folder browser and cancels it, runs a batch from 1 to 3 and
//       closes the completion box, then closes the window. Exit status 0 when the window did all
//       of it as usual and ended with status 0.
//   loader_test_driver --load DLL       loads DLL by name the way Windows searches by default
//       (this program's folder first) and exits.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/design.h"

namespace {

// As win32/main_window.cpp numbers the controls: kDesign's index plus this.
constexpr int kFirstControlId = 100;
constexpr DWORD kPatienceMs = 60000;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "loader_test_driver: %s (error %lu)\n", what, ::GetLastError());
  std::fflush(stderr);
  std::exit(1);
}

int ControlId(std::string_view name) {
  for (std::size_t i = 0; i < torvane::kDesign.size(); ++i) {
    if (name == torvane::kDesign[i].name) return kFirstControlId + static_cast<int>(i);
  }
  Fail("no such control in the design");
}

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  ::GetWindowTextW(window, text, 1024);
  return text;
}

struct Search {
  DWORD process;
  HWND except;
  const wchar_t* class_name;  // nullptr: any
  const wchar_t* title;       // nullptr: any
  HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (process != search->process || window == search->except || !::IsWindowVisible(window)) {
    return TRUE;
  }
  wchar_t class_name[64] = {};
  ::GetClassNameW(window, class_name, 64);
  if (search->class_name && std::wstring_view(class_name) != search->class_name) return TRUE;
  if (search->title && TextOf(window) != search->title) return TRUE;
  search->found = window;
  return FALSE;
}

// A visible top-level window of `process` other than `except`, once one shows.
HWND AwaitWindow(DWORD process, HWND except, const wchar_t* class_name, const wchar_t* title,
                 const char* what) {
  for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < kPatienceMs; ::Sleep(20)) {
    Search search{process, except, class_name, title};
    ::EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
  }
  Fail(what);
}

void AwaitClosed(HWND window, const char* what) {
  for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < kPatienceMs; ::Sleep(20)) {
    if (!::IsWindow(window)) return;
  }
  Fail(what);
}

// A control's text, asked of its own process (GetWindowTextW does not ask across processes).
std::wstring ControlText(HWND control) {
  wchar_t text[1024] = {};
  DWORD_PTR result = 0;
  if (!control || !::SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                                         SMTO_ABORTIFHUNG, kPatienceMs, &result)) {
    Fail("a control does not answer");
  }
  return text;
}

void Click(HWND window, std::string_view button) {
  int id = ControlId(button);
  HWND control = ::GetDlgItem(window, id);
  if (!control) Fail("a button is missing");
  ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

void Type(HWND window, std::string_view box, const wchar_t* text) {
  HWND control = ::GetDlgItem(window, ControlId(box));
  DWORD_PTR result = 0;
  if (!control || !::SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text),
                                         SMTO_ABORTIFHUNG, kPatienceMs, &result)) {
    Fail("a text box does not answer");
  }
}

int UseWindow(const wchar_t* program, const wchar_t* folder) {
  std::wstring command = L"\"" + std::wstring(program) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(program, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder,
                        &startup, &started)) {
    Fail("cannot start the program");
  }
  const DWORD process = started.dwProcessId;
  HWND window = AwaitWindow(process, nullptr, nullptr, L"Torvane", "the window does not show");
  wchar_t full_folder[MAX_PATH] = {};
  ::GetFullPathNameW(folder, MAX_PATH, full_folder, nullptr);
  std::wstring shown = ControlText(::GetDlgItem(window, ControlId("Text1")));
  if (shown != full_folder) {
    std::fprintf(stderr, "loader_test_driver: the window shows [%ls], not [%ls]\n", shown.c_str(),
                 full_folder);
    Fail("the window does not start in its own folder");
  }

  Click(window, "Command1");
  HWND browser =
      AwaitWindow(process, window, L"#32770", nullptr, "the folder browser does not open");
  ::PostMessageW(browser, WM_COMMAND, IDCANCEL, 0);
  AwaitClosed(browser, "the folder browser does not close");

  Type(window, "Text3", L"1");
  Type(window, "Text4", L"3");
  Click(window, "Command2");
  HWND box = AwaitWindow(process, window, L"#32770", nullptr, "no box after the batch run");
  std::wstring said;  // the box's texts: a task dialog's are its controls' under Wine
  ::EnumChildWindows(
      box,
      [](HWND control, LPARAM texts) -> BOOL {
        *reinterpret_cast<std::wstring*>(texts) += ControlText(control) + L"\n";
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&said));
  if (said.find(L"处理完毕") == std::wstring::npos) {
    std::fprintf(stderr, "loader_test_driver: the batch run says: %ls\n", said.c_str());
    Fail("the batch run did not complete");
  }
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  AwaitClosed(box, "the completion box does not close");

  ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(started.hProcess, kPatienceMs) != WAIT_OBJECT_0) {
    Fail("the program does not end when its window closes");
  }
  DWORD status = 1;
  ::GetExitCodeProcess(started.hProcess, &status);
  ::CloseHandle(started.hThread);
  ::CloseHandle(started.hProcess);
  if (status != 0) Fail("the program ends with a failure status");
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wstring_view(argv[1]) == L"--load") {
    ::LoadLibraryW(argv[2]);
    return 0;
  }
  if (argc != 3) Fail("usage: loader_test_driver PROGRAM FOLDER | --load DLL");
  return UseWindow(argv[1], argv[2]);
}
