#pragma once
// Reads an 8-bit script file line by line with the C runtime's text-mode rules, done here on a
// binary read so that they hold on every platform: a line feed ends a line, a carriage return
// just before it is dropped with it, a byte 26 (Ctrl+Z) ends the text, and the last line needs
// no line end. Lines are handed out as raw bytes, of any length.

#include <cstddef>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace tressel {

class ScriptTextReader {
  public:
    // `path` is a Windows path (backslashes); elsewhere they are read as directory separators.
    explicit ScriptTextReader(const std::wstring& path);

    bool IsOpen() const { return open_; }
    // The file's size in bytes when it was opened (0 when unknown).
    std::size_t Size() const { return size_; }

    // Calls onLine(std::string_view) for each line in file order. Returns false when a read
    // error ended the file early (the lines before it have been handed out).
    template <class OnLine>
    bool ForEachLine(OnLine&& onLine);

  private:
    // Reads up to `size` bytes; 0 at the end of the file or on error.
    std::size_t Read(char* buffer, std::size_t size);
    bool Failed() const;

    static constexpr std::size_t kChunkSize = 1 << 16;
    static constexpr char kEndOfText = 26;

    std::ifstream file_;
    bool open_ = false;
    std::size_t size_ = 0;
};

template <class OnLine>
bool ScriptTextReader::ForEachLine(OnLine&& onLine) {
    if (!open_) return false;
    std::vector<char> chunk(kChunkSize);
    std::string partial;  // the start of a line that runs over a chunk boundary
    // For a line ended by a line feed: drops the carriage return just before it.
    auto emit = [&](std::string_view line) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        onLine(line);
    };
    bool endOfText = false;
    while (!endOfText) {
        std::size_t count = Read(chunk.data(), chunk.size());
        if (count == 0) break;
        if (const void* stop = std::memchr(chunk.data(), kEndOfText, count)) {
            count = static_cast<std::size_t>(static_cast<const char*>(stop) - chunk.data());
            endOfText = true;
        }
        const char* begin = chunk.data();
        const char* const end = begin + count;
        while (begin < end) {
            const char* feed = static_cast<const char*>(std::memchr(begin, '\n', end - begin));
            if (!feed) {
                partial.append(begin, end);
                break;
            }
            if (partial.empty()) {
                emit(std::string_view(begin, feed - begin));
            } else {
                partial.append(begin, feed);
                emit(partial);
                partial.clear();
            }
            begin = feed + 1;
        }
    }
    // The last line without a line end keeps all its bytes: no line feed, so no carriage
    // return to drop.
    if (!partial.empty()) onLine(std::string_view(partial));
    return endOfText || !Failed();
}

}  // namespace tressel
