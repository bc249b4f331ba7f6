#pragma once
// The dialog with its settings file in a private folder of real files, and obstacles a test can
// put in the way of those files: a file held open by another program for a while (a passing
// refusal), a read-only file or folder (a lasting one), a file that cannot be read.

#include <filesystem>
#include <string>

#include "fakes/DialogFixture.h"
#include "seam/portable/IniProfileStore.h"
#include "seam/portable/PortableFileSystem.h"

namespace tressel::testing {

struct ObstacleFiles : PortableFileSystem {
    bool CanRead(const std::wstring& path) override {
        return !unreadable && PortableFileSystem::CanRead(path);
    }
    std::unique_ptr<ReadHold> HoldReadable(const std::wstring& path) override {
        if (unreadable) return Refuse(true), nullptr;
        return PortableFileSystem::HoldReadable(path);
    }
    bool CanWrite(const std::wstring& path) override {
        if (readOnly && Settings(path)) return Refuse(false);
        if (InLockedFolder(path) && (Exists(path) || !lockedFolderFileWritable))
            return Refuse(false);
        return PortableFileSystem::CanWrite(path);
    }
    bool Copy(const std::wstring& from, const std::wstring& to) override {
        if (InLockedFolder(to)) return Refuse(false);
        return PortableFileSystem::Copy(from, to);
    }
    bool CreateUnicodeFile(const std::wstring& path) override {
        if (InLockedFolder(path)) return Refuse(false);
        return PortableFileSystem::CreateUnicodeFile(path);
    }
    bool ReplaceAtomically(const std::wstring& from, const std::wstring& to) override {
        if (busyReplaces > 0) {
            --busyReplaces;
            return Refuse(true);
        }
        return PortableFileSystem::ReplaceAtomically(from, to);
    }
    bool LastRefusalPasses() override { return lastPasses_; }

    // Replaces that fail as if another program had the file open.
    int busyReplaces = 0;
    // The settings file (any ZornSetting.ini) is read-only.
    bool readOnly = false;
    bool unreadable = false;
    // No file in this folder can be made or written.
    std::wstring lockedFolder;
    bool lockedFolderFileWritable = false;

  private:
    bool Refuse(bool passes) {
        lastPasses_ = passes;
        return false;
    }
    static bool Settings(const std::wstring& path) {
        return path.size() >= 15 && path.compare(path.size() - 15, 15, L"ZornSetting.ini") == 0;
    }
    bool InLockedFolder(const std::wstring& path) const {
        return !lockedFolder.empty() && path.substr(0, path.rfind(L'\\')) == lockedFolder;
    }
    bool lastPasses_ = false;
};

// A dialog whose settings file is a real one in `folder`; the local application data folder is
// `folder`\local.
struct FileDialog : BasicDialogFixture<IniProfileStore, ObstacleFiles> {
    explicit FileDialog(const std::filesystem::path& folder)
        : programFolder(folder.wstring()), settingsFile(programFolder + L"\\ZornSetting.ini") {
        process.moduleFileName = programFolder + L"\\Tressel.exe";
        process.commandLine = L"Tressel.exe";
        process.localAppData = programFolder + L"\\local";
    }
    std::wstring Read(const wchar_t* section, const wchar_t* key) {
        return Read(settingsFile, section, key);
    }
    std::wstring Read(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
        return profiles.GetString(file, section, key, L"<absent>", 512);
    }
    // Selects `input` and assigns the function of `command` to it.
    void Assign(int input, int command) {
        dialog.selectedButton = input;
        dialog.OnCommand(command);
    }
    std::wstring programFolder;
    std::wstring settingsFile;
};

}  // namespace tressel::testing
