#pragma once
// A change of the settings made through the real window, and what of it shows: the settings file
// after its save, the notification-area balloon that tells of a failed one.

#include <windows.h>

#include <string>

namespace tressel::testing {

// Selects X2 as a click on its button does (its function menu opens and is dismissed), then
// assigns Combination › Word › Copy to it: the window shows the caption "Copy" at once, the save
// follows a moment later.
void AssignCopyToX2(HWND window, DWORD processId);

// Whether the settings file `iniPath` holds X2 as AssignCopyToX2 left it.
bool X2SavedAsCopy(const std::wstring& iniPath);

// The text of the notification-area balloon on screen that contains `words`, or empty. Wine's
// tray shows a balloon as a tooltip window (TTS_BALLOON) of the shell's process, owned by the
// icon's window, whose WM_GETTEXT answers the text while it shows; its title cannot be read from
// another process. How Windows shows a balloon is the shell's own affair: that the program asks
// for one, once per run of failures, is what the native tests check.
std::wstring BalloonContaining(const std::wstring& words);

}  // namespace tressel::testing
