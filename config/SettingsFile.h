#pragma once
// The settings file "ZornSetting.ini" beside the executable: one section per input in the
// order R, M, X1, X2, WD, WU, keys "0".."8" per section (caption, hooked, keyAction, keyCode,
// mouseAction, launchTarget, category, scriptFile, note).
//
// Loading reads through the profile functions and hands the results to a SettingsHost (the
// main dialog). Saving is crash-safe: the sections are written into a temporary copy of the
// file, which then replaces the file in one atomic rename, so a crash or power loss leaves
// either the old or the new file, never a half-written one.

#include <string>

#include "config/ButtonId.h"
#include "config/ButtonSetting.h"
#include "seam/FileSystem.h"
#include "seam/ProfileStore.h"

namespace tressel {

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
};

inline constexpr wchar_t kSettingsFileName[] = L"\\ZornSetting.ini";
// Every value is read into a buffer of this many characters (511 characters at most).
inline constexpr std::size_t kSettingsReadBuffer = 512;

// The module file name cut before its last backslash, plus "\ZornSetting.ini".
std::wstring SettingsFilePath(const std::wstring& moduleFileName);
// Where SaveButtonSettings builds the new file before it replaces `settingsPath`.
std::wstring SettingsTempPath(const std::wstring& settingsPath);

// Fills the six records and captions from `path`, compiles the scripts of hooked script
// inputs and installs the hook of every input whose stored flag is set. A missing file gives
// the default configuration.
void LoadButtonSettings(SettingsHost& host, ProfileStore& profiles, const std::wstring& path);

// Writes the six sections into `file` in place: each section deleted, then its keys written.
// Not crash-safe on its own; returns false when a key could not be written.
bool WriteButtonSections(SettingsHost& host, ProfileStore& profiles, const std::wstring& file);

// Saves the six records to `path` through a temporary copy (SettingsTempPath): other sections
// of the file survive, a new file is created as UTF-16LE so that any text survives, and on any
// failure the temporary file is removed and `path` is left untouched. Returns success.
bool SaveButtonSettings(SettingsHost& host, ProfileStore& profiles, FileSystem& files,
                        const std::wstring& path);

}  // namespace tressel
