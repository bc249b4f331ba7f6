#pragma once
// A private folder with a settings file path, the portable profile store and file system
// behind recording fakes, and a recording dialog host: the ground for the settings tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "config/SettingsFile.h"
#include "fakes/CallLog.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeSettingsHost.h"
#include "fakes/RecordingProfileStore.h"
#include "seam/portable/IniEncoding.h"
#include "seam/portable/IniProfileStore.h"
#include "seam/portable/PortableFileSystem.h"
#include "seam/portable/PortablePath.h"

namespace tressel::testing {

class SettingsFileFixture : public ::testing::Test {
  protected:
    SettingsFileFixture() {
        path = folder_.wstring() + L"\\ZornSetting.ini";
        temp = SettingsTempPath(path);
    }

    void Load() { LoadButtonSettings(host, profiles, path); }
    SaveResult Save(bool keepAsideFirst = false) {
        return SaveButtonSettings(host, profiles, files, path, keepAsideFirst);
    }

    void WriteFileBytes(const std::wstring& file, const std::string& bytes) {
        tressel::testing::WriteFileBytes(ToHostPath(file), bytes);
    }
    std::string FileBytes(const std::wstring& file) { return ReadFileBytes(ToHostPath(file)); }
    bool FileExists(const std::wstring& file) { return std::filesystem::exists(ToHostPath(file)); }
    // The settings file's lines, whatever its encoding.
    std::vector<std::wstring> FileLines() {
        const std::wstring text = DecodeIniBytes(FileBytes(path)).text;
        std::vector<std::wstring> lines;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = text.find(L"\r\n", start);
            lines.push_back(text.substr(start, end - start));
            start = end == std::wstring::npos ? text.size() : end + 2;
        }
        return lines;
    }
    // The lines of one section, header included, up to the next header.
    std::vector<std::wstring> SectionLines(const std::wstring& section) {
        std::vector<std::wstring> all = FileLines();
        std::vector<std::wstring> lines;
        bool inside = false;
        for (const std::wstring& line : all) {
            if (!line.empty() && line.front() == L'[') inside = line == L"[" + section + L"]";
            if (inside) lines.push_back(line);
        }
        return lines;
    }
    ButtonSetting& Record(ButtonId input) { return host.records[ToIndex(input)]; }

    CallLog log;
    IniProfileStore iniStore;
    RecordingProfileStore profiles{iniStore, log};
    PortableFileSystem portableFiles;
    FakeFileSystem files{portableFiles, log};
    FakeSettingsHost host{log};
    std::wstring path;
    std::wstring temp;
    TempFolder folderOwner_{"settings"};
    const std::filesystem::path& folder_ = folderOwner_.Path();
};

}  // namespace tressel::testing
