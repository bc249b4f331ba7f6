#pragma once
// Keeps the user's settings: reads them whole at start, saves every change, retries a save that
// an obstacle stopped, and at the end never lets a change go without the user's word.
//
// A failed save is told once per run of failures, in a balloon that names the file and the
// reason. An obstacle that passes by itself (the file open in another program) is retried a few
// times with growing pauses; a lasting one (read-only, no rights, no folder) costs nothing more
// until the user changes something again or leaves the program. Every retry is a timer: the
// window's thread never waits for a file.

#include <cstdint>
#include <functional>
#include <string>

#include "app/DialogShell.h"
#include "app/TrayPresence.h"
#include "config/SettingsFile.h"
#include "keeping/SettingsPlace.h"
#include "seam/FileSystem.h"
#include "seam/ProcessInfo.h"
#include "seam/ProfileStore.h"
#include "seam/UserRegistry.h"
#include "seam/WindowHost.h"

namespace tressel {

inline constexpr wchar_t kSaveFailedTitle[] = L"Tressel: settings not saved";
inline constexpr wchar_t kSettingsUnreadTitle[] = L"Tressel: settings not read";
inline constexpr wchar_t kSettingsMovedTitle[] = L"Tressel: settings moved";

// The pauses before the retries of a save stopped by a passing obstacle; then it waits as a
// lasting one does.
inline constexpr std::uint32_t kPassingRetryDelaysMs[] = {1000, 2000, 4000, 8000, 16000};

// Where a save that failed at the end of a Windows session is recorded for the next start
// (UserRegistry profile value: "<time>\t<file>\t<reason>").
inline constexpr wchar_t kUnsavedSection[] = L"Settings";
inline constexpr wchar_t kUnsavedEntry[] = L"UnsavedAtSessionEnd";

// The local time now, "YYYY-MM-DD HH:MM".
std::wstring LocalTimeText();

struct KeeperPlatform {
    WindowHost& window;
    DialogShell& shell;
    TrayBalloons& balloons;  // held until the icon is there
    ProfileStore& profiles;
    FileSystem& files;
    UserRegistry& registry;
    ProcessInfo& process;
};

class SettingsKeeper {
  public:
    // `now` gives the local time as the user reads it, for the record of a session end.
    SettingsKeeper(SettingsHost& host, const KeeperPlatform& platform,
                   std::function<std::wstring()> now);

    // At start: chooses the file, reads it whole and applies it to the host.
    void Load();
    // Once the tray icon is there: what the start has to tell (a save lost at the last session
    // end, a file that could not be read), each in a balloon, the most important last.
    void TellStartNotices();

    // A change: saved when the save timer fires `delayMs` later.
    void Schedule(std::uint32_t delayMs);
    void OnSaveTimer();
    // Saves now (Reset, Save and Hide).
    void SaveNow();
    // The way out. Saves when a save is pending or `evenIfNothingPending`. When it fails and
    // `userCanBeAsked`, the user chooses between another attempt and ending without saving;
    // otherwise (the session ends) the failure is recorded for the next start. Returns when the
    // program may end.
    void SaveBeforeEnd(bool evenIfNothingPending, bool userCanBeAsked);
    // The user is being asked, at the end, what to do with a failed save.
    bool Asking() const { return asking_; }

    const SaveResult& LastSave() const { return lastSave_; }
    const SettingsPlace& Place() const { return place_; }

  private:
    // One attempt, with what it has to tell of a file kept aside or moved.
    SaveResult Save();
    // An attempt whose failure is told and, when it passes, retried by the timer.
    void SaveAndRetry();
    std::wstring FailureText() const { return SaveFailureText(lastSave_, place_.path); }

    SettingsHost& host_;
    KeeperPlatform p_;
    std::function<std::wstring()> now_;
    SettingsPlace place_;
    // The file was there at start but what it holds is not known: keep it aside before a save.
    bool unread_ = false;
    LoadResult load_;
    std::wstring loadedFrom_;
    bool movedFileWasThere_ = true;
    bool toldMoved_ = false;
    SaveResult lastSave_;
    bool pending_ = false;      // the save timer runs
    bool failing_ = false;      // the latest save failed
    bool toldFailure_ = false;  // and the user was told
    std::size_t passingRetries_ = 0;
    bool asking_ = false;
    bool sessionEnded_ = false;  // the failure of the session's end is recorded
};

}  // namespace tressel
