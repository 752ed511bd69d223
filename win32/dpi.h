#pragma once

#include <windows.h>

namespace torvane::win32 {

/// A function of user32.dll that older systems may lack (those of Windows 10 1607 and later),
/// looked up by name so that older systems still run; nullptr where the system has none.
template <typename Function>
Function User32Function(const char* name) {
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  FARPROC found = user32 ? ::GetProcAddress(user32, name) : nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

/// The DPI of the window `hwnd` (GetDpiForWindow on Windows 10 1607 and later), or else the
/// system's; the system's for a null `hwnd`.
UINT DpiOf(HWND hwnd);

}  // namespace torvane::win32
