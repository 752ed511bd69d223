#include <objbase.h>
#include <windows.h>

#include "runtime/library_search_win.h"
#include "win32/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  // Before the first call into a delay-loaded DLL (user32 among them).
  torvane::LoadLibrariesFromSystemFolderOnly();
  // Windows' own DLLs load these late, by name, while the window draws. Windows then searches as
  // set above, but Wine looks for the delay-loaded imports of its DLLs along the search path the
  // process started with, the program's folder first; loaded now from the system folder, they
  // are found in memory instead.
  for (const wchar_t* name : {L"msimg32.dll"}) {
    ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  // The shell's folder browser needs COM on this, the window's only thread.
  HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  int exit_code = 1;
  {
    torvane::win32::MainWindow window;
    if (window.Create(instance)) {
      window.Load();
      ::ShowWindow(window.hwnd(), show);
      ::UpdateWindow(window.hwnd());
      exit_code = torvane::win32::RunMessageLoop(window);
    }
  }
  if (SUCCEEDED(com)) ::CoUninitialize();
  return exit_code;
}
