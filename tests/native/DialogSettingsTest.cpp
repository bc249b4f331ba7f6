// The dialog and the settings file together: an assignment reaches the file through the save
// timer, Reset and Exit save at once, a start loads what was saved, a failed save is tried
// again, and a file that could not be read at start is kept aside once before it is replaced.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempFolder.h"
#include "FileDialog.h"

namespace tressel {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using namespace tressel::testing;

class DialogSettingsTest : public ::testing::Test {
  protected:
    TempFolder temp{"dialog"};
    const std::filesystem::path& folder = temp.Path();
};

TEST_F(DialogSettingsTest, AssignmentIsSavedWhenTheSaveTimerFiresAndLoadedAtTheNextStart) {
    {
        FileDialog first(folder);
        first.dialog.OnInitDialog();
        first.window.rects[1002] = {500, 300, 700, 320};
        first.dialog.OnInputButtonClicked(1002);
        first.dialog.OnCommand(24);  // Copy(Ctrl+C)
        EXPECT_THAT(first.log.Entries(), Contains("SetTimer(7, 10)"));
        EXPECT_EQ(first.Read(L"X1ButtonSetting", L"0"), L"<absent>");  // not before the timer
        first.dialog.OnTimer(7);
        EXPECT_EQ(first.Read(L"X1ButtonSetting", L"0"), L"Copy");
        EXPECT_EQ(first.Read(L"X1ButtonSetting", L"1"), L"1");
        EXPECT_EQ(first.Read(L"X1ButtonSetting", L"3"), L"67");
    }
    FileDialog second(folder);
    second.dialog.OnInitDialog();
    EXPECT_EQ(second.window.Text(1002), L"Copy");
    EXPECT_TRUE(second.dialog.Record(ButtonId::X1).hooked);
    EXPECT_THAT(second.log.Entries(), Contains("Install(X1, 0x42)"));
    EXPECT_EQ(second.dialog.Record(ButtonId::X1).keyCode, 0x43);
}

TEST_F(DialogSettingsTest, ResetSavesDefaultCaptionsWithTheOldActionsKept) {
    FileDialog app(folder);
    app.dialog.OnInitDialog();
    app.dialog.selectedButton = 1;
    app.dialog.OnCommand(23);     // Cut
    app.dialog.OnCommand(32784);  // Reset saves at once
    EXPECT_EQ(app.Read(L"RButtonSetting", L"0"), L"Right Button");
    EXPECT_EQ(app.Read(L"RButtonSetting", L"1"), L"0");
    EXPECT_EQ(app.Read(L"RButtonSetting", L"2"), L"2");
    EXPECT_EQ(app.Read(L"RButtonSetting", L"3"), L"88");
}

TEST_F(DialogSettingsTest, ExitSavesBeforeTheProcessEnds) {
    FileDialog app(folder);
    app.dialog.OnInitDialog();
    app.dialog.selectedButton = 6;
    app.dialog.OnCommand(44);  // Forward
    app.dialog.OnCommand(32782);
    EXPECT_EQ(app.Read(L"WUButtonSetting", L"0"), L"Forward");
    EXPECT_EQ(app.log.Entries().back(), "ExitProcess(0)");
}

// A file open in another program for a while: tried again after growing pauses, then no more
// until the user changes something; the user hears of it once per run of failures.
TEST_F(DialogSettingsTest, APassingObstacleIsRetriedWithGrowingPausesThenWaitsForAChange) {
    FileDialog app(folder);
    app.dialog.OnInitDialog();
    const auto balloon = AllOf(StartsWith("ShowTrayBalloon(Tressel: settings not saved: "),
                               HasSubstr(Narrow(app.settingsFile)),
                               HasSubstr("read-only or open in another program"));
    app.files.busyReplaces = 99;
    app.Assign(1, 24);  // Copy
    app.log.Clear();
    app.dialog.OnTimer(7);
    EXPECT_TRUE(app.dialog.LastSave().passing);
    EXPECT_THAT(app.log.Entries(), ElementsAre("KillTimer(7)", balloon, "SetTimer(7, 1000)"));
    for (const char* next :
         {"SetTimer(7, 2000)", "SetTimer(7, 4000)", "SetTimer(7, 8000)", "SetTimer(7, 16000)"}) {
        app.log.Clear();
        app.dialog.OnTimer(7);
        EXPECT_THAT(app.log.Entries(), ElementsAre("KillTimer(7)", next));
    }
    app.log.Clear();
    app.dialog.OnTimer(7);
    EXPECT_THAT(app.log.Entries(), ElementsAre("KillTimer(7)"));
    EXPECT_EQ(app.Read(L"RButtonSetting", L"0"), L"<absent>");

    // The next change saves, and a new run of failures is told again.
    app.files.busyReplaces = 0;
    app.Assign(1, 23);  // Cut
    app.dialog.OnTimer(7);
    EXPECT_TRUE(app.dialog.LastSave().Saved());
    EXPECT_EQ(app.Read(L"RButtonSetting", L"0"), L"Cut");
    app.files.busyReplaces = 1;
    app.Assign(1, 24);
    app.log.Clear();
    app.dialog.OnTimer(7);
    EXPECT_THAT(app.log.Entries(), ElementsAre("KillTimer(7)", balloon, "SetTimer(7, 1000)"));
}

// A read-only file: told once, never retried by itself, and no copy is made for it; the next
// change tries again.
TEST_F(DialogSettingsTest, ALastingObstacleCostsNothingUntilTheNextChange) {
    FileDialog app(folder);
    app.dialog.OnInitDialog();
    app.dialog.OnCommand(command_id::kReset);  // the file is there
    app.files.readOnly = true;
    app.Assign(1, 24);
    app.log.Clear();
    app.dialog.OnTimer(7);
    EXPECT_FALSE(app.dialog.LastSave().passing);
    EXPECT_THAT(
        app.log.Entries(),
        ElementsAre("KillTimer(7)", AllOf(StartsWith("ShowTrayBalloon(Tressel: settings not saved"),
                                          HasSubstr("read-only"))));
    EXPECT_FALSE(std::filesystem::exists(folder / "ZornSetting.ini.tmp"));

    app.files.readOnly = false;
    app.Assign(1, 23);
    app.log.Clear();
    app.dialog.OnTimer(7);
    EXPECT_THAT(app.log.Entries(), ElementsAre("KillTimer(7)"));
    EXPECT_EQ(app.Read(L"RButtonSetting", L"0"), L"Cut");
}

TEST_F(DialogSettingsTest, AFileUnreadableAtStartIsKeptAsideOnceBeforeTheFirstSave) {
    const std::string users = "[RButtonSetting]\r\n0=Users own\r\n";
    std::ofstream(folder / "ZornSetting.ini", std::ios::binary) << users;
    const auto bytes = [&](const char* name) { return ReadFileBytes(folder / name); };
    FileDialog app(folder);
    app.files.unreadable = true;
    app.dialog.OnInitDialog();
    app.files.unreadable = false;
    EXPECT_THAT(app.log.Entries(),
                Contains("ShowTrayBalloon(Tressel: settings not read: Settings could not be read "
                         "from " +
                         Narrow(app.settingsFile) +
                         ": it is open in another program; they will be kept as "
                         "ZornSetting.ini.bak if you change anything.)"));

    app.Assign(1, 24);  // Copy
    app.log.Clear();
    app.dialog.OnTimer(7);
    EXPECT_TRUE(app.dialog.LastSave().Saved());
    EXPECT_EQ(app.dialog.LastSave().keptAsideAs, app.settingsFile + L".bak");
    EXPECT_THAT(app.log.Entries(),
                Contains("ShowTrayBalloon(Tressel: settings not read: The settings file that "
                         "could not be read at start is kept as " +
                         Narrow(app.settingsFile) + ".bak.)"));
    EXPECT_EQ(bytes("ZornSetting.ini.bak"), users);
    EXPECT_EQ(app.Read(L"RButtonSetting", L"0"), L"Copy");

    app.dialog.OnCommand(23);  // Cut
    app.dialog.OnTimer(7);
    EXPECT_TRUE(app.dialog.LastSave().Saved());
    EXPECT_EQ(app.dialog.LastSave().keptAsideAs, L"");
    EXPECT_EQ(bytes("ZornSetting.ini.bak"), users);
    EXPECT_FALSE(std::filesystem::exists(folder / "ZornSetting.ini.bak2"));
    EXPECT_EQ(app.Read(L"RButtonSetting", L"0"), L"Cut");
}

// A program folder that takes no writes: the settings live in the local application data
// folder, starting from the program folder's file, which stays as it was; the user is told once.
// A program folder that takes writes again is used as before.
TEST_F(DialogSettingsTest, AProgramFolderThatTakesNoWritesKeepsTheSettingsInTheLocalFolder) {
    const std::string users = "; mine\r\n[RButtonSetting]\r\n0=Users own\r\n";
    std::ofstream(folder / "ZornSetting.ini", std::ios::binary) << users;
    std::filesystem::create_directories(folder / "local");
    const std::wstring local = folder.wstring() + L"\\local\\Tressel\\ZornSetting.ini";
    const auto start = [&](FileDialog& app, bool folderLocked) {
        if (folderLocked) app.files.lockedFolder = app.programFolder;
        app.dialog.OnInitDialog();
    };
    {
        FileDialog first(folder);
        start(first, true);
        EXPECT_EQ(first.window.Text(1000), L"Users own");
        first.Assign(3, 24);  // X1: Copy
        first.log.Clear();
        first.dialog.OnTimer(7);
        EXPECT_TRUE(first.dialog.LastSave().Saved());
        EXPECT_THAT(first.log.Entries(),
                    Contains("ShowTrayBalloon(Tressel: settings moved: The program folder takes "
                             "no changes, so your settings are now kept in " +
                             Narrow(local) + ".)"));
        EXPECT_EQ(first.Read(local, L"X1ButtonSetting", L"0"), L"Copy");
        EXPECT_EQ(first.Read(local, L"RButtonSetting", L"0"), L"Users own");
        EXPECT_EQ(ReadFileBytes(folder / "ZornSetting.ini"), users);
        first.Assign(3, 23);  // Cut
        first.log.Clear();
        first.dialog.OnTimer(7);
        EXPECT_THAT(first.log.Entries(), ElementsAre("KillTimer(7)"));
    }
    FileDialog second(folder);
    start(second, true);
    EXPECT_EQ(second.window.Text(1002), L"Cut");
    FileDialog writableAgain(folder);
    start(writableAgain, false);
    EXPECT_EQ(writableAgain.window.Text(1002), L"X1 Button");
}

}  // namespace
}  // namespace tressel
