#include "macros/ActionLines.h"

#include <algorithm>

namespace tressel {

ActionLines::ActionLines(std::initializer_list<std::string_view> lines) {
    for (std::string_view line : lines) Append(line);
}

void ActionLines::ReleaseUnusedText() {
    constexpr std::size_t kTolerated = 1 << 20;
    if (text_.capacity() - text_.size() > std::max(text_.size(), kTolerated)) text_.shrink_to_fit();
}

void ActionLines::Append(std::string_view line) {
    text_.append(line);
    ends_.push_back(text_.size());
}

void ActionLines::Append(char letter, std::string_view bytes) {
    text_.push_back(letter);
    text_.append(bytes);
    ends_.push_back(text_.size());
}

std::wstring ActionLines::operator[](std::size_t index) const {
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
    std::wstring line(ends_[index] - begin, L'\0');
    for (std::size_t i = 0; i < line.size(); ++i) {
        line[i] = static_cast<wchar_t>(static_cast<unsigned char>(text_[begin + i]));
    }
    return line;
}

std::vector<std::wstring> ActionLines::ToStrings() const {
    std::vector<std::wstring> lines;
    lines.reserve(size());
    for (std::size_t i = 0; i < size(); ++i) lines.push_back((*this)[i]);
    return lines;
}

}  // namespace tressel
