#pragma once
// What the program needs to know of the program whose window is in front.

namespace tressel {

struct ForegroundProgram {
    // False when synthesised input cannot reach it: it runs at a higher integrity level than
    // this program (an elevated program, or one of the system's), or could not be asked.
    bool reachable = true;
    bool operator==(const ForegroundProgram&) const = default;
};

}  // namespace tressel
