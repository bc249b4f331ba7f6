#pragma once
// The profile functions over plain files, for hosts without them: names compare without case;
// a read trims blanks and tabs around the value and removes one matching pair of outer quotes;
// every change rewrites the whole file in its encoding (UTF-16LE when it begins with the
// byte-order mark, ANSI otherwise; a new file is ANSI). Values are written as given, leading
// blanks included. Nothing is cached, so Flush has nothing to do.

#include "seam/ProfileStore.h"

namespace tressel {

class IniProfileStore : public ProfileStore {
  public:
    std::wstring GetString(const std::wstring& file, const std::wstring& section,
                           const std::wstring& key, const std::wstring& defaultValue,
                           std::size_t bufferSize) override;
    bool WriteString(const std::wstring& file, const std::wstring& section,
                     const std::optional<std::wstring>& key,
                     const std::optional<std::wstring>& value) override;
    void Flush(const std::wstring& file) override;
};

}  // namespace tressel
