#pragma once
// The two encodings of an INI file as the profile functions handle them: a file that begins
// with the UTF-16LE byte-order mark is Unicode, any other file is 8-bit ANSI text (here Latin-1:
// characters beyond U+00FF are written as '?').

#include <string>

namespace tressel {

enum class IniEncoding { Ansi, Utf16Le };

struct DecodedIni {
    IniEncoding encoding = IniEncoding::Ansi;
    std::wstring text;  // without the byte-order mark
};

DecodedIni DecodeIniBytes(const std::string& bytes);
// The file's bytes, with the byte-order mark for UTF-16LE.
std::string EncodeIniText(IniEncoding encoding, const std::wstring& text);

}  // namespace tressel
