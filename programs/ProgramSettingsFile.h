#pragma once
// Programs' own settings in the settings file, beside the six sections of all programs, which
// stay as they are:
//
//   [Programs]                    the programs in the order they were added
//   1=notepad.exe                 (file names in lower case)
//   [X1ButtonSetting:notepad.exe] the nine keys of an input's section, for that program alone;
//   0=Paste ...                   key 1 = 0: the input does its native job in that program
//
// An input a program has nothing of its own for has no section. Sections apply whether or not
// their program is listed, and a listed program without sections stays listed. A program older
// than these sections reads the file as before and keeps them when it saves.

#include <functional>
#include <optional>
#include <string>

#include "config/ButtonId.h"
#include "programs/ProgramSettings.h"
#include "seam/ProfileStore.h"

namespace tressel {

inline constexpr wchar_t kProgramsSection[] = L"Programs";

// "<input's section>:<file name>".
std::wstring ProgramSectionName(ButtonId input, const std::wstring& fileName);

struct ProgramSection {
    ButtonId input;
    std::wstring fileName;  // folded
};
// What a section name stands for, when it is a program's section (the input's section name in
// any case, a colon, a program file name).
std::optional<ProgramSection> ParseProgramSection(const std::wstring& sectionName);

ProgramSettingsTable ReadProgramSettings(ProfileStore& profiles, const std::wstring& path);
// Writes the list and every program's sections after whatever `file` holds, and deletes the
// sections of programs that no longer have them. False when a key could not be written.
bool WriteProgramSettings(const ProgramSettingsTable& table, ProfileStore& profiles,
                          const std::wstring& file);

}  // namespace tressel

namespace tressel {

// Programs' own settings as part of the settings file: read with the six, taken up only when the
// whole file was read, written after the six in every save. `taken` runs once they are taken up.
class StoredProgramSettings : public SettingsExtension {
  public:
    StoredProgramSettings(ProgramSettingsTable& table, std::function<void()> taken)
        : table_(table), taken_(std::move(taken)) {}
    void Read(ProfileStore& profiles, const std::wstring& path) override {
        read_ = ReadProgramSettings(profiles, path);
    }
    void Take() override {
        table_ = std::move(read_);
        if (taken_) taken_();
    }
    bool Write(ProfileStore& profiles, const std::wstring& file) override {
        return WriteProgramSettings(table_, profiles, file);
    }

  private:
    ProgramSettingsTable& table_;
    ProgramSettingsTable read_;
    std::function<void()> taken_;
};

}  // namespace tressel
