#pragma once
// A compiled macro: the ordered action lines ("a".."k" plus argument) of one input's script.
// The compiler builds a new list apart and publishes it in one step, so a playback worker
// reading the list at the same time sees either the old or the new list, never a half-built
// one. Readers take a snapshot, which stays valid however often the list is rebuilt meanwhile.

#include <array>
#include <cstddef>
#include <memory>
#include <mutex>
#include "config/ButtonId.h"
#include "macros/ActionLines.h"

namespace tressel {

class MacroLineList {
  public:
    using Lines = ActionLines;
    using Snapshot = std::shared_ptr<const Lines>;

    MacroLineList();
    MacroLineList(const MacroLineList&) = delete;
    MacroLineList& operator=(const MacroLineList&) = delete;

    // The list as last published; never null.
    Snapshot Current() const;
    void Publish(Lines lines);
    void Clear();

    std::size_t Count() const;

  private:
    mutable std::mutex mutex_;
    Snapshot lines_;
};

// The six process-wide lists, indexed by ToIndex(ButtonId). They exist, empty, from first use
// to the very end of the process and are never destroyed, because a playback worker may still
// be running while the process ends.
std::array<MacroLineList, kButtonCount>& MacroLines();
MacroLineList& MacroLinesOf(ButtonId input);

}  // namespace tressel
