#pragma once
// The profile store through kernel32's GetPrivateProfileStringW / WritePrivateProfileStringW.

#include "seam/ProfileStore.h"

namespace tressel {

class Win32ProfileStore : public ProfileStore {
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
