#pragma once
// The INI profile functions: GetPrivateProfileStringW, WritePrivateProfileStringW and
// GetPrivateProfileSectionNamesW.
// On Windows the real functions; elsewhere a file implementation with the same behaviour.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tressel {

class ProfileStore {
  public:
    virtual ~ProfileStore() = default;
    // GetPrivateProfileStringW(section, key, defaultValue, buffer of bufferSize, file):
    // what lands in the buffer (at most bufferSize - 1 characters).
    virtual std::wstring GetString(const std::wstring& file, const std::wstring& section,
                                   const std::wstring& key, const std::wstring& defaultValue,
                                   std::size_t bufferSize) = 0;
    // WritePrivateProfileStringW(section, key, value, file): no key deletes the section,
    // no value deletes the key.
    virtual bool WriteString(const std::wstring& file, const std::wstring& section,
                             const std::optional<std::wstring>& key,
                             const std::optional<std::wstring>& value) = 0;
    // Writes any cached contents of `file` to disk (WritePrivateProfileStringW(0, 0, 0, file)).
    virtual void Flush(const std::wstring& file) = 0;
    // GetPrivateProfileSectionNamesW(file): the names of the file's sections in file order.
    virtual std::vector<std::wstring> SectionNames(const std::wstring& file) = 0;
};

}  // namespace tressel
