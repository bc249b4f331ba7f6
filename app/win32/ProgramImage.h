#pragma once
// Which program file a window belongs to: the full path of its process's image, and for a
// Store app's frame the app it hosts.

#include <windows.h>

#include <string>

namespace tressel {

// The full path of a process's program file; empty when the process cannot be asked.
std::wstring ImagePathOf(DWORD processId);

// The file name of a path, without its folder.
std::wstring FileNameOfPath(const std::wstring& path);

// The process whose program `window` (of process `processId`) shows: a Store app's window is a
// frame of ApplicationFrameHost.exe, and the app's own window a child of it in the app's process.
DWORD ProgramProcessOf(HWND window, DWORD processId);

}  // namespace tressel
