#pragma once
// Passes every profile call on to a real store and records it: reads as
// "Get(file,section,key)", writes as "Write(file,section,key=value)" (no key: "Write(file,
// section)", no value: "Write(file,section,key)"), flushes as "Flush(file)". Files are logged
// by their last path component.

#include <string>

#include "fakes/CallLog.h"
#include "fakes/Describe.h"
#include "seam/ProfileStore.h"

namespace tressel::testing {

inline std::string FileNameOf(const std::wstring& path) {
    return Narrow(path.substr(path.find_last_of(L"\\/") + 1));
}

class RecordingProfileStore : public ProfileStore {
  public:
    RecordingProfileStore(ProfileStore& inner, CallLog& log) : inner_(inner), log_(log) {}

    std::wstring GetString(const std::wstring& file, const std::wstring& section,
                           const std::wstring& key, const std::wstring& defaultValue,
                           std::size_t bufferSize) override {
        if (logReads) {
            log_.Add("Get(" + FileNameOf(file) + "," + Narrow(section) + "," + Narrow(key) + ")");
        }
        return inner_.GetString(file, section, key, defaultValue, bufferSize);
    }
    bool WriteString(const std::wstring& file, const std::wstring& section,
                     const std::optional<std::wstring>& key,
                     const std::optional<std::wstring>& value) override {
        std::string entry = "Write(" + FileNameOf(file) + "," + Narrow(section);
        if (key) entry += "," + Narrow(*key) + (value ? "=" + Narrow(*value) : "");
        log_.Add(entry + ")");
        return !failWrites && inner_.WriteString(file, section, key, value);
    }
    void Flush(const std::wstring& file) override {
        log_.Add("Flush(" + FileNameOf(file) + ")");
        inner_.Flush(file);
    }
    std::vector<std::wstring> SectionNames(const std::wstring& file) override {
        if (logReads) log_.Add("SectionNames(" + FileNameOf(file) + ")");
        return inner_.SectionNames(file);
    }

    bool logReads = true;
    bool failWrites = false;  // writes are recorded, not performed, and fail

  private:
    ProfileStore& inner_;
    CallLog& log_;
};

}  // namespace tressel::testing
