#pragma once
// Reads an 8-bit script file line by line with the C runtime's text-mode rules, done here on a
// binary read so that they hold on every platform: a line feed ends a line, a carriage return
// just before it is dropped with it, a byte 26 (Ctrl+Z) ends the text, and the last line needs
// no line end. Lines are handed out as raw bytes.
//
// Memory stays bounded whatever the file holds: a file over kMaxFileBytes is refused (also one
// that grows past it while it is read, or a device that never ends), and a line is handed out
// with its first kMaxLineBytes bytes only, the rest of it skipped. A command is decided by the
// start of its line, so no sensible script notices the cut.

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace tressel {

class ScriptTextReader {
  public:
    // A macro of a few hundred lines is a few kilobytes; this is room for far more than any
    // hand-written or recorded macro while keeping the memory a script can cost small.
    static constexpr std::size_t kMaxFileBytes = std::size_t{16} << 20;
    static constexpr std::size_t kMaxLineBytes = 4096;

    enum class Result { Complete, ReadError, TooLarge };

    // `path` is a Windows path (backslashes); elsewhere they are read as directory separators.
    explicit ScriptTextReader(const std::wstring& path);

    bool IsOpen() const { return open_; }
    // The file's size in bytes when it was opened (0 when unknown).
    std::size_t Size() const { return size_; }
    // The file was already over kMaxFileBytes when it was opened.
    bool TooLarge() const { return tooLarge_; }

    // Calls onLine(std::string_view) for each line in file order. ReadError when a read error
    // ended the file early, TooLarge when the file turned out to be over kMaxFileBytes (in both
    // cases the lines before have been handed out). A file found too large when it was opened
    // is not read at all.
    template <class OnLine>
    Result ForEachLine(OnLine&& onLine);

  private:
    // Reads up to `size` bytes; 0 at the end of the file or on error.
    std::size_t Read(char* buffer, std::size_t size);
    bool Failed() const;

    static constexpr std::size_t kChunkSize = 1 << 16;
    static constexpr char kEndOfText = 26;

    std::ifstream file_;
    bool open_ = false;
    bool tooLarge_ = false;
    std::size_t size_ = 0;
};

template <class OnLine>
ScriptTextReader::Result ScriptTextReader::ForEachLine(OnLine&& onLine) {
    if (!open_) return Result::ReadError;
    if (tooLarge_) return Result::TooLarge;
    std::vector<char> chunk(kChunkSize);
    // The start of a line that runs over a chunk boundary: at most one byte more than is handed
    // out, so that a carriage return just before the line feed can still be told apart.
    constexpr std::size_t kKept = kMaxLineBytes + 1;
    std::string partial;
    partial.reserve(kKept);
    auto keep = [&](const char* begin, const char* end) {
        const std::size_t room = kKept - partial.size();
        partial.append(begin, std::min(static_cast<std::size_t>(end - begin), room));
    };
    auto cut = [](std::string_view line) {
        return line.size() > kMaxLineBytes ? line.substr(0, kMaxLineBytes) : line;
    };
    // For a line ended by a line feed: drops the carriage return just before it.
    auto emit = [&](std::string_view line) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        onLine(cut(line));
    };
    std::size_t total = 0;
    bool endOfText = false;
    while (!endOfText) {
        std::size_t count = Read(chunk.data(), chunk.size());
        if (count == 0) break;
        total += count;
        if (total > kMaxFileBytes) return Result::TooLarge;
        if (const void* stop = std::memchr(chunk.data(), kEndOfText, count)) {
            count = static_cast<std::size_t>(static_cast<const char*>(stop) - chunk.data());
            endOfText = true;
        }
        const char* begin = chunk.data();
        const char* const end = begin + count;
        while (begin < end) {
            const char* feed = static_cast<const char*>(std::memchr(begin, '\n', end - begin));
            if (!feed) {
                keep(begin, end);
                break;
            }
            if (partial.empty()) {
                emit(std::string_view(begin, feed - begin));
            } else {
                keep(begin, feed);
                emit(partial);
                partial.clear();
            }
            begin = feed + 1;
        }
    }
    // The last line without a line end keeps all its bytes: no line feed, so no carriage
    // return to drop.
    if (!partial.empty()) onLine(cut(partial));
    return endOfText || !Failed() ? Result::Complete : Result::ReadError;
}

}  // namespace tressel
