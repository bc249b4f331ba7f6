// The power tokens against a system that answers as documented: a sleep state is asked for only
// when the computer has it, the shutdown privilege comes first, and every refusal reaches the
// user in a balloon.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "actions/LaunchActions.h"
#include "fakes/DialogFixture.h"

namespace tressel {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using namespace tressel::testing;

constexpr wchar_t kStandBy[] = L"#jsjstandby#";
constexpr wchar_t kHibernate[] = L"#jsjsleep#";
constexpr wchar_t kShutDown[] = L"#jsjshutoff#";

// clang-format off
constexpr PowerCapabilities kDesktop{.systemS3 = true, .systemS4 = true, .hiberFilePresent = true};
constexpr PowerCapabilities kOldStandBy{.systemS1 = true};
constexpr PowerCapabilities kModernStandby{.systemS4 = true, .hiberFilePresent = true, .aoAc = true};
constexpr PowerCapabilities kModernNoHibernation{.systemS4 = true, .aoAc = true};
constexpr PowerCapabilities kNoSleepAtAll{};
// clang-format on

class PowerActionsTest : public ::testing::Test {
  protected:
    // The power calls a token led to, without the privilege's steps.
    std::vector<std::string> PowerCalls() const {
        std::vector<std::string> calls;
        for (const auto& entry : log.Entries())
            if (entry.starts_with("SetSuspendState") || entry.starts_with("InitiateShutdown"))
                calls.push_back(entry);
        return calls;
    }

    CallLog log;
    FakeSystemActions system{log};
};

TEST_F(PowerActionsTest, EachTokenAsksOnlyForWhatTheComputerHasAndTellsWhatItDidNot) {
    struct Row {
        const char* what;
        const wchar_t* token;
        std::optional<PowerCapabilities> capabilities;
        std::uint32_t answer;  // of the power call, once the privilege is enabled
        std::vector<std::string> calls;
        std::optional<std::wstring> balloon;  // nullopt: nothing to tell
    };
    const std::wstring modern =
        L"This computer uses modern standby and has no Stand By a "
        L"program can ask for. Its power button or Sleep in the Start "
        L"menu puts it to sleep.";
    const std::wstring noHibernation =
        L"Hibernation is turned off or not supported on this "
        L"computer. An administrator can turn it on with "
        L"\"powercfg /hibernate on\".";
    // clang-format off
    const Row rows[] = {
        {"stand by, S3", kStandBy, kDesktop, 0, {"SetSuspendState(hibernate=0)"}, std::nullopt},
        {"stand by, S1 only", kStandBy, kOldStandBy, 0, {"SetSuspendState(hibernate=0)"}, std::nullopt},
        {"stand by, modern standby", kStandBy, kModernStandby, 0, {}, modern},
        {"stand by, no state", kStandBy, kNoSleepAtAll, 0, {}, L"Windows reports no standby state on this computer, so Stand By cannot be used here."},
        {"stand by, capabilities unknown", kStandBy, std::nullopt, 0, {"SetSuspendState(hibernate=0)"}, std::nullopt},
        {"stand by refused", kStandBy, kDesktop, 21, {"SetSuspendState(hibernate=0)"}, L"Windows did not put the computer on Stand By (error 21)."},
        {"hibernate", kHibernate, kDesktop, 0, {"SetSuspendState(hibernate=1)"}, std::nullopt},
        {"hibernate, modern standby", kHibernate, kModernStandby, 0, {"SetSuspendState(hibernate=1)"}, std::nullopt},
        {"hibernate, no file", kHibernate, kModernNoHibernation, 0, {}, noHibernation},
        {"hibernate, no S4", kHibernate, kOldStandBy, 0, {}, noHibernation},
        {"hibernate refused", kHibernate, kDesktop, 1, {"SetSuspendState(hibernate=1)"}, L"Windows did not hibernate the computer (error 1)."},
        {"shut down", kShutDown, kNoSleepAtAll, 0, {"InitiateShutdown(flags=0x8, reason=0x80000000)"}, std::nullopt},
        {"shut down refused", kShutDown, kDesktop, 1190, {"InitiateShutdown(flags=0x8, reason=0x80000000)"}, L"Windows did not shut the computer down (error 1190)."},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        system.capabilities = row.capabilities;
        system.suspendAnswer = system.shutdownAnswer = row.answer;
        system.shutdownPrivilegeEnabled = false;
        log.Clear();
        const auto refusal = PerformLaunch(row.token, system);
        EXPECT_EQ(PowerCalls(), row.calls);
        EXPECT_EQ(refusal ? std::optional(refusal->text) : std::nullopt, row.balloon);
    }
}

TEST_F(PowerActionsTest, ThePrivilegeIsEnabledBeforeTheRequest) {
    EXPECT_EQ(PerformLaunch(kStandBy, system), std::nullopt);
    EXPECT_THAT(log.Entries(), ElementsAre("GetPwrCapabilities", "OpenProcessToken(0x28)",
                                           "LookupPrivilegeValue(SeShutdownPrivilege)",
                                           "AdjustTokenPrivileges(luid=19, attributes=2)",
                                           "CloseToken", "SetSuspendState(hibernate=0)"));
    log.Clear();
    EXPECT_EQ(PerformLaunch(kShutDown, system), std::nullopt);
    EXPECT_THAT(log.Entries(),
                ElementsAre("OpenProcessToken(0x28)", "LookupPrivilegeValue(SeShutdownPrivilege)",
                            "AdjustTokenPrivileges(luid=19, attributes=2)", "CloseToken",
                            "InitiateShutdown(flags=0x8, reason=0x80000000)"));
}

TEST_F(PowerActionsTest, WithoutThePrivilegeTheRequestGoesAheadAndItsRefusalIsTold) {
    struct Row {
        const char* what;
        bool tokenOpens, lookupSucceeds, adjustSucceeds;
    };
    const Row rows[] = {{"no token", false, true, true},
                        {"no privilege id", true, false, true},
                        {"not adjusted", true, true, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        system.tokenOpens = row.tokenOpens;
        system.lookupSucceeds = row.lookupSucceeds;
        system.adjustSucceeds = row.adjustSucceeds;
        EXPECT_EQ(PerformLaunch(kStandBy, system),
                  (PowerRefusal{L"Tressel: Stand By refused",
                                L"Windows did not put the computer on Stand By (error 1314)."}));
        EXPECT_EQ(PerformLaunch(kShutDown, system),
                  (PowerRefusal{L"Tressel: shut down refused",
                                L"Windows did not shut the computer down (error 5)."}));
    }
}

class DialogPowerTest : public ::testing::Test, protected DialogFixture {};

TEST_F(DialogPowerTest, APressWhoseFunctionWasRefusedShowsABalloonAndOneCarriedOutNone) {
    dialog.Record(ButtonId::X1) = {true, Launch, 0, 0, kStandBy, KeyOrCommand, L"", L""};
    system.capabilities = PowerCapabilities{.aoAc = true};
    log.Clear();
    dialog.OnButtonMessage(ButtonId::X1);
    EXPECT_THAT(log.Entries(),
                Contains("ShowTrayBalloon(Tressel: no Stand By: This computer uses modern standby "
                         "and has no Stand By a program can ask for. Its power button or Sleep in "
                         "the Start menu puts it to sleep.)"));

    system.capabilities = PowerCapabilities{.systemS3 = true};
    log.Clear();
    dialog.OnButtonMessage(ButtonId::X1);
    EXPECT_THAT(log.Entries(), Contains("SetSuspendState(hibernate=0)"));
    for (const auto& entry : log.Entries()) EXPECT_FALSE(entry.starts_with("ShowTrayBalloon"));
}

}  // namespace
}  // namespace tressel
