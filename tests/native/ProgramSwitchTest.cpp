// The records in force as programs come to the front: a program's own record, else the one of
// all programs; the hooks the programs need and which inputs pass; a press across a switch.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/CallLog.h"
#include "fakes/FakeHookLibraries.h"
#include "programs/ProgramSwitch.h"

namespace tressel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace tressel::testing;

constexpr WindowHandle kWindow = 0x42;

ButtonSetting Chord(std::uint8_t key) {
    ButtonSetting record;
    record.hooked = true;
    record.category = KeyOrCommand;
    record.keyAction = CtrlChord;
    record.keyCode = key;
    return record;
}

// All programs: X1 is Ctrl+C, its hook installed. The editor has Ctrl+V on X1 and M of its
// own; the game has X1 native.
class ProgramSwitchTest : public ::testing::Test {
  protected:
    ProgramSwitchTest() {
        all[ToIndex(ButtonId::X1)] = Chord('C');
        ProgramSettings* editor = programs.Add(L"Editor.exe");
        editor->Own(ButtonId::X1) = StoredInput{L"Paste", Chord('V')};
        editor->Own(ButtonId::M) = StoredInput{L"Cut", Chord('X')};
        programs.Add(L"game.exe")->Own(ButtonId::X1) = StoredInput{L"X1", ButtonSetting{}};
        log.Clear();
    }
    void Front(const wchar_t* fileName, std::uint32_t since, bool reachable = true) {
        programSwitch.OnForegroundChanged(
            {.reachable = reachable, .fileName = fileName, .since = since}, kWindow);
    }

    CallLog log;
    FakeHookLibraries hooks{log};
    ButtonDispatcher::Records all{};
    ProgramSettingsTable programs;
    ProgramSwitch programSwitch{all, programs, hooks};
};

TEST_F(ProgramSwitchTest, EachProgramInFrontGetsItsOwnRecordsAndNativeInputsPass) {
    struct Step {
        const wchar_t* front;
        std::uint8_t x1Key;  // 0: native, passes
        std::uint8_t mKey;
    };
    const Step steps[] = {
        {L"EDITOR.EXE", 'V', 'X'},
        {L"game.exe", 0, 0},
        {L"other.exe", 'C', 0},
        {L"", 'C', 0},
    };
    programSwitch.Refresh(kWindow);  // M is remapped in the editor only: its hook comes in
    EXPECT_THAT(log.Entries(), ElementsAre("Install(M, 0x42)", "PassThrough(M, on)"));
    std::uint32_t time = 1000;
    for (const Step& step : steps) {
        SCOPED_TRACE(Narrow(step.front));
        Front(step.front, time += 100);
        EXPECT_EQ(programSwitch.InForce(ButtonId::X1).keyCode, step.x1Key);
        EXPECT_EQ(programSwitch.Taken(ButtonId::X1), step.x1Key != 0);
        EXPECT_EQ(programSwitch.Taken(ButtonId::M), step.mKey != 0);
        EXPECT_FALSE(programSwitch.Installed(ButtonId::R));
    }
}

TEST_F(ProgramSwitchTest, APressPostedBeforeTheSwitchGoesByTheRecordsInForceAtIt) {
    Front(L"editor.exe", 5000);
    Front(L"game.exe", 5200);
    EXPECT_EQ(programSwitch.InForceAt(ButtonId::X1, 5190).keyCode, 'V');
    EXPECT_FALSE(programSwitch.InForceAt(ButtonId::X1, 5200).hooked);
    // The tick count wraps: a press just before a switch just after the wrap.
    Front(L"editor.exe", 0xFFFFFFF0u);
    Front(L"other.exe", 0x10);
    EXPECT_EQ(programSwitch.InForceAt(ButtonId::X1, 0xFFFFFFF8u).keyCode, 'V');
    EXPECT_EQ(programSwitch.InForceAt(ButtonId::X1, 0x20).keyCode, 'C');
}

// The hook took a press its pass-through would have let through a moment later: the press does
// the input's own job (the dialog's X1 click: ProgramViewTest). Without a hook nothing changes.
TEST_F(ProgramSwitchTest, APressTakenWhereTheInputIsNativeDoesItsNativeJob) {
    programSwitch.Refresh(kWindow);  // M installed for the editor alone
    Front(L"game.exe", 5200);
    EXPECT_EQ(programSwitch.ForTakenPress(ButtonId::M, 5200).mouseAction, MiddleClick);
    EXPECT_EQ(&programSwitch.ForTakenPress(ButtonId::R, 5200), &all[ToIndex(ButtonId::R)]);
}

TEST_F(ProgramSwitchTest, TheHookOfAllProgramsIsTakenOverOrLeftToTheProgramsThatNeedIt) {
    programSwitch.Refresh(kWindow);
    log.Clear();
    programSwitch.InstallForAllPrograms(ButtonId::M, kWindow);  // the programs' hook is taken over
    programSwitch.RemoveForAllPrograms(ButtonId::M, kWindow);   // the editor still needs it
    EXPECT_TRUE(programSwitch.Installed(ButtonId::M));
    programs.Remove(L"editor.exe");
    programSwitch.Refresh(kWindow);
    programSwitch.RemoveForAllPrograms(ButtonId::X1, kWindow);
    EXPECT_THAT(log.Entries(),
                ElementsAre("PassThrough(M, off)", "PassThrough(M, on)", "Remove(M, 0x42)",
                            "PassThrough(M, off)", "Remove(X1, 0x42)"));
}

TEST_F(ProgramSwitchTest, WithoutProgramsSettingsNothingIsInstalledOrPassesButForUnreachable) {
    programs.Remove(L"editor.exe");
    programs.Remove(L"game.exe");
    programSwitch.Refresh(kWindow);
    Front(L"editor.exe", 10);
    EXPECT_THAT(log.Entries(), IsEmpty());
    Front(L"admin.exe", 20, false);
    EXPECT_EQ(log.Entries().size(), kButtonCount);
    EXPECT_EQ(&programSwitch.InForce(ButtonId::X1), &all[ToIndex(ButtonId::X1)]);
}

}  // namespace
}  // namespace tressel
