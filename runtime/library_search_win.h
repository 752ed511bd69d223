#pragma once

#include <windows.h>

namespace torvane {

/// Restricts every later library load of the process, the delay-loaded DLLs and those that
/// Windows' own DLLs load for them included, to the system folder: never the program's folder
/// (often a data folder), the current folder or PATH. The program imports only Known DLLs
/// directly, which Windows always takes from the system folder; this must run first in main,
/// before any call into a delay-loaded DLL. A system without SetDefaultDllDirectories (Windows 7
/// without update KB2533623) keeps its search order, less the current folder.
inline void LoadLibrariesFromSystemFolderOnly() {
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  HMODULE kernel32 = ::GetModuleHandleW(L"kernel32.dll");
  FARPROC found = kernel32 ? ::GetProcAddress(kernel32, "SetDefaultDllDirectories") : nullptr;
  if (found) {
    reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void (*)()>(found))(
        LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  ::SetDllDirectoryW(L"");
}

}  // namespace torvane
