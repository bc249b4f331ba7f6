#pragma once
// The action lines of one compiled macro, in order. Every character of an action line is a
// byte of the script widened to the same code (0..255), so the lines are kept as those bytes,
// back to back in one buffer with the end of each recorded: a quarter of the memory of wide
// text and two growing allocations instead of one per line, which is what makes compiling a
// large script cost little more than reading it. Lines are handed out wide.

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tressel {

class ActionLines {
  public:
    ActionLines() = default;
    ActionLines(std::initializer_list<std::string_view> lines);

    // Room for this many bytes of line text in total, so that filling does not regrow.
    void ReserveText(std::size_t bytes) { text_.reserve(bytes); }
    // Gives back reserved room that was not used, when that is a lot.
    void ReleaseUnusedText();

    void Append(std::string_view line);
    // Appends one line: `letter`, then `bytes`.
    void Append(char letter, std::string_view bytes);

    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    // The line at `index` (below size()) as wide text.
    std::wstring operator[](std::size_t index) const;

    std::vector<std::wstring> ToStrings() const;

  private:
    std::string text_;
    std::vector<std::size_t> ends_;
};

}  // namespace tressel
