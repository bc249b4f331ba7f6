// Ending the program: every way out runs a save the save timer still had pending, removes the
// tray icon and ends the process, in that order; only the Exit command saves when nothing is
// pending. A save that fails asks the user, or, at the end of the session, is recorded for the
// next start. The settings file is a real one, so "saved" means the file holds the change.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "TempFolder.h"
#include "FileDialog.h"
#include "macros/MacroLineList.h"

namespace tressel {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::MatchesRegex;
using namespace tressel::testing;

constexpr int kCut = 23;  // an assignment whose save timer runs 10 ms

struct EndDialog : FileDialog {
    explicit EndDialog(const std::filesystem::path& folder) : FileDialog(folder) {
        // What is on disk at the very moment the process would end.
        process.onExit = [this] { savedAtExit = Caption(); };
    }
    std::wstring Caption() { return Read(L"RButtonSetting", L"0"); }
    // R is saved as Cut; the file is made read-only, and Copy is assigned to R, its save pending.
    void CopyPendingOverAReadOnlyCut() {
        dialog.OnInitDialog();
        Assign(1, kCut);
        dialog.OnTimer(kSaveTimerId);
        files.readOnly = true;
        Assign(1, 24);
    }
    std::wstring savedAtExit = L"<process not ended>";
};

class DialogEndTest : public ::testing::Test {
  protected:
    TempFolder temp{"end"};
    const std::filesystem::path& folder = temp.Path();
};

struct EndPath {
    const char* name;
    std::function<void(CZornMouseApplicationDlg&)> end;
    bool savesWithNothingPending;
};

const EndPath kEndPaths[] = {
    {"tray Exit", [](auto& d) { d.OnCommand(command_id::kExitApplication); }, true},
    {"cancel (Esc, Alt+F4, Close)", [](auto& d) { d.OnCancel(); }, false},
    {"end of the session", [](auto& d) { d.OnEndSession(true); }, false},
};

TEST_F(DialogEndTest, EveryPathRunsThePendingSaveThenRemovesTheIconAndEndsTheProcess) {
    for (const EndPath& path : kEndPaths) {
        SCOPED_TRACE(path.name);
        std::filesystem::remove_all(folder / "ZornSetting.ini");
        EndDialog app(folder);
        app.dialog.OnInitDialog();
        app.dialog.selectedButton = 1;
        app.dialog.OnCommand(kCut);  // the save timer now runs
        app.log.Clear();
        path.end(app.dialog);
        EXPECT_THAT(app.log.Entries(),
                    ElementsAreArray({"KillTimer(7)", "DeleteTrayIcon", "ExitProcess(0)"}));
        EXPECT_EQ(app.savedAtExit, L"Cut");
    }
}

TEST_F(DialogEndTest, NothingPendingMeansNoSaveExceptForTheExitCommand) {
    for (const EndPath& path : kEndPaths) {
        SCOPED_TRACE(path.name);
        std::filesystem::remove_all(folder / "ZornSetting.ini");
        EndDialog app(folder);
        app.dialog.OnInitDialog();
        // A change the save timer has saved already is not pending any more.
        app.dialog.selectedButton = 1;
        app.dialog.OnCommand(kCut);
        app.dialog.OnTimer(kSaveTimerId);
        std::filesystem::remove(folder / "ZornSetting.ini");
        app.log.Clear();
        path.end(app.dialog);
        EXPECT_THAT(app.log.Entries(), ElementsAreArray({"DeleteTrayIcon", "ExitProcess(0)"}));
        EXPECT_EQ(std::filesystem::exists(folder / "ZornSetting.ini"),
                  path.savesWithNothingPending);
        EXPECT_EQ(app.savedAtExit, path.savesWithNothingPending ? L"Cut" : L"<absent>");
    }
}

// A read-only file on the way out the user can leave: the box names the file and the reason, a
// failed retry asks again, and the icon stays until the answer. Retry once the obstacle has gone
// saves; Cancel ends with the old file as it was.
TEST_F(DialogEndTest, AFailedSaveOnTheWayOutAsksUntilItIsSavedOrTheUserLetsItGo) {
    const EndPath* askingPaths[] = {&kEndPaths[0], &kEndPaths[1]};
    for (const EndPath* path : askingPaths) {
        for (const bool obstacleGoes : {true, false}) {
            SCOPED_TRACE(std::string(path->name) + (obstacleGoes ? ", then Retry" : ", Cancel"));
            std::filesystem::remove_all(folder / "ZornSetting.ini");
            EndDialog app(folder);
            app.CopyPendingOverAReadOnlyCut();
            app.shell.retryAnswers = 2;
            int asked = 0;
            app.shell.onAsk = [&] {
                if (++asked == 2 && obstacleGoes) app.files.readOnly = false;
                if (!obstacleGoes && asked == 2) app.shell.retryAnswers = 0;
            };
            app.log.Clear();
            path->end(app.dialog);
            EXPECT_THAT(
                app.log.Entries(),
                ElementsAreArray({"KillTimer(7)", "AskToRetrySave(Tressel: settings not saved)",
                                  "AskToRetrySave(Tressel: settings not saved)", "DeleteTrayIcon",
                                  "ExitProcess(0)"}));
            EXPECT_THAT(Narrow(app.shell.askedText),
                        AllOf(HasSubstr(Narrow(app.settingsFile)), HasSubstr("read-only"),
                              HasSubstr("Retry"), HasSubstr("without saving")));
            EXPECT_EQ(app.savedAtExit, obstacleGoes ? L"Copy" : L"Cut");
        }
    }
}

// Nobody can be asked when the session ends, also when it ends while the box shows: the
// failure is recorded, and the next start tells it once.
TEST_F(DialogEndTest, ASaveFailedAtTheSessionEndIsToldAtTheNextStart) {
    for (const bool whileAsking : {false, true}) {
        SCOPED_TRACE(whileAsking ? "while the box shows" : "at once");
        std::filesystem::remove_all(folder / "ZornSetting.ini");
        EndDialog app(folder);
        app.CopyPendingOverAReadOnlyCut();
        app.shell.retryAnswers = 1;
        app.shell.onAsk = [&] { app.dialog.OnEndSession(true); };
        app.log.Clear();
        if (whileAsking)
            app.dialog.OnCancel();
        else
            app.dialog.OnEndSession(true);
        const std::wstring record = app.registry.profile[L"Settings/UnsavedAtSessionEnd"];
        const std::wstring time = record.substr(0, record.find(L'\t'));
        EXPECT_THAT(Narrow(time), MatchesRegex("[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}"));
        EXPECT_EQ(
            record.substr(time.size()),
            L"\t" + app.settingsFile + L"\tthe file is read-only or open in another program.");
        const auto entries = app.log.Entries();
        EXPECT_EQ(std::count(entries.begin(), entries.end(), "ExitProcess(0)"), 1);
        EXPECT_EQ(entries.back(), "ExitProcess(0)");
        EXPECT_EQ(app.savedAtExit, L"Cut");

        EndDialog next(folder);
        next.registry.profile = app.registry.profile;
        next.dialog.OnInitDialog();
        EXPECT_THAT(
            next.log.Entries(),
            Contains("ShowTrayBalloon(Tressel: settings not saved: Changes were lost "
                     "when Windows ended the session (" +
                     Narrow(time) + "): they could not be saved in " + Narrow(app.settingsFile) +
                     ": the file is read-only or open in another program.)"));
        EXPECT_EQ(next.registry.profile[L"Settings/UnsavedAtSessionEnd"], L"");
    }
}

// A macro cut off while it holds a key: every way out releases it first, exactly once.
TEST_F(DialogEndTest, EveryPathReleasesWhatAMacroStillHoldsBeforeAnythingElse) {
    MacroLineList& rightMacro = MacroLinesOf(ButtonId::R);
    rightMacro.Publish({"j 16"});  // KeyDown Shift, never released by the script
    for (const EndPath& path : kEndPaths) {
        SCOPED_TRACE(path.name);
        EndDialog app(folder);
        app.dialog.OnInitDialog();
        app.dialog.OnTimer(1);  // plays R's macro
        app.log.Clear();
        path.end(app.dialog);
        const auto entries = app.log.Entries();
        ASSERT_FALSE(entries.empty());
        EXPECT_EQ(entries.front(),
                  "SendInput[" + Describe(InputRecord::KeyEvent(16, kKeyEventKeyUp)) + "]");
        EXPECT_EQ(std::count(entries.begin(), entries.end(), entries.front()), 1);
    }
    rightMacro.Publish({});
}

// A crash with a change pending: what a macro holds is released and the icon removed, nothing
// more; nothing is saved from the crashed state, and the crash itself ends the process.
TEST_F(DialogEndTest, ACrashReleasesWhatIsHeldAndRemovesTheIconAndDoesNothingElse) {
    MacroLineList& rightMacro = MacroLinesOf(ButtonId::R);
    rightMacro.Publish({"j 16"});
    EndDialog app(folder);
    app.dialog.OnInitDialog();
    app.dialog.OnTimer(1);
    app.dialog.selectedButton = 1;
    app.dialog.OnCommand(kCut);
    app.log.Clear();
    app.dialog.OnCrash();
    EXPECT_THAT(
        app.log.Entries(),
        ElementsAreArray({"SendInput[" + Describe(InputRecord::KeyEvent(16, kKeyEventKeyUp)) + "]",
                          std::string("DeleteTrayIcon")}));
    rightMacro.Publish({});
}

TEST_F(DialogEndTest, TheEndRunsOnceAndACalledOffSessionEndChangesNothing) {
    DialogFixture app;
    app.dialog.OnInitDialog();
    app.dialog.selectedButton = 1;
    app.dialog.OnCommand(kCut);
    app.log.Clear();
    EXPECT_TRUE(app.dialog.OnQueryEndSession());
    app.dialog.OnEndSession(false);
    EXPECT_THAT(app.log.Entries(), IsEmpty());

    app.dialog.OnCancel();
    app.log.Clear();
    // A session end while the first end is under way (the fake process does not end).
    app.dialog.OnEndSession(true);
    app.dialog.OnCommand(command_id::kExitApplication);
    EXPECT_THAT(app.log.Entries(), IsEmpty());
}

}  // namespace
}  // namespace tressel
