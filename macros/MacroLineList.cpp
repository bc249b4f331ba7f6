#include "macros/MacroLineList.h"

#include <new>
#include <utility>

namespace tressel {

MacroLineList::MacroLineList() : lines_(std::make_shared<const Lines>()) {}

MacroLineList::Snapshot MacroLineList::Current() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

void MacroLineList::Publish(Lines lines) {
    Snapshot next = std::make_shared<const Lines>(std::move(lines));
    {
        std::lock_guard lock(mutex_);
        lines_.swap(next);
    }
    // `next` now holds the previous list; it is freed here, outside the lock, unless a reader
    // still holds it.
}

void MacroLineList::Clear() { Publish(Lines()); }

std::size_t MacroLineList::Count() const { return Current()->size(); }

std::array<MacroLineList, kButtonCount>& MacroLines() {
    using Lists = std::array<MacroLineList, kButtonCount>;
    // Constructed in place and deliberately never destroyed (see the header).
    alignas(Lists) static unsigned char storage[sizeof(Lists)];
    static Lists* const lists = ::new (static_cast<void*>(storage)) Lists();
    return *lists;
}

MacroLineList& MacroLinesOf(ButtonId input) { return MacroLines()[ToIndex(input)]; }

}  // namespace tressel
