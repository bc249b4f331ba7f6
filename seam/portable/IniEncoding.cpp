#include "seam/portable/IniEncoding.h"

#include <cstdint>

namespace tressel {
namespace {

constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

void AppendUnit(std::string& out, std::uint32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>((unit >> 8) & 0xFF);
}

std::wstring DecodeUtf16Le(const std::string& bytes, std::size_t start) {
    std::wstring text;
    text.reserve((bytes.size() - start) / 2);
    const auto unitAt = [&](std::size_t i) -> std::uint32_t {
        return static_cast<unsigned char>(bytes[i]) |
               (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8);
    };
    // A trailing odd byte is no character: dropped.
    for (std::size_t i = start; i + 1 < bytes.size(); i += 2) {
        const std::uint32_t unit = unitAt(i);
        if (!kWideIsUtf16 && unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            const std::uint32_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                text += static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        text += static_cast<wchar_t>(unit);  // lone surrogates pass through as they are
    }
    return text;
}

}  // namespace

DecodedIni DecodeIniBytes(const std::string& bytes) {
    DecodedIni decoded;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        decoded.encoding = IniEncoding::Utf16Le;
        decoded.text = DecodeUtf16Le(bytes, 2);
        return decoded;
    }
    decoded.text.reserve(bytes.size());
    for (char c : bytes) decoded.text += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return decoded;
}

std::string EncodeIniText(IniEncoding encoding, const std::wstring& text) {
    std::string out;
    if (encoding == IniEncoding::Ansi) {
        out.reserve(2 + text.size());
        // ANSI text that begins with the characters of the byte-order mark (a first line that
        // starts with "\xFF\xFE", once the blank lines before it are dropped) would be read
        // back as UTF-16 and lose the whole file: a blank line in front keeps it ANSI, and
        // blank lines are dropped when the file is read.
        if (text.size() >= 2 && text[0] == 0xFF && text[1] == 0xFE) out += "\r\n";
        for (wchar_t c : text) {
            const auto code = static_cast<std::uint32_t>(c);
            out += code <= 0xFF ? static_cast<char>(code) : '?';
        }
        return out;
    }
    out.reserve(2 + text.size() * 2);
    out += '\xFF';
    out += '\xFE';
    for (wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        if (!kWideIsUtf16 && code > 0xFFFF && code <= 0x10FFFF) {
            AppendUnit(out, 0xD800 + ((code - 0x10000) >> 10));
            AppendUnit(out, 0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            AppendUnit(out, code > 0x10FFFF ? 0xFFFD : code);
        }
    }
    return out;
}

}  // namespace tressel
