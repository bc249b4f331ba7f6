// The Win32 side of the seam under Wine: registered message ids, SendInput conversion (seen by
// the input recorder), precise waits, the Run key and Task Manager's StartupApproved values,
// suspended worker threads, the privilege look-up and the power capabilities.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "framework/UniqueHandle.h"
#include "seam/win32/RegisteredMessages.h"
#include "seam/win32/Win32InputSystem.h"
#include "seam/win32/Win32SystemActions.h"
#include "seam/win32/Win32UserRegistry.h"
#include "seam/win32/Win32WorkerThreads.h"
#include "wine/support/Recorder.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {
namespace {

TEST(RegisteredMessagesTest, EachInputHasItsOwnRegisteredMessage) {
    std::set<UINT> ids;
    for (const ButtonInfo& info : kButtonInfo) {
        const UINT id = RegisteredMessageFor(info.id);
        EXPECT_EQ(RegisterWindowMessageW(std::wstring(info.registeredMessage).c_str()), id);
        EXPECT_GE(id, 0xC000u);
        ids.insert(id);
    }
    EXPECT_EQ(6u, ids.size());
}

TEST(Win32InputSystemTest, RecordsArriveAsSentWithTheirExtraInfoAndSignedWheelDelta) {
    Recorder recorder;
    ASSERT_TRUE(recorder.Start());
    Win32InputSystem input;
    const InputRecord keys[] = {InputRecord::KeyEvent(0x7C, 0, 0x5151),  // F13: no side effects
                                InputRecord::KeyEvent(0x7C, kKeyEventKeyUp, 0x5151)};
    input.SendInput(keys);
    const InputRecord wheel[] = {InputRecord::MouseEvent(0, 0, mouse_flags::kWheel, -120)};
    input.SendInput(wheel);

    ASSERT_TRUE(recorder.WaitFor([](const Recorder::Events& events) {
        for (const RecordedEvent& e : events)
            if (e.kind == RecordedEvent::Mouse && e.message == WM_MOUSEWHEEL) return true;
        return false;
    }));
    std::vector<std::string> seen;
    for (const RecordedEvent& e : recorder.ReadEvents()) {
        if (e.kind == RecordedEvent::Key)
            seen.push_back((e.message == WM_KEYDOWN ? "down " : "up ") + std::to_string(e.vk) +
                           " extra " + std::to_string(e.extra) + (e.injected ? " injected" : ""));
        else if (e.message == WM_MOUSEWHEEL)
            seen.push_back("wheel " + std::to_string(e.delta) + (e.injected ? " injected" : ""));
    }
    EXPECT_EQ((std::vector<std::string>{"down 124 extra 20817 injected",
                                        "up 124 extra 20817 injected", "wheel -120 injected"}),
              seen);
}

// How long a wait lasts is the benchmark's business (bench/wine/DelayBench.cpp); here: the timer
// is made, never ends a wait early, is closed with its owner, and the resolution pair succeeds.
TEST(Win32InputSystemTest, PreciseTimersWaitTheirLengthAndAreClosedWithTheirOwner) {
    Win32InputSystem input;
    const auto elapsedMs = [](auto wait) {
        LARGE_INTEGER frequency, start, end;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        wait();
        QueryPerformanceCounter(&end);
        return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
               static_cast<double>(frequency.QuadPart);
    };
    std::unique_ptr<PreciseTimer> timer = input.CreatePreciseTimer();
    ASSERT_NE(nullptr, timer);
    for (std::uint32_t ms : {1u, 20u})
        EXPECT_GE(elapsedMs([&] { EXPECT_TRUE(timer->Wait(ms)); }), ms - 0.5);
    EXPECT_TRUE(timer->Wait(0));
    timer.reset();

    // GetProcessHandleCount answers 0 under Wine; the handle table's highest value in use does
    // not: a new handle takes a free slot, so leaked timers would push it up.
    const auto nextHandle = [] {
        UniqueKernelHandle probe(CreateEventW(nullptr, FALSE, FALSE, nullptr));
        return reinterpret_cast<std::uintptr_t>(probe.get());
    };
    const auto churn = [&](int times) {
        for (int i = 0; i < times; ++i) input.CreatePreciseTimer()->Wait(1);
    };
    churn(20);
    const std::uintptr_t settled = nextHandle();
    churn(200);
    EXPECT_LT(nextHandle(), settled + 4 * 50) << "200 timers would leave 200 handles";

    ASSERT_TRUE(input.RaiseTimerResolution());
    input.LowerTimerResolution();
}

// A value name of its own, so that nothing of the program's entry is touched.
TEST(Win32UserRegistryTest, RunValuesReadBackAsWrittenAndOnlyAsStrings) {
    Win32UserRegistry registry(L"Corvane Tressel", L"SeamTest");
    const std::wstring name = L"TresselSeamTest";
    const std::wstring commandLine = L"\"C:\\Program Files\\T\\Tressel.exe\" -run";
    ASSERT_TRUE(registry.SetRunValue(name, commandLine));
    EXPECT_EQ(std::optional(commandLine), registry.ReadRunValue(name));
    ASSERT_TRUE(registry.DeleteRunValue(name));
    EXPECT_EQ(std::nullopt, registry.ReadRunValue(name));

    const DWORD number = 1;
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                    name.c_str(), REG_DWORD, &number, sizeof number);
    EXPECT_EQ(std::nullopt, registry.ReadRunValue(name));
    EXPECT_TRUE(registry.DeleteRunValue(name));
}

// Task Manager's StartupApproved values: binary ones read back byte for byte, others not at all.
TEST(Win32UserRegistryTest, StartupApprovalsReadBackOnlyAsBinaryAndAreDeleted) {
    Win32UserRegistry registry(L"Corvane Tressel", L"SeamTest");
    const std::wstring name = L"TresselSeamTest";
    const wchar_t key[] =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
    const std::vector<std::uint8_t> off = {3, 0, 0, 0, 0xD4, 0x0D, 0x43, 0x8D, 0xC8, 0x3B, 0xD9, 1};
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_CURRENT_USER, key, name.c_str(), REG_BINARY,
                                             off.data(), static_cast<DWORD>(off.size())));
    EXPECT_EQ(std::optional(off), registry.ReadStartupApproval(name));
    ASSERT_TRUE(registry.DeleteStartupApproval(name));
    EXPECT_EQ(std::nullopt, registry.ReadStartupApproval(name));
    EXPECT_FALSE(registry.DeleteStartupApproval(name));

    const DWORD number = 3;
    RegSetKeyValueW(HKEY_CURRENT_USER, key, name.c_str(), REG_DWORD, &number, sizeof number);
    EXPECT_EQ(std::nullopt, registry.ReadStartupApproval(name));
    EXPECT_TRUE(registry.DeleteStartupApproval(name));
}

TEST(Win32WorkerThreadsTest, BodyRunsOnlyAfterResumeAndIsFreedWhenTheThreadEnds) {
    Win32WorkerThreads threads;
    auto witness = std::make_shared<int>(0);
    std::weak_ptr<int> watch = witness;
    std::atomic<bool> ran{false};
    std::atomic<ThreadHandle> self{0};
    const ThreadHandle thread = threads.CreateSuspended([&, witness] {
        ran = true;
        while (self.load() == 0) {
        }
        threads.ReleaseSelf(self.load());
    });
    ASSERT_NE(0u, thread);
    witness.reset();
    // Created suspended: the suspend count is 1 before this extra suspension.
    EXPECT_EQ(1u, SuspendThread(reinterpret_cast<HANDLE>(thread)));
    threads.Resume(thread);
    EXPECT_FALSE(ran.load());
    self = thread;
    threads.Resume(thread);
    EXPECT_TRUE(WaitUntil([&] { return ran.load() && watch.expired(); }));
}

TEST(Win32SystemActionsTest, LooksUpTheShutdownPrivilegeAndOpensTheToken) {
    Win32SystemActions actions;
    EXPECT_EQ(std::optional(PrivilegeId{19, 0}), actions.LookupPrivilege(L"SeShutdownPrivilege"));
    EXPECT_EQ(std::nullopt, actions.LookupPrivilege(L"SeNoSuchPrivilege"));
    EXPECT_NE(nullptr, actions.OpenProcessToken(TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY));
    // Only read: no power function is ever asked for here.
    EXPECT_NE(std::nullopt, actions.ReadPowerCapabilities());
}

}  // namespace
}  // namespace tressel::testing
