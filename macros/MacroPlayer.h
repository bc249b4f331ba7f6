#pragma once
// Plays a compiled macro once, first line to last, as synthesised input. The macro position
// starts at the pointer; "a"/"b" press/release the left button there, "g" waits precisely (see
// PlaybackSession), "h" moves horizontally from the pointer's real position, "i" vertically from
// the macro's own position, "j"/"k" press/release a virtual key. Other lines ("c".."f" among them)
// do nothing. Every event is one SendInput call with one record.

#include "config/ButtonId.h"
#include "macros/MacroLineList.h"
#include "seam/InputSystem.h"

namespace tressel {

// The list is read line by line while it plays: its number of lines is looked at anew before
// every line, so a rebuild during the run takes effect from the next line on.
void PlayMacroLines(const MacroLineList& list, InputSystem& input);

// Plays the input's process-wide list.
void PlayMacroLines(ButtonId input, InputSystem& system);

}  // namespace tressel
