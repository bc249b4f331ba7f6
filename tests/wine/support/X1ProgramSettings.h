#pragma once
// A settings file with programs' own functions for X1, written by hand: X1 types Ctrl+C for all
// programs, Ctrl+V in Wine's notepad, and does its native job in the running test's own
// program. Shared by the test of the switch and the benchmark of its speed.

#include <string>

#include "wine/support/Recorder.h"

namespace tressel::testing {

// The file name of the running executable, without its folder.
std::string OwnFileName();

// The settings file's bytes (its programs list names notepad in capitals and this program not
// at all: both sections still apply).
std::string X1CopyPasteOwnNativeSettings();

// Whether the program typed `vk` (an injected key press) in `events` from index `from` on.
bool TypedKey(const Recorder::Events& events, std::size_t from, unsigned long vk);

// What the program made of one physical X1 click (x11_button::kXButton2, XBUTTON2 in Windows'
// terms), from what the recorder logged since just before it.
enum class X1Did { Native, Pasted, Copied, Astray };
const char* NameOf(X1Did did);

struct X1ClickTrace {
    int pressesPassed = 0, releasesPassed = 0;  // the click's own events the program let through
    int pressesMade = 0, releasesMade = 0;      // X1 events the program synthesised in their place
    bool pasted = false, copied = false;
    // Enough has come to tell what the click did (a native click: both of its events).
    bool Complete() const;
    // Native: press and release passed, or the program made them, nothing typed; Pasted or Copied:
    // that chord alone; anything else (a release that went another way than its press, say) is
    // astray.
    X1Did Verdict() const;
};
X1ClickTrace TraceX1Click(const Recorder::Events& events, std::size_t from);

}  // namespace tressel::testing
