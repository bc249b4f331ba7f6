// One playback worker per input: start, ignored presses while it plays, inputs side by side,
// a worker that cannot be created, and rebuilding a list while its worker plays it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "MacroScriptFolder.h"
#include "fakes/CallLog.h"
#include "fakes/FakeInputSystem.h"
#include "fakes/FakeWorkerThreads.h"
#include "macros/MacroCompiler.h"
#include "macros/PlaybackWorkers.h"

namespace tressel {
namespace {

using ::testing::ElementsAre;
using namespace tressel::testing;

template <class Condition>
bool WaitUntil(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Holds a worker inside a wait until the test opens it.
class Gate {
  public:
    void Wait() {
        std::unique_lock lock(mutex_);
        waiting_ = true;
        changed_.notify_all();
        changed_.wait(lock, [&] { return open_; });
    }
    void WaitForWaiter() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return waiting_; });
    }
    void Open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool waiting_ = false;
    bool open_ = false;
};

// Opens the gate and waits for the workers when a test ends, also when an assertion ends it
// early, so that a failing test reports instead of hanging with a worker held in the gate.
struct OpenAtEnd {
    Gate& gate;
    FakeWorkerThreads& threads;
    ~OpenAtEnd() {
        gate.Open();
        threads.JoinAll();
    }
};

class PlaybackWorkersTest : public ::testing::Test {
  protected:
    PlaybackWorkersTest() : input(log), threads(log), workers(threads, input, lists) {
        input.SetCursor({0, 0});
    }
    ~PlaybackWorkersTest() override { threads.JoinAll(); }

    MacroLineList& List(ButtonId id) { return lists[ToIndex(id)]; }
    bool WaitIdle(ButtonId id) {
        return WaitUntil([&] { return workers.PlaybackThread(id) == 0; });
    }
    static std::string Key(unsigned vk, unsigned flags) {
        return "SendInput[" +
               Describe(InputRecord::KeyEvent(static_cast<std::uint16_t>(vk), flags)) + "]";
    }

    CallLog log;
    FakeInputSystem input;
    FakeWorkerThreads threads;
    PlaybackWorkers::Lists lists;
    PlaybackWorkers workers;
};

TEST_F(PlaybackWorkersTest, WorkerIsStoredBeforeItRunsAndClearsItselfLast) {
    List(ButtonId::X1).Publish({"j 17", "k 17"});
    ThreadHandle seenWhilePlaying = 0;
    input.onSend = [&](auto) { seenWhilePlaying = workers.PlaybackThread(ButtonId::X1); };

    EXPECT_TRUE(workers.StartIfIdle(ButtonId::X1));
    ASSERT_TRUE(WaitIdle(ButtonId::X1));
    threads.JoinAll();
    EXPECT_EQ(seenWhilePlaying, 1u);
    EXPECT_THAT(log.Entries(), ElementsAre("CreateSuspended -> #1", "Resume(#1)", Key(17, 0),
                                           Key(17, 2), "ReleaseSelf(#1)"));
}

// The worker may run to its end before Resume even returns to the starter: its handle must
// already be stored then, or the input would stay busy for good with its handle never released.
TEST_F(PlaybackWorkersTest, AWorkerThatEndsBeforeResumeReturnsLeavesItsInputIdleAndPlayable) {
    threads.runAtResume = true;
    List(ButtonId::R).Publish({"j 17", "k 17"});
    for (int press = 1; press <= 2; ++press) {
        EXPECT_TRUE(workers.StartIfIdle(ButtonId::R)) << "press " << press;
        EXPECT_EQ(workers.PlaybackThread(ButtonId::R), 0u) << "press " << press;
    }
    EXPECT_THAT(log.Entries(),
                ElementsAre("CreateSuspended -> #1", "Resume(#1)", Key(17, 0), Key(17, 2),
                            "ReleaseSelf(#1)", "CreateSuspended -> #2", "Resume(#2)", Key(17, 0),
                            Key(17, 2), "ReleaseSelf(#2)"));
}

TEST_F(PlaybackWorkersTest, PressesDuringARunAreIgnoredAndTheNextOnePlaysFromTheStart) {
    List(ButtonId::M).Publish({"j 1", "g 40", "k 1"});
    Gate gate;
    const OpenAtEnd release{gate, threads};
    input.onWait = [&](std::uint32_t) { gate.Wait(); };

    ASSERT_TRUE(workers.StartIfIdle(ButtonId::M));
    gate.WaitForWaiter();
    EXPECT_FALSE(workers.StartIfIdle(ButtonId::M));
    EXPECT_FALSE(workers.StartIfIdle(ButtonId::M));
    gate.Open();
    ASSERT_TRUE(WaitIdle(ButtonId::M));
    threads.JoinAll();

    log.Clear();
    EXPECT_TRUE(workers.StartIfIdle(ButtonId::M));
    ASSERT_TRUE(WaitIdle(ButtonId::M));
    threads.JoinAll();
    EXPECT_THAT(log.Entries(),
                ElementsAre("CreateSuspended -> #2", "Resume(#2)", Key(1, 0), "CreatePreciseTimer",
                            "PreciseWait(40)", Key(1, 2), "ClosePreciseTimer", "ReleaseSelf(#2)"));
}

TEST_F(PlaybackWorkersTest, EmptyListEndsAtOnceAndTheNextPressStartsAgain) {
    EXPECT_TRUE(workers.StartIfIdle(ButtonId::WU));
    ASSERT_TRUE(WaitIdle(ButtonId::WU));
    EXPECT_TRUE(workers.StartIfIdle(ButtonId::WU));
    ASSERT_TRUE(WaitIdle(ButtonId::WU));
    threads.JoinAll();
    EXPECT_THAT(log.Entries(),
                ElementsAre("CreateSuspended -> #1", "Resume(#1)", "ReleaseSelf(#1)",
                            "CreateSuspended -> #2", "Resume(#2)", "ReleaseSelf(#2)"));
}

TEST_F(PlaybackWorkersTest, TwoInputsPlaySideBySide) {
    List(ButtonId::X1).Publish({"j 1", "g 1000", "k 1"});
    List(ButtonId::X2).Publish({"j 2", "k 2"});
    Gate gate;
    const OpenAtEnd release{gate, threads};
    input.onWait = [&](std::uint32_t) { gate.Wait(); };

    ASSERT_TRUE(workers.StartIfIdle(ButtonId::X1));
    gate.WaitForWaiter();
    ASSERT_TRUE(workers.StartIfIdle(ButtonId::X2));
    ASSERT_TRUE(WaitIdle(ButtonId::X2));
    EXPECT_NE(workers.PlaybackThread(ButtonId::X1), 0u) << "X1 still waits in its delay";
    gate.Open();
    ASSERT_TRUE(WaitIdle(ButtonId::X1));
    threads.JoinAll();
    EXPECT_THAT(log.Entries(),
                ElementsAre("CreateSuspended -> #1", "Resume(#1)", Key(1, 0), "CreatePreciseTimer",
                            "PreciseWait(1000)", "CreateSuspended -> #2", "Resume(#2)", Key(2, 0),
                            Key(2, 2), "ReleaseSelf(#2)", Key(1, 2), "ClosePreciseTimer",
                            "ReleaseSelf(#1)"));
}

TEST_F(PlaybackWorkersTest, AWorkerThatCannotBeCreatedLeavesTheInputIdle) {
    List(ButtonId::R).Publish({"j 1"});
    threads.failCreation = true;
    EXPECT_FALSE(workers.StartIfIdle(ButtonId::R));
    EXPECT_EQ(workers.PlaybackThread(ButtonId::R), 0u);
    EXPECT_THAT(log.Entries(), ElementsAre("CreateSuspended failed"));

    threads.failCreation = false;
    EXPECT_TRUE(workers.StartIfIdle(ButtonId::R));
    ASSERT_TRUE(WaitIdle(ButtonId::R));
}

TEST(MacroTimerButton, TimersOneToSixPlayRMWuWdX1X2) {
    EXPECT_EQ(MacroTimerButton(1), ButtonId::R);
    EXPECT_EQ(MacroTimerButton(2), ButtonId::M);
    EXPECT_EQ(MacroTimerButton(3), ButtonId::WU);
    EXPECT_EQ(MacroTimerButton(4), ButtonId::WD);
    EXPECT_EQ(MacroTimerButton(5), ButtonId::X1);
    EXPECT_EQ(MacroTimerButton(6), ButtonId::X2);
    EXPECT_FALSE(MacroTimerButton(0));
    EXPECT_FALSE(MacroTimerButton(7));
    EXPECT_FALSE(MacroTimerButton(10));
}

// Version v of the script is 8 v + 1 lines "KeyDown v". Every list a reader can see must be one
// whole version (or the empty list a rebuild starts with), never a mix or a part.
TEST_F(PlaybackWorkersTest, RebuildingAListWhileItsWorkerPlaysItNeverShowsAPartialList) {
    constexpr int kVersions = 8;
    constexpr int kRebuilds = 3000;
    constexpr int kEvents = 1000;
    MacroScriptFolder folder;
    for (int v = 1; v <= kVersions; ++v) {
        std::string script;
        for (int i = 0; i <= 8 * v; ++i) script += "KeyDown " + std::to_string(v) + "\r\n";
        folder.Write("v" + std::to_string(v) + ".txt", script);
    }
    MacroLineList& list = List(ButtonId::WD);
    std::atomic<int> badSnapshots{0};
    std::atomic<int> badKeys{0};
    std::atomic<int> eventsSent{0};
    input.onSend = [&](std::span<const InputRecord> records) {
        eventsSent.fetch_add(1);
        if (records[0].virtualKey < 1 || records[0].virtualKey > kVersions) badKeys.fetch_add(1);
        const MacroLineList::Snapshot lines = list.Current();
        if (lines->empty()) return;
        const std::wstring number((*lines)[0].substr(2));
        const std::wstring expected = L"j " + number;
        const int version = std::stoi(number);
        if (static_cast<int>(lines->size()) != 8 * version + 1) badSnapshots.fetch_add(1);
        for (std::size_t i = 0; i < lines->size(); ++i) {
            if ((*lines)[i] != expected) badSnapshots.fetch_add(1);
        }
    };

    std::atomic<bool> rebuilding{true};
    std::thread rebuilder([&] {
        // At least kRebuilds rebuilds, and on until the worker has played a fair number of
        // events meanwhile (bounded, so a stuck worker fails the checks below instead).
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        for (int i = 0;
             i < kRebuilds || (eventsSent < kEvents && std::chrono::steady_clock::now() < deadline);
             ++i) {
            const std::wstring name = L"v" + std::to_wstring(i % kVersions + 1) + L".txt";
            CompileMacroScript(list, ButtonId::WD, ScriptPath(folder.ProgramFolder(), name));
            std::this_thread::yield();  // lets the worker see the new list now and then
        }
        rebuilding = false;
    });
    int runs = 0;
    while (rebuilding) {
        if (workers.StartIfIdle(ButtonId::WD)) ++runs;
        std::this_thread::yield();
    }
    rebuilder.join();
    ASSERT_TRUE(WaitIdle(ButtonId::WD));
    threads.JoinAll();

    EXPECT_GT(runs, 1);
    EXPECT_GE(eventsSent.load(), kEvents);
    EXPECT_EQ(badSnapshots.load(), 0);
    EXPECT_EQ(badKeys.load(), 0);
}

}  // namespace
}  // namespace tressel
