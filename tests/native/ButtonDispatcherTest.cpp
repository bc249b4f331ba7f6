// Exact event sequences of a dispatched press: records, grouping per SendInput call, pauses and
// the hook lifted around a synthesised click.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "actions/ButtonDispatcher.h"
#include "fakes/FakeHookLibraries.h"
#include "fakes/FakeInputSystem.h"
#include "fakes/FakeSystemActions.h"

namespace tressel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace tressel::testing;

constexpr WindowHandle kWindow = 0x42;

class ButtonDispatcherTest : public ::testing::Test {
  protected:
    ButtonDispatcherTest()
        : hooks(log),
          input(log),
          system(log),
          dispatcher(records, hooks, input, system,
                     [this](ButtonId id) { log.Add("StartScript(" + Describe(id) + ")"); }) {
        input.SetCursor({960, 540});
    }

    ButtonSetting& Record(ButtonId id) { return records[ToIndex(id)]; }
    void SetMouse(ButtonId id, std::int32_t action) {
        Record(id).category = MouseButton;
        Record(id).mouseAction = action;
    }
    void SetKey(ButtonId id, std::int32_t action, std::uint8_t code) {
        Record(id).category = KeyOrCommand;
        Record(id).keyAction = action;
        Record(id).keyCode = code;
    }
    void SetLaunch(ButtonId id, std::wstring target) {
        Record(id).category = KeyOrCommand;
        Record(id).keyAction = Launch;
        Record(id).launchTarget = std::move(target);
    }
    std::vector<std::string> Press(ButtonId id) {
        log.Clear();
        dispatcher.DispatchButtonEvent(id, kWindow);
        return log.Entries();
    }
    // Button and wheel events carry no position: they happen where the pointer is. They carry
    // the dispatch's mark, "TRES", by which the raw input tells them from the user's.
    static std::string Mouse(unsigned flags, int data = 0) {
        InputRecord r = InputRecord::MouseEvent(0, 0, flags, data);
        r.extraInfo = 0x54524553;
        return "SendInput[" + Describe(r) + "]";
    }
    static std::string Key(unsigned vk, unsigned flags) {
        return "SendInput[" +
               Describe(InputRecord::KeyEvent(static_cast<std::uint16_t>(vk), flags)) + "]";
    }

    CallLog log;
    ButtonDispatcher::Records records{};
    FakeHookLibraries hooks;
    FakeInputSystem input;
    FakeSystemActions system;
    ButtonDispatcher dispatcher;
};

TEST_F(ButtonDispatcherTest, ClicksAreTwoCallsWithAPauseAtTheCursor) {
    SetMouse(ButtonId::X1, LeftClick);
    EXPECT_THAT(Press(ButtonId::X1), ElementsAre(Mouse(0x0002), "Sleep(30)", Mouse(0x0004)));

    SetMouse(ButtonId::X1, MiddleClick);
    EXPECT_THAT(Press(ButtonId::X1), ElementsAre(Mouse(0x0020), "Sleep(30)", Mouse(0x0040)));
    for (const auto& call : input.Calls()) EXPECT_EQ(call.size(), 1u);
}

TEST_F(ButtonDispatcherTest, ExtraButtonsCarryCrossedButtonData) {
    SetMouse(ButtonId::R, X1Click);
    EXPECT_THAT(Press(ButtonId::R), ElementsAre(Mouse(0x0080, 2), "Sleep(30)", Mouse(0x0100, 2)));
    SetMouse(ButtonId::R, X2Click);
    EXPECT_THAT(Press(ButtonId::R), ElementsAre(Mouse(0x0080, 1), "Sleep(30)", Mouse(0x0100, 1)));
}

TEST_F(ButtonDispatcherTest, WheelIsOneRecordWithoutPause) {
    SetMouse(ButtonId::M, WheelUp);
    EXPECT_THAT(Press(ButtonId::M), ElementsAre(Mouse(0x0800, 120)));
    SetMouse(ButtonId::M, WheelDown);
    EXPECT_THAT(Press(ButtonId::M), ElementsAre(Mouse(0x0800, -120)));
}

TEST_F(ButtonDispatcherTest, HookOfTheImitatedInputIsLiftedAroundTheEventsOnlyWhenInstalled) {
    // R gives a middle click while M gives a right click: neither hook may turn the synthesised
    // click into the other input's function.
    SetMouse(ButtonId::R, MiddleClick);
    SetMouse(ButtonId::M, RightClick);
    Record(ButtonId::R).hooked = true;
    Record(ButtonId::M).hooked = true;
    EXPECT_THAT(Press(ButtonId::R), ElementsAre("Remove(M, 0x42)", Mouse(0x0020), "Sleep(30)",
                                                Mouse(0x0040), "Install(M, 0x42)"));
    EXPECT_TRUE(Record(ButtonId::M).hooked);

    // A target input without hook stays without one.
    Record(ButtonId::M).hooked = false;
    EXPECT_THAT(Press(ButtonId::R), ElementsAre(Mouse(0x0020), "Sleep(30)", Mouse(0x0040)));
    EXPECT_FALSE(Record(ButtonId::M).hooked);
}

TEST_F(ButtonDispatcherTest, EachMouseActionLiftsItsOwnInputsHook) {
    const std::pair<std::int32_t, ButtonId> pairs[] = {
        {RightClick, ButtonId::R}, {MiddleClick, ButtonId::M}, {X1Click, ButtonId::X1},
        {X2Click, ButtonId::X2},   {WheelUp, ButtonId::WU},    {WheelDown, ButtonId::WD}};
    for (ButtonId id : kAllButtons) Record(id).hooked = true;
    for (auto [action, lifted] : pairs) {
        SetMouse(ButtonId::X2, action);
        auto calls = Press(ButtonId::X2);
        ASSERT_GE(calls.size(), 3u);
        EXPECT_EQ(calls.front(), FakeHookLibraries::Entry("Remove", lifted, kWindow));
        EXPECT_EQ(calls.back(), FakeHookLibraries::Entry("Install", lifted, kWindow));
    }
    SetMouse(ButtonId::X2, LeftClick);
    EXPECT_THAT(Press(ButtonId::X2), ElementsAre(Mouse(0x0002), "Sleep(30)", Mouse(0x0004)));
}

TEST_F(ButtonDispatcherTest, EventsNeitherMoveThePointerNorDependOnWhereItIs) {
    // A move sent with the click would be normalised over one screen and pull the pointer off a
    // monitor left of the primary one, or a pixel up and left on any.
    SetMouse(ButtonId::WD, RightClick);
    for (Point pointer : {Point{-1280, 500}, Point{1919, 1079}, Point{2500, -300}}) {
        input.SetCursor(pointer);
        EXPECT_THAT(Press(ButtonId::WD), ElementsAre(Mouse(0x0008), "Sleep(30)", Mouse(0x0010)));
    }
}

TEST_F(ButtonDispatcherTest, SingleKeyIsOneCallOfTwoRecords) {
    SetKey(ButtonId::X1, SingleKey, 0x6B);
    EXPECT_THAT(Press(ButtonId::X1),
                ElementsAre("SendInput[" + Describe(InputRecord::KeyEvent(0x6B, 0)) + ", " +
                            Describe(InputRecord::KeyEvent(0x6B, 2)) + "]"));
    SetKey(ButtonId::X1, SingleKey, 0);
    ASSERT_EQ(Press(ButtonId::X1).size(), 1u);
    EXPECT_EQ(input.Calls().back().size(), 2u);
}

TEST_F(ButtonDispatcherTest, ChordsHoldTheirModifierAroundTheKey) {
    const std::pair<std::int32_t, unsigned> chords[] = {
        {WinChord, 0x5B}, {CtrlChord, 0x11}, {ShiftChord, 0x10}, {AltChord, 0x12}};
    for (auto [action, modifier] : chords) {
        SetKey(ButtonId::R, action, 0x43);
        Record(ButtonId::R).hooked = true;
        EXPECT_THAT(Press(ButtonId::R), ElementsAre(Key(modifier, 0), "Sleep(30)", Key(0x43, 0),
                                                    Key(0x43, 2), Key(modifier, 2)))
            << "keyAction " << action;
    }
}

TEST_F(ButtonDispatcherTest, OutOfRangeValuesDoNothing) {
    for (std::int32_t category : {2, -1}) {
        Record(ButtonId::R).category = category;
        EXPECT_THAT(Press(ButtonId::R), IsEmpty());
    }
    SetMouse(ButtonId::R, 7);
    EXPECT_THAT(Press(ButtonId::R), IsEmpty());
    SetMouse(ButtonId::R, -1);
    EXPECT_THAT(Press(ButtonId::R), IsEmpty());
    SetKey(ButtonId::R, 7, 0x43);
    EXPECT_THAT(Press(ButtonId::R), IsEmpty());
    SetKey(ButtonId::R, -1, 0x43);
    EXPECT_THAT(Press(ButtonId::R), IsEmpty());
}

TEST_F(ButtonDispatcherTest, CategorySelectsWhichFieldsCount) {
    // A mouse record ignores the key fields however they are filled, and the other way round.
    SetKey(ButtonId::M, CtrlChord, 0x43);
    Record(ButtonId::M).launchTarget = L"calc.exe";
    Record(ButtonId::M).category = MouseButton;
    Record(ButtonId::M).mouseAction = WheelDown;
    EXPECT_THAT(Press(ButtonId::M), ElementsAre(Mouse(0x0800, -120)));
    Record(ButtonId::M).category = KeyOrCommand;
    EXPECT_THAT(Press(ButtonId::M),
                ElementsAre(Key(0x11, 0), "Sleep(30)", Key(0x43, 0), Key(0x43, 2), Key(0x11, 2)));
}

TEST_F(ButtonDispatcherTest, ScriptPressesGoToTheInputsWorkerStarter) {
    Record(ButtonId::WU).category = KeyOrCommand;
    Record(ButtonId::WU).keyAction = Script;
    EXPECT_THAT(Press(ButtonId::WU), ElementsAre("StartScript(WU)"));
}

TEST_F(ButtonDispatcherTest, LaunchOpensTargetsWithTheShellUnchanged) {
    SetLaunch(ButtonId::X2, L"C:\\Program Files\\My Tool\\tool.exe");
    EXPECT_THAT(Press(ButtonId::X2),
                ElementsAre("ShellExecute(open, \"C:\\Program Files\\My Tool\\tool.exe\", \"\", "
                            "\"\", 1)"));
    SetLaunch(ButtonId::X2, L"");
    EXPECT_THAT(Press(ButtonId::X2), ElementsAre("ShellExecute(open, \"\", \"\", \"\", 1)"));
}

TEST_F(ButtonDispatcherTest, PowerTokensMatchExactlyAndCaseSensitively) {
    SetLaunch(ButtonId::R, L"#jsjshutoff#");
    EXPECT_THAT(Press(ButtonId::R).back(), "InitiateShutdown(flags=0x8, reason=0x80000000)");

    SetLaunch(ButtonId::R, L"#jsjshutoff");
    EXPECT_THAT(Press(ButtonId::R),
                ElementsAre("ShellExecute(open, \"#jsjshutoff\", \"\", \"\", 1)"));
    SetLaunch(ButtonId::R, L"#JSJSLEEP#");
    EXPECT_THAT(Press(ButtonId::R),
                ElementsAre("ShellExecute(open, \"#JSJSLEEP#\", \"\", \"\", 1)"));
    SetLaunch(ButtonId::R, L" #jsjsleep#");
    EXPECT_THAT(Press(ButtonId::R),
                ElementsAre("ShellExecute(open, \" #jsjsleep#\", \"\", \"\", 1)"));
}

}  // namespace
}  // namespace tressel
