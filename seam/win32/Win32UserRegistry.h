#pragma once
// The per-user profile store in the registry (HKCU, Software, the store name, the application
// name, then the section), the per-user Run key and its entries' StartupApproved values.

#include <string>

#include "seam/UserRegistry.h"

namespace tressel {

class Win32UserRegistry : public UserRegistry {
  public:
    Win32UserRegistry(std::wstring storeName, std::wstring applicationName);

    std::optional<std::wstring> ReadProfileValue(const std::wstring& section,
                                                 const std::wstring& entry) override;
    bool WriteProfileValue(const std::wstring& section, const std::wstring& entry,
                           const std::wstring& value) override;
    std::optional<std::wstring> ReadRunValue(const std::wstring& name) override;
    bool SetRunValue(const std::wstring& name, const std::wstring& commandLine) override;
    bool DeleteRunValue(const std::wstring& name) override;
    std::optional<std::vector<std::uint8_t>> ReadStartupApproval(const std::wstring& name) override;
    bool DeleteStartupApproval(const std::wstring& name) override;

  private:
    std::wstring SectionKey(const std::wstring& section) const;
    std::wstring storeName_;
    std::wstring applicationName_;
};

}  // namespace tressel
