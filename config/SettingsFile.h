#pragma once
// The settings file "ZornSetting.ini" beside the executable: one section per input in the
// order R, M, X1, X2, WD, WU, keys "0".."8" per section (caption, hooked, keyAction, keyCode,
// mouseAction, launchTarget, category, scriptFile, note).
//
// Loading reads through the profile functions and hands the results to a SettingsHost (the
// main dialog). Saving is crash-safe: the sections are written into a temporary copy of the
// file, which then replaces the file in one atomic rename, so a crash or power loss leaves
// either the old or the new file, never a half-written one. A file that could not be read at
// load is kept aside before the first save, and a save reports where it failed.

#include <array>
#include <string>

#include "config/ButtonId.h"
#include "config/ButtonSetting.h"
#include "seam/FileSystem.h"
#include "seam/ProfileStore.h"

namespace tressel {

// More of the file than the six sections, kept by its own owner: read in the same whole read as
// the six, written after them in every save. A newer part of the file that an older program
// reads past and keeps.
class SettingsExtension {
  public:
    virtual ~SettingsExtension() = default;
    // Reads its part of `path` (again at each attempt of a whole read); what it read is taken
    // up only when the whole read succeeds (Take).
    virtual void Read(ProfileStore& profiles, const std::wstring& path) = 0;
    virtual void Take() = 0;
    // Writes its part into `file` after the six sections; false when a key could not be written.
    virtual bool Write(ProfileStore& profiles, const std::wstring& file) = 0;
};

// What the loader and the writer need of the main dialog.
class SettingsHost {
  public:
    virtual ~SettingsHost() = default;
    virtual ButtonSetting& Record(ButtonId input) = 0;
    // The input button's window text.
    virtual std::wstring Caption(ButtonId input) = 0;
    virtual void SetCaption(ButtonId input, const std::wstring& caption) = 0;
    // Sets `selectedButton` to `input` and compiles `scriptFile` into the input's line list.
    virtual void CompileScriptFor(ButtonId input, const std::wstring& scriptFile) = 0;
    // Calls the input's install function whatever its flag says (the loader sets the flag).
    virtual void InstallHookUnguarded(ButtonId input) = 0;
    // The part of the file beyond the six sections, if the host keeps one.
    virtual SettingsExtension* Extension() { return nullptr; }
};

inline constexpr wchar_t kSettingsFileName[] = L"\\ZornSetting.ini";
// Every value is read into a buffer of this many characters (511 characters at most).
inline constexpr std::size_t kSettingsReadBuffer = 512;

// The module file name cut before its last backslash, plus "\ZornSetting.ini".
std::wstring SettingsFilePath(const std::wstring& moduleFileName);
// Where SaveButtonSettings builds the new file before it replaces `settingsPath`.
std::wstring SettingsTempPath(const std::wstring& settingsPath);

// What the file holds for one input, as read (an empty caption or note: none stored).
struct StoredInput {
    std::wstring caption;
    ButtonSetting record;
};
// Indexed by ToIndex. Value-initialised, it is what a missing file gives: the defaults.
using StoredSettings = std::array<StoredInput, kButtonCount>;

// One section of the nine keys, read as the six are read; and written as they are written
// (the section deleted, then its keys).
StoredInput ReadStoredInput(ProfileStore& profiles, const std::wstring& path,
                            const std::wstring& section);
bool WriteStoredInput(ProfileStore& profiles, const std::wstring& file, const std::wstring& section,
                      const std::wstring& caption, const ButtonSetting& record);

StoredSettings ReadButtonSettings(ProfileStore& profiles, const std::wstring& path);
// Sets the six records and captions (an empty caption gives the input's default one, an empty
// note keeps the record's), compiles the scripts of hooked script inputs and installs the hook
// of every input whose stored flag is set.
void ApplyButtonSettings(SettingsHost& host, const StoredSettings& stored);
// Both of them: a missing file gives the default configuration.
void LoadButtonSettings(SettingsHost& host, ProfileStore& profiles, const std::wstring& path);

enum class LoadOutcome {
    Read,          // read whole
    NoFile,        // there is no file: the defaults
    Unreadable,    // there, but it could not be opened for reading
    KeptChanging,  // another program wrote it during every attempt to read it
};

struct LoadResult {
    LoadOutcome outcome = LoadOutcome::NoFile;
    // Unreadable for a reason that passes (open in another program without sharing).
    bool passing = false;
    // What was read; the defaults unless the outcome is Read.
    StoredSettings settings{};
    // The file is there but what it holds is not known: it must not be overwritten by defaults.
    bool Unread() const {
        return outcome == LoadOutcome::Unreadable || outcome == LoadOutcome::KeptChanging;
    }
};

// Every read goes through the profile functions, one call a value. To know that they all saw
// the same whole file, the file is held readable (so that nobody can lock readers out) and its
// stamp must be the same before and after; a file written meanwhile is read again.
inline constexpr int kWholeReadAttempts = 3;
// `more`, if given, reads its part in every attempt.
LoadResult ReadWholeSettings(ProfileStore& profiles, FileSystem& files, const std::wstring& path,
                             SettingsExtension* more = nullptr);

// Writes the six sections into `file` in place: each section deleted, then its keys written.
// Not crash-safe on its own; returns false when a key could not be written.
bool WriteButtonSections(SettingsHost& host, ProfileStore& profiles, const std::wstring& file);

// True when `path` exists but cannot be read now (locked, forbidden, an I/O error): loading it
// gives the defaults, and its contents must not be overwritten by them.
bool SettingsFileUnreadable(FileSystem& files, const std::wstring& path);

// Where a save stopped; None when it saved.
enum class SaveFailure {
    None,
    KeepAside,      // the unread file could not be moved to a free backup name
    WriteCopy,      // the temporary copy could not be made or written
    FolderMissing,  // no file and no folder: the drive or share it was on has gone, say
    Replace,        // the written copy could not be flushed or put in the file's place
    WriteInPlace,   // no temporary copy could be made, and the file itself could not be written
};

struct SaveResult {
    SaveFailure failure = SaveFailure::None;
    // Written into the file itself, because its folder takes no temporary copy.
    bool inPlace = false;
    // Where the unread file was moved before this save, if it was.
    std::wstring keptAsideAs;
    // The obstacle passes by itself (the file was open in another program): worth a retry soon.
    // A lasting one (read-only, no rights, no folder) waits for the user's next change.
    bool passing = false;

    bool Saved() const { return failure == SaveFailure::None; }
    explicit operator bool() const { return Saved(); }
};

// Why a save stopped, in plain words ending with a full stop; empty for None.
const wchar_t* SaveFailureReason(SaveFailure failure);
// The reason a save failed, in plain words that name the file; empty when it saved. A path too
// long for a balloon loses its middle, never the reason.
std::wstring SaveFailureText(const SaveResult& result, const std::wstring& path);

// The first free name of <path>.bak, <path>.bak2 … <path>.bak9, checked in that order.
inline constexpr int kBackupNames = 9;
// The n-th of those names (1 … kBackupNames).
std::wstring BackupName(const std::wstring& path, int n);

// Saves the six records to `path` through a temporary copy (SettingsTempPath): other sections
// of the file survive, a new file is created as UTF-16LE so that any text survives, and on any
// failure the temporary file is removed and `path` is left untouched. When the copy cannot be
// made but the file exists (a folder that takes no new file), the file is written in place.
// `keepAsideFirst` (the file was unreadable at load): the file is first renamed to a free
// backup name, never replacing one; if that fails nothing is written.
SaveResult SaveButtonSettings(SettingsHost& host, ProfileStore& profiles, FileSystem& files,
                              const std::wstring& path, bool keepAsideFirst = false);

}  // namespace tressel
