// "Start With Windows": the stored BootValue, the toggle and the Run entry.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/StartWithWindows.h"
#include "fakes/FakeUserRegistry.h"

namespace tressel {
namespace {

using ::testing::ElementsAre;
using namespace tressel::testing;

TEST(StartWithWindows, BootValueReadsLikeTheCLibrary) {
    CallLog log;
    FakeUserRegistry registry(log);
    EXPECT_TRUE(IsStartWithWindowsOn(registry));  // absent reads as 0: on
    const std::pair<const wchar_t*, bool> cases[] = {
        {L"0", true},  {L"00", true}, {L"x1", true},  {L"", true},     {L"  0", true},
        {L"1", false}, {L"2", false}, {L"-1", false}, {L" 7x", false}, {L"+3", false}};
    for (auto [text, on] : cases) {
        registry.profile[L"ZornMouseApplication/BootValue"] = text;
        EXPECT_EQ(IsStartWithWindowsOn(registry), on) << Narrow(text);
    }
}

TEST(StartWithWindows, ParseDecimalStopsAtTheFirstOtherCharacterAndClamps) {
    EXPECT_EQ(ParseDecimal(L"\t\n 42abc"), 42);
    EXPECT_EQ(ParseDecimal(L"-17"), -17);
    EXPECT_EQ(ParseDecimal(L"- 5"), 0);
    EXPECT_EQ(ParseDecimal(L"99999999999999999999"), 2147483647);
    EXPECT_EQ(ParseDecimal(L"-99999999999999999999"), -2147483647 - 1);
}

TEST(StartWithWindows, FirstToggleFromAFreshProfileTurnsItOff) {
    CallLog log;
    FakeUserRegistry registry(log);
    ToggleStartWithWindows(registry, L"C:\\Tools\\Tressel.exe");
    EXPECT_THAT(log.Entries(), ElementsAre("WriteProfileValue(ZornMouseApplication, BootValue, 1)",
                                           "DeleteRunValue(ZornApplication)"));
    EXPECT_FALSE(IsStartWithWindowsOn(registry));
}

TEST(StartWithWindows, TogglingTwiceLeavesItOnWithAQuotedRunEntry) {
    CallLog log;
    FakeUserRegistry registry(log);
    ToggleStartWithWindows(registry, L"C:\\Program Files\\Tressel\\Tressel.exe");
    ToggleStartWithWindows(registry, L"C:\\Program Files\\Tressel\\Tressel.exe");
    EXPECT_EQ(registry.profile[L"ZornMouseApplication/BootValue"], L"0");
    // Quoted, so that Windows cannot read "C:\Program" as the program to run.
    EXPECT_EQ(registry.run[L"ZornApplication"],
              L"\"C:\\Program Files\\Tressel\\Tressel.exe\" -run");
    EXPECT_TRUE(IsStartWithWindowsOn(registry));
}

TEST(StartWithWindows, StoreValueIsWrittenEvenWhenTheRunKeyCannotBeOpened) {
    CallLog log;
    FakeUserRegistry registry(log);
    registry.runKeyExists = false;
    registry.profile[L"ZornMouseApplication/BootValue"] = L"1";
    ToggleStartWithWindows(registry, L"C:\\T.exe");
    EXPECT_THAT(log.Entries(), ElementsAre("WriteProfileValue(ZornMouseApplication, BootValue, 0)",
                                           "SetRunValue(ZornApplication, \"C:\\T.exe\" -run)"));
    EXPECT_TRUE(IsStartWithWindowsOn(registry));
}

}  // namespace
}  // namespace tressel
