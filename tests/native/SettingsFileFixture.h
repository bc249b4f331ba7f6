#pragma once
// A private folder with a settings file path, the portable profile store and file system
// behind recording fakes, and a recording dialog host: the ground for the settings tests.

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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
        static std::atomic<int> counter{0};
        folder_ =
            std::filesystem::temp_directory_path() /
            ("tressel-settings-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        path = folder_.wstring() + L"\\ZornSetting.ini";
        temp = SettingsTempPath(path);
    }
    ~SettingsFileFixture() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    void Load() { LoadButtonSettings(host, profiles, path); }
    SaveResult Save(bool keepAsideFirst = false) {
        return SaveButtonSettings(host, profiles, files, path, keepAsideFirst);
    }

    void WriteFileBytes(const std::wstring& file, const std::string& bytes) {
        std::ofstream out(ToHostPath(file), std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    std::string FileBytes(const std::wstring& file) {
        std::ifstream in(ToHostPath(file), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
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
    std::filesystem::path folder_;
};

}  // namespace tressel::testing
