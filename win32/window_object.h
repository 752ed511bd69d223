#pragma once

#include <windows.h>

namespace torvane::win32 {

/// The object a window procedure serves: CreateWindowExW hands it over as its last argument, and
/// from WM_NCCREATE on it is kept in the window's user data. nullptr for the messages that come
/// before WM_NCCREATE, which DefWindowProcW answers, and after the caller has cleared the user
/// data at WM_NCDESTROY.
template <typename Window>
Window* WindowObject(HWND hwnd, UINT message, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    return self;
  }
  return reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

}  // namespace torvane::win32
