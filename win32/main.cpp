#include <objbase.h>
#include <windows.h>

#include "win32/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
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
