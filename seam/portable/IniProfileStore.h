#pragma once
// The profile functions over plain files, for hosts without them: names compare without case;
// a read trims blanks and tabs around the value and removes one matching pair of outer quotes;
// every change rewrites the whole file in its encoding (UTF-16LE when it begins with the
// byte-order mark, ANSI otherwise; a new file is ANSI). Values are written as given, leading
// blanks included. Nothing is cached, so Flush has nothing to do.

#include "seam/ProfileStore.h"

namespace tressel {

// What a read hands back, given the stored value (if the key is there): the read rules above,
// cut to bufferSize - 1 characters.
std::wstring ProfileValueAsRead(const std::optional<std::wstring>& stored,
                                const std::wstring& defaultValue, std::size_t bufferSize);

class IniDocument;
// A write on the parsed file (no key: the section goes; no value: the key goes); whether the
// document changed.
bool ApplyProfileWrite(IniDocument& document, const std::wstring& section,
                       const std::optional<std::wstring>& key,
                       const std::optional<std::wstring>& value);

class IniProfileStore : public ProfileStore {
  public:
    std::wstring GetString(const std::wstring& file, const std::wstring& section,
                           const std::wstring& key, const std::wstring& defaultValue,
                           std::size_t bufferSize) override;
    bool WriteString(const std::wstring& file, const std::wstring& section,
                     const std::optional<std::wstring>& key,
                     const std::optional<std::wstring>& value) override;
    void Flush(const std::wstring& file) override;
    std::vector<std::wstring> SectionNames(const std::wstring& file) override;
};

}  // namespace tressel
