// "Start With Windows": the check mark from the Run entry, the toggle with BootValue in step,
// Task Manager's "disabled", the entry following a moved program folder, and how BootValue
// reads.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <vector>

#include "app/StartWithWindows.h"
#include "fakes/FakeUserRegistry.h"
#include "fakes/NullStores.h"

namespace tressel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace tressel::testing;

constexpr wchar_t kExe[] = L"C:\\Program Files\\Tressel\\Tressel.exe";
constexpr wchar_t kOurs[] = L"\"C:\\Program Files\\Tressel\\Tressel.exe\" -run";
constexpr wchar_t kBoot[] = L"ZornMouseApplication/BootValue";

class ExistingFiles : public NullFileSystem {
  public:
    bool Exists(const std::wstring& path) override { return paths.count(path) > 0; }
    std::set<std::wstring> paths;
};

class StartWithWindowsTest : public ::testing::Test {
  protected:
    void Given(std::optional<std::wstring> boot, std::optional<std::wstring> entry) {
        registry.profile.clear();
        registry.run.clear();
        if (boot) registry.profile[kBoot] = *boot;
        if (entry) registry.run[kRunValueName] = *entry;
        log.Clear();
    }
    bool On() { return IsStartWithWindowsOn(registry, kExe); }

    CallLog log;
    FakeUserRegistry registry{log};
    ExistingFiles files;
};

TEST_F(StartWithWindowsTest, TheCheckMarkShowsWhetherTheRunEntryStartsThisProgram) {
    const std::pair<std::optional<std::wstring>, bool> cases[] = {
        {std::nullopt, false},  // a fresh profile: BootValue absent reads "on", yet no entry
        {kOurs, true},
        {L"C:\\Program Files\\Tressel\\Tressel.exe -run", true},  // as earlier versions wrote it
        {L"\"c:\\program files\\TRESSEL\\tressel.exe\" -run", true},
        {L"\"D:\\Old\\Tressel.exe\" -run", false},
        {L"C:\\Program Files\\Tressel\\Tressel.exe.bak -run", false},
        {L"", false},
    };
    for (const auto& [entry, on] : cases) {
        Given(L"0", entry);
        EXPECT_EQ(On(), on) << Narrow(entry.value_or(L"<absent>"));
    }
}

TEST_F(StartWithWindowsTest, AClickTurnsItOnWhenOffAndOffWhenOnWithBootValueInStep) {
    Given(std::nullopt, std::nullopt);
    ToggleStartWithWindows(registry, kExe);
    EXPECT_THAT(log.Entries(),
                ElementsAre("SetRunValue(ZornApplication, " + Narrow(kOurs) + ")",
                            "WriteProfileValue(ZornMouseApplication, BootValue, 0)"));
    EXPECT_TRUE(On());
    log.Clear();
    ToggleStartWithWindows(registry, kExe);
    EXPECT_THAT(log.Entries(),
                ElementsAre("DeleteRunValue(ZornApplication)",
                            "WriteProfileValue(ZornMouseApplication, BootValue, 1)"));
    EXPECT_FALSE(On());

    // An entry of another copy means off here: the click points it at this program.
    Given(L"0", L"\"D:\\Other\\Tressel.exe\" -run");
    ToggleStartWithWindows(registry, kExe);
    EXPECT_EQ(registry.run[kRunValueName], kOurs);
    EXPECT_EQ(registry.profile[kBoot], L"0");
}

// Task Manager's Startup page turns an entry off by its StartupApproved value alone.
TEST_F(StartWithWindowsTest, AnEntryTurnedOffInTaskManagerShowsOffAndAClickTurnsItOnAgain) {
    using Bytes = std::vector<std::uint8_t>;
    const Bytes offAt = {0x03, 0, 0, 0, 0xD4, 0x0D, 0x43, 0x8D, 0xC8, 0x3B, 0xD9, 0x01};
    struct Row {
        const char* what;
        std::optional<Bytes> approval;
        bool on;
    };
    // clang-format off
    const Row rows[] = {
        {"never seen", std::nullopt, true},
        {"on", Bytes{0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, true},
        {"on, other form", Bytes{0x06, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, true},
        {"off", offAt, false},
        {"off, other form", Bytes{0x07, 0, 0, 0, 0x71, 0xC9, 0x33, 0xAE, 0x16, 0xD9, 0xD1, 0x01}, false},
        {"empty", Bytes{}, true},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Given(L"0", kOurs);
        registry.approval.clear();
        if (row.approval) registry.approval[kRunValueName] = *row.approval;
        EXPECT_EQ(On(), row.on);
    }

    Given(L"0", kOurs);
    registry.approval[kRunValueName] = offAt;
    ToggleStartWithWindows(registry, kExe);
    EXPECT_THAT(log.Entries(),
                ElementsAre("SetRunValue(ZornApplication, " + Narrow(kOurs) + ")",
                            "DeleteStartupApproval(ZornApplication)",
                            "WriteProfileValue(ZornMouseApplication, BootValue, 0)"));
    EXPECT_TRUE(On());
}

TEST_F(StartWithWindowsTest, BootValueFollowsTheOutcomeWhenTheRunKeyRefuses) {
    Given(L"1", std::nullopt);
    registry.runKeyExists = false;
    ToggleStartWithWindows(registry, kExe);
    EXPECT_FALSE(On());
    EXPECT_EQ(registry.profile[kBoot], L"1");
}

TEST_F(StartWithWindowsTest, AtStartTheEntryFollowsAMovedProgramOnlyWhileTheUserHadItOn) {
    const std::wstring old = L"\"D:\\Old Place\\Tressel.exe\" -run";
    struct Row {
        const char* what;
        std::optional<std::wstring> boot;
        std::optional<std::wstring> entry;
        bool oldProgramExists;
        std::optional<std::wstring> after;  // nullopt: untouched
    };
    const Row rows[] = {
        {"moved, had it on", L"0", old, false, kOurs},
        {"moved, BootValue absent", std::nullopt, old, false, kOurs},
        {"moved, earlier unquoted entry", L"0", L"D:\\Old Place\\Tressel.exe -run", false, kOurs},
        {"moved, had it off", L"1", old, false, std::nullopt},
        {"another copy still there", L"0", old, true, std::nullopt},
        {"no entry", L"0", std::nullopt, false, std::nullopt},
        {"this program, quoted", L"0", kOurs, false, std::nullopt},
        {"this program, unquoted", L"1", L"C:\\Program Files\\Tressel\\Tressel.exe -run", false,
         kOurs},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Given(row.boot, row.entry);
        files.paths.clear();
        if (row.oldProgramExists) files.paths.insert(L"D:\\Old Place\\Tressel.exe");
        RefreshRunEntryAtStart(registry, files, kExe);
        if (row.after) {
            EXPECT_THAT(log.Entries(),
                        ElementsAre("SetRunValue(ZornApplication, " + Narrow(*row.after) + ")"));
        } else {
            EXPECT_THAT(log.Entries(), IsEmpty());
        }
    }
}

TEST(StartWithWindows, BootValueReadsLikeTheCLibrary) {
    CallLog log;
    FakeUserRegistry registry(log);
    EXPECT_TRUE(BootValueSaysOn(registry));  // absent reads as 0: on
    const std::pair<const wchar_t*, bool> cases[] = {
        {L"0", true},  {L"00", true}, {L"x1", true},  {L"", true},     {L"  0", true},
        {L"1", false}, {L"2", false}, {L"-1", false}, {L" 7x", false}, {L"+3", false}};
    for (auto [text, on] : cases) {
        registry.profile[kBoot] = text;
        EXPECT_EQ(BootValueSaysOn(registry), on) << Narrow(text);
    }
}

TEST(StartWithWindows, ParseDecimalStopsAtTheFirstOtherCharacterAndClamps) {
    EXPECT_EQ(ParseDecimal(L"\t\n 42abc"), 42);
    EXPECT_EQ(ParseDecimal(L"-17"), -17);
    EXPECT_EQ(ParseDecimal(L"- 5"), 0);
    EXPECT_EQ(ParseDecimal(L"99999999999999999999"), 2147483647);
    EXPECT_EQ(ParseDecimal(L"-99999999999999999999"), -2147483647 - 1);
}

}  // namespace
}  // namespace tressel
