#pragma once
// A physical press of a remapped input, seen by an independent recorder and by the focused
// window under the pointer: what the press gives, and that the press itself went nowhere.

#include <gtest/gtest.h>

#include <vector>

#include "wine/support/InputPad.h"
#include "wine/support/Recorder.h"

namespace tressel::testing {

struct KeyStroke {
    unsigned message;  // WM_KEYDOWN or WM_KEYUP
    unsigned long vk;  // VK_CONTROL for either Ctrl key, VK_SHIFT and VK_MENU alike
};

inline const std::vector<KeyStroke> kCtrlC = {
    {WM_KEYDOWN, VK_CONTROL}, {WM_KEYDOWN, 'C'}, {WM_KEYUP, 'C'}, {WM_KEYUP, VK_CONTROL}};

// Presses X11 `button` (a click) with `pad` focused under the pointer, waits for `keysToCome`
// key events from the program (none: no wait) and then for a sentinel click on the pad, and
// returns what the recorder logged from the press on.
Recorder::Events PressOnPad(const Recorder& recorder, InputPad& pad, int button,
                            std::size_t keysToCome = 0);

// Presses X11 `button` on `pad` (PressOnPad) and checks that the program typed exactly
// `chord`, that the press itself passed neither the program's hook (the recorder sees no
// physical event of any button but the sentinel's left one, and does see that one) nor reached
// the pad.
::testing::AssertionResult PressGivesOnlyChord(const Recorder& recorder, InputPad& pad, int button,
                                               const std::vector<KeyStroke>& chord);

}  // namespace tressel::testing
