// Playback of action lines: the exact events, their positions and keys, precise waits and what
// they hold for the run, and a list rebuilt while it plays.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

#include "fakes/CallLog.h"
#include "fakes/FakeInputSystem.h"
#include "macros/MacroArgument.h"
#include "macros/MacroPlayer.h"

namespace tressel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace tressel::testing;

class MacroPlayerTest : public ::testing::Test {
  protected:
    MacroPlayerTest() : input(log) { input.SetCursor({960, 540}); }

    std::vector<std::string> Play(MacroLineList::Lines lines) {
        list.Publish(std::move(lines));
        log.Clear();
        PlayMacroLines(list, input);
        return log.Entries();
    }
    static std::string Mouse(int x, int y, unsigned flags) {
        return "SendInput[" + Describe(InputRecord::MouseEvent(x, y, flags)) + "]";
    }
    static std::string Key(unsigned vk, unsigned flags, std::uintptr_t extra = 0) {
        return "SendInput[" +
               Describe(InputRecord::KeyEvent(static_cast<std::uint16_t>(vk), flags, extra)) + "]";
    }

    CallLog log;
    FakeInputSystem input;
    MacroLineList list;
};

// The centre of a 1920 x 1080 desktop, normalised: the first value that lands on pixel 960
// (540) whether the pixel is read as value * 1919 / 65535 rounded or as value * 1920 / 65536
// rounded down.
constexpr int kX = 32768;
constexpr int kY = 32768;

TEST_F(MacroPlayerTest, ClickStaysAtTheStartPositionWhileTheUserMovesTheMouse) {
    input.ScriptCursor({{960, 540}, {100, 100}});
    EXPECT_THAT(Play({"a", "g 40", "b"}),
                ElementsAre(Mouse(kX, kY, 0xC003), "CreatePreciseTimer", "PreciseWait(40)",
                            Mouse(kX, kY, 0xC005), "ClosePreciseTimer"));
    EXPECT_EQ(input.Now(), 40u);
}

TEST_F(MacroPlayerTest, StartPositionIsThePointersPixelOnTheWholeVirtualDesktop) {
    input.SetCursor({1919, 1079});
    EXPECT_THAT(Play({"a"}), ElementsAre(Mouse(65518, 65505, 0xC003)));
    input.SetCursor({1, 1});
    EXPECT_THAT(Play({"b"}), ElementsAre(Mouse(35, 61, 0xC005)));
    // A monitor left of and above the primary one: its top-left pixel is the desktop's first.
    input.virtualScreen = {-1280, -200, 1920, 1080};
    input.SetCursor({-1280, -200});
    EXPECT_THAT(Play({"a"}), ElementsAre(Mouse(0, 0, 0xC003)));
}

TEST_F(MacroPlayerTest, MoveRShiftsTheMacroPositionDownForLaterLines) {
    EXPECT_THAT(Play({"i 1000", "a", "i -2000 up", "b"}),
                ElementsAre(Mouse(kX, kY + 1000, 0xC001), Mouse(kX, kY + 1000, 0xC003),
                            Mouse(kX, kY - 1000, 0xC001), Mouse(kX, kY - 1000, 0xC005)));
}

TEST_F(MacroPlayerTest, MoveLStartsFromThePointersNewPlaceButKeepsTheMacrosY) {
    // Start at the centre; the user then moves to (480, 100) before the MoveL line.
    input.ScriptCursor({{960, 540}, {480, 100}});
    const int movedX = 16384;  // pixel 480 of 1920
    EXPECT_THAT(
        Play({"i 10", "h 1000", "a", "h -300 px"}),
        ElementsAre(Mouse(kX, kY + 10, 0xC001), Mouse(movedX + 1000, kY + 10, 0xC001),
                    Mouse(movedX + 1000, kY + 10, 0xC003), Mouse(movedX - 300, kY + 10, 0xC001)));
}

TEST_F(MacroPlayerTest, MovesBeyondTheIntRangeWrapInsteadOfOverflowing) {
    input.SetCursor({0, 0});
    EXPECT_THAT(Play({"i 2147483647", "i 2"}),
                ElementsAre(Mouse(0, std::numeric_limits<std::int32_t>::max(), 0xC001),
                            Mouse(0, std::numeric_limits<std::int32_t>::min() + 1, 0xC001)));
}

TEST_F(MacroPlayerTest, KeysUseTheLow16BitsAndTheLow16BitsOfTheExtraInfo) {
    input.extraInfo = 0xABCD1234;
    EXPECT_THAT(Play({"j 17", "j 67", "k 67", "k 17", "j 65601"}),
                ElementsAre(Key(17, 0, 0x1234), Key(67, 0, 0x1234), Key(67, 2, 0x1234),
                            Key(17, 2, 0x1234), Key(65, 0, 0x1234)));
}

TEST_F(MacroPlayerTest, OtherLettersPlayAsNothingBetweenNormalLines) {
    EXPECT_THAT(Play({"c", "a", "d", "e", "f", "x 5", "", "A", "b"}),
                ElementsAre(Mouse(kX, kY, 0xC003), Mouse(kX, kY, 0xC005)));
    EXPECT_THAT(Play({}), IsEmpty());
}

TEST_F(MacroPlayerTest, DelaysWithoutANumberOrBelowZeroDoNotWait) {
    EXPECT_THAT(
        Play({"g 0", "gDelay40", "g -5", "g 25 ms wait", "gDelay\t25"}),
        ElementsAre("CreatePreciseTimer", "PreciseWait(0)", "PreciseWait(0)", "PreciseWait(0)",
                    "PreciseWait(25)", "PreciseWait(0)", "ClosePreciseTimer"));
    EXPECT_EQ(input.Now(), 25u);
}

// One click of the 40 ms multi-shot script and a 1 ms wait. Without a high-resolution timer, or
// with one that refuses to wait, the run sleeps under a timer resolution raised once for the
// rest of the run; if even that is refused, it sleeps as it can.
TEST_F(MacroPlayerTest, EachDelayAsksThePreciseTimerElseASleepForItsLength) {
    using Entries = std::vector<std::string>;
    struct Row {
        const char* what;
        bool hasTimer;
        bool timerRefuses;
        bool canRaise;
        Entries setUp;
        std::string wait;
        Entries end;
    };
    const Row rows[] = {
        {"timer", true, false, true, {"CreatePreciseTimer"}, "PreciseWait", {"ClosePreciseTimer"}},
        {"no timer",
         false,
         false,
         true,
         {"CreatePreciseTimer -> none", "RaiseTimerResolution"},
         "Sleep",
         {"LowerTimerResolution"}},
        {"timer refuses",
         true,
         true,
         true,
         {"CreatePreciseTimer", "PreciseWait(10) refused", "ClosePreciseTimer",
          "RaiseTimerResolution"},
         "Sleep",
         {"LowerTimerResolution"}},
        {"nothing raised",
         false,
         false,
         false,
         {"CreatePreciseTimer -> none", "RaiseTimerResolution failed"},
         "Sleep",
         {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        input.hasPreciseTimer = row.hasTimer;
        input.timerRefuses = row.timerRefuses;
        input.canRaiseResolution = row.canRaise;
        Entries expected = {Mouse(kX, kY, 0xC003)};
        expected.insert(expected.end(), row.setUp.begin(), row.setUp.end());
        for (const std::string& entry :
             {row.wait + "(10)", Mouse(kX, kY, 0xC005), row.wait + "(30)", row.wait + "(1)",
              Mouse(kX, kY, 0xC003)})
            expected.push_back(entry);
        expected.insert(expected.end(), row.end.begin(), row.end.end());
        EXPECT_EQ(Play({"a", "g 10", "b", "g 30", "g 1", "a"}), expected);
    }
}

// The fallback resolution is held only while a run plays: lowered at the end of a run cut short
// by a shorter list or by a failure, and raised anew by the next run.
TEST_F(MacroPlayerTest, ARaisedResolutionIsLoweredOnceHoweverTheRunEnds) {
    input.hasPreciseTimer = false;
    input.onWait = [&](std::uint32_t) { list.Publish({"j 1"}); };
    EXPECT_THAT(Play({"j 1", "g 10", "j 2", "g 10"}),
                ElementsAre(Key(1, 0), "CreatePreciseTimer -> none", "RaiseTimerResolution",
                            "Sleep(10)", "LowerTimerResolution"));

    input.onWait = nullptr;
    input.onSend = [](std::span<const InputRecord> records) {
        if (records[0].virtualKey == 2) throw std::runtime_error("refused");
    };
    list.Publish({"g 5", "j 2", "g 5"});
    log.Clear();
    EXPECT_THROW(PlayMacroLines(list, input), std::runtime_error);
    EXPECT_THAT(log.Entries(), ElementsAre("CreatePreciseTimer -> none", "RaiseTimerResolution",
                                           "Sleep(5)", Key(2, 0), "LowerTimerResolution"));

    input.onSend = nullptr;
    EXPECT_THAT(Play({"g 5", "g 5"}),
                ElementsAre("CreatePreciseTimer -> none", "RaiseTimerResolution", "Sleep(5)",
                            "Sleep(5)", "LowerTimerResolution"));
}

TEST_F(MacroPlayerTest, AListRebuiltDuringTheRunPlaysOnFromTheNextLineOfTheNewList) {
    bool rebuilt = false;
    input.onSend = [&](std::span<const InputRecord>) {
        if (rebuilt) return;
        rebuilt = true;
        list.Publish({"j 1", "j 2", "j 3"});
    };
    EXPECT_THAT(Play({"a", "b", "b", "b", "b"}),
                ElementsAre(Mouse(kX, kY, 0xC003), Key(2, 0), Key(3, 0)));
}

TEST(MacroArgument, ReadsLikeTheRuntimesWideStringToInt) {
    EXPECT_EQ(MacroArgument(L"g 40"), 40);
    EXPECT_EQ(MacroArgument(L"h -300 px"), -300);
    EXPECT_EQ(MacroArgument(L"g +7"), 7);
    EXPECT_EQ(MacroArgument(L"g \t\r\n\v\f 12"), 12);
    EXPECT_EQ(MacroArgument(L"gDelay40"), 0);
    EXPECT_EQ(MacroArgument(L"g"), 0);
    EXPECT_EQ(MacroArgument(L"g - 5"), 0);
    EXPECT_EQ(MacroArgument(L"g 0x20"), 0);
    EXPECT_EQ(MacroArgument(L"g 2147483647"), 2147483647);
    EXPECT_EQ(MacroArgument(L"g -2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(MacroArgument(L"g 99999999999999999999"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(MacroArgument(L"g -2147483649"), std::numeric_limits<std::int32_t>::min());
}

}  // namespace
}  // namespace tressel
