#pragma once
// What the program needs to know of the program whose window is in front.

#include <cstdint>
#include <string>

namespace tressel {

struct ForegroundProgram {
    // False when synthesised input cannot reach it: it runs at a higher integrity level than
    // this program (an elevated program, or one of the system's), or could not be asked.
    bool reachable = true;
    // Its program file's name without the folder, as the file system spells it ("Notepad.exe");
    // for a window of the Store apps' frame host, the name of the app it hosts. Empty when it is
    // not known (this program's own window, a process that cannot be asked).
    std::wstring fileName{};
    // When it came to the front: the system's tick count in ms, as message times are.
    std::uint32_t since = 0;
    bool operator==(const ForegroundProgram&) const = default;
};

}  // namespace tressel
