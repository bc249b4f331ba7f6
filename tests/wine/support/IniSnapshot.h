#pragma once
// Reading another process's settings file in one go: the file's bytes are read at once and
// parsed here, so that a test sees one consistent state of the file (never a mix of two saves,
// as separate profile reads could), and no profile cache of the test process stands between
// the test and the file.

#include <map>
#include <optional>
#include <string>

namespace tressel::testing {

using IniSection = std::map<std::wstring, std::wstring>;

// The keys and values of `section` in the INI file at `path` (UTF-16LE with a byte-order mark,
// or 8-bit text); nullopt when the file cannot be read or has no such section. The file is held
// open only while it is read, shared for reading, writing and deleting.
std::optional<IniSection> ReadIniSection(const std::wstring& path, const std::wstring& section);

// "key=value" pairs joined by blanks, for failure messages.
std::string Describe(const std::optional<IniSection>& section);

}  // namespace tressel::testing
