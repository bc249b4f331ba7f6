#include "keeping/SettingsKeeper.h"

#include <ctime>
#include <cwchar>
#include <iterator>
#include <utility>

#include "config/AssignmentCommands.h"
#include "config/NoticeText.h"

namespace tressel {
namespace {

constexpr std::size_t kPassingRetries = std::size(kPassingRetryDelaysMs);

const wchar_t* UnreadReason(const LoadResult& load) {
    if (load.outcome == LoadOutcome::KeptChanging) return L"another program kept changing it";
    return load.passing ? L"it is open in another program" : L"the program may not read it";
}

std::wstring FileNameOf(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }

}  // namespace

std::wstring LocalTimeText() {
    const std::time_t now = std::time(nullptr);
    // Only the window's thread asks: the shared result of localtime is safe here.
    const std::tm* local = std::localtime(&now);
    wchar_t text[32] = {};
    if (!local || std::wcsftime(text, std::size(text), L"%Y-%m-%d %H:%M", local) == 0) return {};
    return text;
}

SettingsKeeper::SettingsKeeper(SettingsHost& host, const KeeperPlatform& platform,
                               std::function<std::wstring()> now)
    : host_(host), p_(platform), now_(std::move(now)) {}

void SettingsKeeper::Load() {
    place_ =
        ChooseSettingsPlace(p_.files, p_.process.ModuleFileName(), p_.process.LocalAppDataFolder());
    movedFileWasThere_ = !place_.Moved() || p_.files.Exists(place_.path);
    loadedFrom_ = FileToLoad(p_.files, place_);
    load_ = ReadWholeSettings(p_.profiles, p_.files, loadedFrom_, host_.Extension());
    ApplyButtonSettings(host_, load_.settings);
    if (load_.outcome == LoadOutcome::Read && host_.Extension()) host_.Extension()->Take();
    // Only the file the saves replace needs keeping aside; a program folder's file that is
    // only read is never written.
    unread_ = load_.Unread() && loadedFrom_ == place_.path;
}

void SettingsKeeper::TellStartNotices() {
    if (load_.Unread()) {
        std::wstring after = std::wstring(L": ") + UnreadReason(load_);
        if (unread_) {
            int n = 1;
            while (n < kBackupNames && p_.files.Exists(BackupName(place_.path, n))) ++n;
            after += L"; they will be kept as " + FileNameOf(BackupName(place_.path, n)) +
                     L" if you change anything.";
        } else {
            after += L".";
        }
        p_.balloons.ShowBalloon(
            kSettingsUnreadTitle,
            NoticeNaming(L"Settings could not be read from ", loadedFrom_, after));
    }
    const std::wstring record =
        p_.registry.ReadProfileValue(kUnsavedSection, kUnsavedEntry).value_or(L"");
    if (record.empty()) return;
    p_.registry.WriteProfileValue(kUnsavedSection, kUnsavedEntry, L"");
    const std::size_t first = record.find(L'\t');
    const std::size_t second = record.find(L'\t', first == std::wstring::npos ? first : first + 1);
    if (second == std::wstring::npos) return;
    p_.balloons.ShowBalloon(
        kSaveFailedTitle,
        NoticeNaming(L"Changes were lost when Windows ended the session (" +
                         record.substr(0, first) + L"): they could not be saved in ",
                     record.substr(first + 1, second - first - 1),
                     L": " + record.substr(second + 1)));
}

void SettingsKeeper::Schedule(std::uint32_t delayMs) {
    pending_ = true;
    passingRetries_ = 0;
    p_.window.SetTimer(kSaveTimerId, delayMs);
}

void SettingsKeeper::OnSaveTimer() {
    p_.window.KillTimer(kSaveTimerId);
    pending_ = false;
    SaveAndRetry();
}

void SettingsKeeper::SaveNow() {
    if (pending_) p_.window.KillTimer(kSaveTimerId);
    pending_ = false;
    passingRetries_ = 0;
    SaveAndRetry();
}

void SettingsKeeper::SaveAndRetry() {
    if (Save().Saved()) return;
    // One balloon per run of failures: the retries do not repeat it.
    if (!toldFailure_) p_.balloons.ShowBalloon(kSaveFailedTitle, FailureText());
    toldFailure_ = true;
    if (lastSave_.passing && passingRetries_ < kPassingRetries) {
        pending_ = true;
        p_.window.SetTimer(kSaveTimerId, kPassingRetryDelaysMs[passingRetries_++]);
    }
}

void SettingsKeeper::SaveBeforeEnd(bool evenIfNothingPending, bool userCanBeAsked) {
    if (!pending_ && !failing_ && !evenIfNothingPending) return;
    if (pending_) p_.window.KillTimer(kSaveTimerId);
    pending_ = false;
    while (!Save().Saved()) {
        if (!userCanBeAsked) {
            p_.registry.WriteProfileValue(
                kUnsavedSection, kUnsavedEntry,
                now_() + L"\t" + place_.path + L"\t" + SaveFailureReason(lastSave_.failure));
            sessionEnded_ = true;
            return;
        }
        asking_ = true;
        const bool again = p_.shell.AskToRetrySave(
            kSaveFailedTitle,
            FailureText() +
                L"\n\nChoose Retry to try again, or Cancel to end Tressel without saving them.");
        asking_ = false;
        if (!again || sessionEnded_) return;
    }
}

SaveResult SettingsKeeper::Save() {
    PrepareMovedFile(p_.files, place_);
    lastSave_ = SaveButtonSettings(host_, p_.profiles, p_.files, place_.path, unread_);
    failing_ = !lastSave_.Saved();
    if (!failing_) toldFailure_ = false;
    if (!lastSave_.keptAsideAs.empty()) {
        unread_ = false;
        p_.balloons.ShowBalloon(
            kSettingsUnreadTitle,
            NoticeNaming(L"The settings file that could not be read at start is kept as ",
                         lastSave_.keptAsideAs, L"."));
    }
    if (lastSave_.Saved() && !movedFileWasThere_ && !toldMoved_) {
        toldMoved_ = true;
        p_.balloons.ShowBalloon(
            kSettingsMovedTitle,
            NoticeNaming(L"The program folder takes no changes, so your settings are now kept in ",
                         place_.path, L"."));
    }
    return lastSave_;
}

}  // namespace tressel
