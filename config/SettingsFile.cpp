#include "config/SettingsFile.h"

#include <climits>
#include <cstdint>
#include <optional>

#include "config/NoticeText.h"

namespace tressel {
namespace {

bool IsCSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

std::wstring TrimWhiteSpace(const std::wstring& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsCSpace(text[begin])) ++begin;
    while (end > begin && IsCSpace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

// The C runtime's decimal conversion: leading white space skipped, an optional sign, digits up
// to the first non-digit; no digits give 0. Out-of-range values saturate, as _wtoi does.
std::int32_t ParseDecimal(const std::wstring& text) {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - L'0');
        if (magnitude > static_cast<std::int64_t>(INT32_MAX) + 1) break;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

class SectionReader {
  public:
    SectionReader(ProfileStore& profiles, const std::wstring& path, const std::wstring& section)
        : profiles_(profiles), path_(path), section_(section) {}
    std::wstring Text(const wchar_t* key) {
        return profiles_.GetString(path_, section_, key, L"", kSettingsReadBuffer);
    }
    std::int32_t Number(const wchar_t* key) { return ParseDecimal(Text(key)); }

  private:
    ProfileStore& profiles_;
    const std::wstring& path_;
    const std::wstring section_;
};

}  // namespace

StoredInput ReadStoredInput(ProfileStore& profiles, const std::wstring& path,
                            const std::wstring& section) {
    SectionReader read(profiles, path, section);
    StoredInput stored;
    stored.caption = TrimWhiteSpace(read.Text(L"0"));
    ButtonSetting& record = stored.record;
    record.hooked = read.Number(L"1") != 0;
    record.keyAction = read.Number(L"2");
    record.keyCode = static_cast<std::uint8_t>(static_cast<std::uint32_t>(read.Number(L"3")));
    record.mouseAction = read.Number(L"4");
    record.launchTarget = read.Text(L"5");
    record.category = read.Number(L"6");
    record.scriptFile = read.Text(L"7");
    record.note = TrimWhiteSpace(read.Text(L"8"));
    return stored;
}

bool WriteStoredInput(ProfileStore& profiles, const std::wstring& file, const std::wstring& section,
                      const std::wstring& caption, const ButtonSetting& record) {
    bool written = true;
    // Deleting a section that is not there is no failure.
    profiles.WriteString(file, section, std::nullopt, std::nullopt);
    const auto write = [&](const wchar_t* key, const std::wstring& value) {
        written = profiles.WriteString(file, section, std::wstring(key), value) && written;
    };
    write(L"0", caption);
    write(L"1", record.hooked ? L"1" : L"0");
    write(L"2", std::to_wstring(record.keyAction));
    write(L"3", std::to_wstring(record.keyCode));
    write(L"4", std::to_wstring(record.mouseAction));
    write(L"5", record.launchTarget);
    write(L"6", std::to_wstring(record.category));
    if (record.hooked && record.keyAction == Script) write(L"7", record.scriptFile);
    write(L"8", record.note);
    return written;
}

namespace {

void ApplyOne(SettingsHost& host, const StoredInput& stored, ButtonId input) {
    host.SetCaption(input, stored.caption.empty() ? std::wstring(InfoOf(input).defaultCaption)
                                                  : stored.caption);
    ButtonSetting& record = host.Record(input);
    const std::wstring note = record.note;
    record = stored.record;
    // An empty stored note leaves the one the input has.
    if (stored.record.note.empty()) record.note = note;
    if (record.hooked) {
        if (record.keyAction == Script) host.CompileScriptFor(input, record.scriptFile);
        // Not guarded by the flag: every input stored as hooked gets its hook installed.
        host.InstallHookUnguarded(input);
        host.Record(input).hooked = true;
    }
}

}  // namespace

std::wstring SettingsFilePath(const std::wstring& moduleFileName) {
    const std::size_t lastBackslash = moduleFileName.rfind(L'\\');
    const std::wstring folder =
        lastBackslash == std::wstring::npos ? L"" : moduleFileName.substr(0, lastBackslash);
    return folder + kSettingsFileName;
}

std::wstring SettingsTempPath(const std::wstring& settingsPath) { return settingsPath + L".tmp"; }

StoredSettings ReadButtonSettings(ProfileStore& profiles, const std::wstring& path) {
    StoredSettings stored;
    for (ButtonId input : kAllButtons)
        stored[ToIndex(input)] =
            ReadStoredInput(profiles, path, std::wstring(InfoOf(input).section));
    return stored;
}

void ApplyButtonSettings(SettingsHost& host, const StoredSettings& stored) {
    for (ButtonId input : kAllButtons) ApplyOne(host, stored[ToIndex(input)], input);
}

void LoadButtonSettings(SettingsHost& host, ProfileStore& profiles, const std::wstring& path) {
    ApplyButtonSettings(host, ReadButtonSettings(profiles, path));
}

LoadResult ReadWholeSettings(ProfileStore& profiles, FileSystem& files, const std::wstring& path,
                             SettingsExtension* more) {
    LoadResult result;
    if (!files.Exists(path)) {
        result.outcome = LoadOutcome::NoFile;
        return result;
    }
    for (int attempt = 1; attempt <= kWholeReadAttempts; ++attempt) {
        const std::unique_ptr<ReadHold> hold = files.HoldReadable(path);
        if (!hold) {
            result.outcome = LoadOutcome::Unreadable;
            result.passing = files.LastRefusalPasses();
            return result;
        }
        const std::optional<FileStamp> before = files.Stamp(path);
        StoredSettings stored = ReadButtonSettings(profiles, path);
        if (more) more->Read(profiles, path);
        if (before && files.Stamp(path) == before) {
            result.outcome = LoadOutcome::Read;
            result.settings = std::move(stored);
            return result;
        }
    }
    result.outcome = LoadOutcome::KeptChanging;
    return result;
}

bool WriteButtonSections(SettingsHost& host, ProfileStore& profiles, const std::wstring& file) {
    bool written = true;
    for (ButtonId input : kAllButtons) {
        written = WriteStoredInput(profiles, file, std::wstring(InfoOf(input).section),
                                   host.Caption(input), host.Record(input)) &&
                  written;
    }
    if (SettingsExtension* more = host.Extension())
        written = more->Write(profiles, file) && written;
    return written;
}

const wchar_t* SaveFailureReason(SaveFailure failure) {
    switch (failure) {
        case SaveFailure::None:
            return L"";
        case SaveFailure::KeepAside:
            return L"the file could not be read at start and could not be set aside as a backup "
                   L"(rename or remove old .bak files).";
        case SaveFailure::WriteCopy:
            return L"its folder or the disk does not let the program write.";
        case SaveFailure::FolderMissing:
            return L"its folder cannot be found; the drive or network share it was on may be gone.";
        case SaveFailure::Replace:
            return L"the file is read-only or open in another program.";
        case SaveFailure::WriteInPlace:
            return L"the folder and the file are read-only or in use.";
    }
    return L"";
}

std::wstring SaveFailureText(const SaveResult& result, const std::wstring& path) {
    if (result.Saved()) return {};
    return NoticeNaming(L"Your changes are not saved in ", path,
                        std::wstring(L": ") + SaveFailureReason(result.failure));
}

bool SettingsFileUnreadable(FileSystem& files, const std::wstring& path) {
    return files.Exists(path) && !files.CanRead(path);
}

SaveResult SaveButtonSettings(SettingsHost& host, ProfileStore& profiles, FileSystem& files,
                              const std::wstring& path, bool keepAsideFirst) {
    SaveResult result;
    const auto fail = [&](SaveFailure failure) {
        result.failure = failure;
        result.passing = files.LastRefusalPasses();
        return result;
    };
    if (keepAsideFirst && files.Exists(path)) {
        for (int n = 1; n <= kBackupNames && result.keptAsideAs.empty(); ++n) {
            const std::wstring backup = BackupName(path, n);
            if (files.RenameNoReplace(path, backup)) result.keptAsideAs = backup;
        }
        if (result.keptAsideAs.empty()) return fail(SaveFailure::KeepAside);
    }
    const bool exists = files.Exists(path);
    // A file that takes no writes (read-only, or open in another program without sharing) is
    // told at once, before anything is copied or written.
    if (exists && !files.CanWrite(path)) return fail(SaveFailure::Replace);
    const std::wstring temp = SettingsTempPath(path);
    // A copy keeps whatever else the file holds (hand-added sections, its encoding); a new
    // file starts as UTF-16LE so that no character of a caption or path is lost.
    if (!(exists ? files.Copy(path, temp) : files.CreateUnicodeFile(temp))) {
        const bool passing = files.LastRefusalPasses();
        files.Remove(temp);
        if (!exists) {
            // Never made anew: a folder that comes back (a drive put in again) gets the retry.
            const std::size_t slash = path.find_last_of(L"\\/");
            const std::wstring folder = slash == std::wstring::npos ? L"." : path.substr(0, slash);
            result.failure =
                files.FolderExists(folder) ? SaveFailure::WriteCopy : SaveFailure::FolderMissing;
            result.passing = passing;
            return result;
        }
        // The folder takes no new file but the file may still be writable: a save in place is
        // not crash-safe, but it is kept.
        result.inPlace = true;
        const bool written = WriteButtonSections(host, profiles, path);
        profiles.Flush(path);
        if (!written || !files.FlushToDisk(path)) return fail(SaveFailure::WriteInPlace);
        return result;
    }
    if (!WriteButtonSections(host, profiles, temp)) {
        result.failure = SaveFailure::WriteCopy;
    } else {
        profiles.Flush(temp);
        if (!files.FlushToDisk(temp) || !files.ReplaceAtomically(temp, path)) {
            result.failure = SaveFailure::Replace;
            result.passing = files.LastRefusalPasses();
        }
    }
    if (!result.Saved()) files.Remove(temp);
    return result;
}

std::wstring BackupName(const std::wstring& path, int n) {
    return path + L".bak" + (n == 1 ? L"" : std::to_wstring(n));
}

}  // namespace tressel
