// Ending the program: every way out removes the tray icon, runs a save the save timer still had
// pending and ends the process, in that order; only the Exit command saves when nothing is
// pending. The settings file is a real one, so "saved" means the file holds the change.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "TempFolder.h"
#include "fakes/DialogFixture.h"
#include "macros/MacroLineList.h"
#include "seam/portable/IniProfileStore.h"
#include "seam/portable/PortableFileSystem.h"

namespace tressel {
namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using namespace tressel::testing;

constexpr int kCut = 23;  // an assignment whose save timer runs 10 ms

struct EndDialog : BasicDialogFixture<IniProfileStore, PortableFileSystem> {
    explicit EndDialog(const std::filesystem::path& folder) {
        process.moduleFileName = folder.wstring() + L"\\Tressel.exe";
        process.commandLine = L"Tressel.exe";
        settingsFile = folder / "ZornSetting.ini";
        // What is on disk at the very moment the process would end.
        process.onExit = [this] { savedAtExit = Caption(); };
    }
    std::wstring Caption() {
        return profiles.GetString(settingsFile.wstring(), L"RButtonSetting", L"0", L"<absent>",
                                  512);
    }
    std::filesystem::path settingsFile;
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

TEST_F(DialogEndTest, EveryPathRemovesTheIconAndRunsThePendingSaveBeforeTheProcessEnds) {
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
                    ElementsAreArray({"DeleteTrayIcon", "KillTimer(7)", "ExitProcess(0)"}));
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
        std::filesystem::remove(app.settingsFile);
        app.log.Clear();
        path.end(app.dialog);
        EXPECT_THAT(app.log.Entries(), ElementsAreArray({"DeleteTrayIcon", "ExitProcess(0)"}));
        EXPECT_EQ(std::filesystem::exists(app.settingsFile), path.savesWithNothingPending);
        EXPECT_EQ(app.savedAtExit, path.savesWithNothingPending ? L"Cut" : L"<absent>");
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
