#pragma once
// The application's per-user profile store (HKCU\Software\<store name>\<app name>\<section>)
// the per-user Run key and what Task Manager records of its entries.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tressel {

class UserRegistry {
  public:
    virtual ~UserRegistry() = default;
    // The framework's profile string; nullopt when the value is absent.
    virtual std::optional<std::wstring> ReadProfileValue(const std::wstring& section,
                                                         const std::wstring& entry) = 0;
    virtual bool WriteProfileValue(const std::wstring& section, const std::wstring& entry,
                                   const std::wstring& value) = 0;
    // HKCU\Software\Microsoft\Windows\CurrentVersion\Run, opened without creating it.
    // nullopt when the key or the value is absent or the value is no string.
    virtual std::optional<std::wstring> ReadRunValue(const std::wstring& name) = 0;
    // Both return false when the key could not be opened or the change failed.
    virtual bool SetRunValue(const std::wstring& name, const std::wstring& commandLine) = 0;
    virtual bool DeleteRunValue(const std::wstring& name) = 0;
    // HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run, where Task
    // Manager's Startup page keeps whether it lets a Run entry start: the REG_BINARY value of the
    // entry's name. nullopt when the key or the value is absent or the value is of another type.
    virtual std::optional<std::vector<std::uint8_t>> ReadStartupApproval(
        const std::wstring& name) = 0;
    // False when the key could not be opened or the value was not deleted.
    virtual bool DeleteStartupApproval(const std::wstring& name) = 0;
};

}  // namespace tressel
