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
    SectionReader(ProfileStore& profiles, const std::wstring& path, ButtonId input)
        : profiles_(profiles), path_(path), section_(InfoOf(input).section) {}
    std::wstring Text(const wchar_t* key) {
        return profiles_.GetString(path_, section_, key, L"", kSettingsReadBuffer);
    }
    std::int32_t Number(const wchar_t* key) { return ParseDecimal(Text(key)); }

  private:
    ProfileStore& profiles_;
    const std::wstring& path_;
    const std::wstring section_;
};

void LoadOne(SettingsHost& host, ProfileStore& profiles, const std::wstring& path, ButtonId input) {
    SectionReader read(profiles, path, input);
    const std::wstring caption = TrimWhiteSpace(read.Text(L"0"));
    host.SetCaption(input, caption.empty() ? std::wstring(InfoOf(input).defaultCaption) : caption);
    ButtonSetting& record = host.Record(input);
    record.hooked = read.Number(L"1") != 0;
    record.keyAction = read.Number(L"2");
    record.keyCode = static_cast<std::uint8_t>(static_cast<std::uint32_t>(read.Number(L"3")));
    record.mouseAction = read.Number(L"4");
    record.launchTarget = read.Text(L"5");
    record.category = read.Number(L"6");
    record.scriptFile = read.Text(L"7");
    if (record.hooked) {
        if (record.keyAction == Script) host.CompileScriptFor(input, record.scriptFile);
        // Not guarded by the flag: every input stored as hooked gets its hook installed.
        host.InstallHookUnguarded(input);
        host.Record(input).hooked = true;
    }
    const std::wstring note = TrimWhiteSpace(read.Text(L"8"));
    if (!note.empty()) host.Record(input).note = note;
}

}  // namespace

std::wstring SettingsFilePath(const std::wstring& moduleFileName) {
    const std::size_t lastBackslash = moduleFileName.rfind(L'\\');
    const std::wstring folder =
        lastBackslash == std::wstring::npos ? L"" : moduleFileName.substr(0, lastBackslash);
    return folder + kSettingsFileName;
}

std::wstring SettingsTempPath(const std::wstring& settingsPath) { return settingsPath + L".tmp"; }

void LoadButtonSettings(SettingsHost& host, ProfileStore& profiles, const std::wstring& path) {
    for (ButtonId input : kAllButtons) LoadOne(host, profiles, path, input);
}

bool WriteButtonSections(SettingsHost& host, ProfileStore& profiles, const std::wstring& file) {
    bool written = true;
    for (ButtonId input : kAllButtons) {
        const std::wstring section(InfoOf(input).section);
        // Deleting a section that is not there is no failure.
        profiles.WriteString(file, section, std::nullopt, std::nullopt);
        const ButtonSetting& record = host.Record(input);
        const auto write = [&](const wchar_t* key, const std::wstring& value) {
            written = profiles.WriteString(file, section, std::wstring(key), value) && written;
        };
        write(L"0", host.Caption(input));
        write(L"1", record.hooked ? L"1" : L"0");
        write(L"2", std::to_wstring(record.keyAction));
        write(L"3", std::to_wstring(record.keyCode));
        write(L"4", std::to_wstring(record.mouseAction));
        write(L"5", record.launchTarget);
        write(L"6", std::to_wstring(record.category));
        if (record.hooked && record.keyAction == Script) write(L"7", record.scriptFile);
        write(L"8", record.note);
    }
    return written;
}

namespace {

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

}  // namespace

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
    if (keepAsideFirst && files.Exists(path)) {
        for (int n = 1; n <= kBackupNames && result.keptAsideAs.empty(); ++n) {
            const std::wstring backup = path + L".bak" + (n == 1 ? L"" : std::to_wstring(n));
            if (files.RenameNoReplace(path, backup)) result.keptAsideAs = backup;
        }
        if (result.keptAsideAs.empty()) {
            result.failure = SaveFailure::KeepAside;
            return result;
        }
    }
    const std::wstring temp = SettingsTempPath(path);
    // A copy keeps whatever else the file holds (hand-added sections, its encoding); a new
    // file starts as UTF-16LE so that no character of a caption or path is lost.
    const bool exists = files.Exists(path);
    if (!(exists ? files.Copy(path, temp) : files.CreateUnicodeFile(temp))) {
        files.Remove(temp);
        if (!exists) {
            // Never made anew: a folder that comes back (a drive put in again) gets the retry.
            const std::size_t slash = path.find_last_of(L"\\/");
            const std::wstring folder = slash == std::wstring::npos ? L"." : path.substr(0, slash);
            result.failure =
                files.FolderExists(folder) ? SaveFailure::WriteCopy : SaveFailure::FolderMissing;
            return result;
        }
        // The folder takes no new file but the file may still be writable: a save in place is
        // not crash-safe, but it is kept.
        result.inPlace = true;
        const bool written = WriteButtonSections(host, profiles, path);
        profiles.Flush(path);
        if (!written || !files.FlushToDisk(path)) result.failure = SaveFailure::WriteInPlace;
        return result;
    }
    if (!WriteButtonSections(host, profiles, temp)) {
        result.failure = SaveFailure::WriteCopy;
    } else {
        profiles.Flush(temp);
        if (!files.FlushToDisk(temp) || !files.ReplaceAtomically(temp, path))
            result.failure = SaveFailure::Replace;
    }
    if (!result.Saved()) files.Remove(temp);
    return result;
}

}  // namespace tressel
