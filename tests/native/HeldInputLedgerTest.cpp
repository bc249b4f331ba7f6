// The ledger of held synthesised input: what it releases when the program ends, that it
// releases each thing once, and that it stays true while several workers send at once.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <map>
#include <optional>
#include <set>
#include <thread>

#include "actions/HeldInputLedger.h"
#include "fakes/CallLog.h"
#include "fakes/FakeInputSystem.h"
#include "macros/MacroPlayer.h"

namespace tressel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace tressel::testing;

constexpr std::uint16_t kCtrl = 0x11;
constexpr std::uint16_t kC = 0x43;
constexpr std::uint16_t kShift = 0x10;

std::string Sent(std::initializer_list<InputRecord> records) {
    std::string entry = "SendInput[";
    for (const InputRecord& r : records) entry += (entry.size() > 10 ? ", " : "") + Describe(r);
    return entry + "]";
}

class HeldInputLedgerTest : public ::testing::Test {
  protected:
    void Send(InputRecord record) { ledger.SendInput({&record, 1}); }

    CallLog log;
    FakeInputSystem input{log};
    HeldInputLedger ledger{input};
};

TEST_F(HeldInputLedgerTest, ReleasesWhatIsStillHeldNewestFirstOnceAndThenLetsNothingThrough) {
    const InputRecord x1Down = InputRecord::MouseEvent(100, 200, 0x8000 | 0x0080, 2);
    Send(InputRecord::KeyEvent(kCtrl, 0));
    Send(InputRecord::MouseEvent(100, 200, 0x8003));  // absolute move with the left press
    Send(x1Down);
    Send(InputRecord::KeyEvent(kC, 0));
    Send(InputRecord::KeyEvent(kC, kKeyEventKeyUp));  // released by the program itself
    Send(InputRecord::KeyEvent(kC, 0));
    Send(InputRecord::KeyEvent(kC, 0));  // a repeat holds it no more than once
    log.Clear();

    ledger.ReleaseAllAndClose();
    ledger.ReleaseAllAndClose();
    Send(InputRecord::KeyEvent(kCtrl, 0));
    Send(InputRecord::KeyEvent(kCtrl, kKeyEventKeyUp));
    EXPECT_THAT(log.Entries(), ElementsAre(Sent({InputRecord::KeyEvent(kC, kKeyEventKeyUp),
                                                 InputRecord::MouseEvent(0, 0, 0x0100, 2),
                                                 InputRecord::MouseEvent(0, 0, 0x0004),
                                                 InputRecord::KeyEvent(kCtrl, kKeyEventKeyUp)})));
}

TEST_F(HeldInputLedgerTest, NothingHeldSendsNothing) {
    const InputRecord click[] = {InputRecord::MouseEvent(0, 0, 0x8003),
                                 InputRecord::MouseEvent(0, 0, 0x8005)};
    ledger.SendInput(click);
    Send(InputRecord::MouseEvent(0, 0, 0x8080, 1));
    Send(InputRecord::MouseEvent(0, 0, 0x8100, 1));
    log.Clear();
    ledger.ReleaseAllAndClose();
    EXPECT_THAT(log.Entries(), IsEmpty());
}

// The ending program cuts a playing macro off at its first wait. In the middle of its hold, the
// left button is released once, and the macro's own release, when the worker gets to it, is not
// sent again; between two clicks, with nothing held, its next press reaches no program.
TEST_F(HeldInputLedgerTest, AMacroCutOffByTheEndReleasesWhatItHoldsOnceAndPressesNoMore) {
    const InputRecord press = InputRecord::MouseEvent(0, 0, 0xC003);
    const struct {
        const char* when;
        ActionLines script;
        std::vector<std::string> sent;
    } rows[] = {
        {"during its hold",
         {"a", "g 2000", "b", "j 17", "g 10", "k 17"},
         {Sent({press}), Sent({InputRecord::MouseEvent(0, 0, 0x0004)})}},
        {"between two clicks",
         {"a", "b", "g 10", "a", "b"},
         {Sent({press}), Sent({InputRecord::MouseEvent(0, 0, 0xC005)})}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.when);
        CallLog rowLog;
        FakeInputSystem system(rowLog);
        HeldInputLedger rowLedger(system);
        system.SetCursor({0, 0});
        MacroLineList list;
        list.Publish(row.script);
        system.onWait = [&](std::uint32_t) { rowLedger.ReleaseAllAndClose(); };
        PlayMacroLines(list, rowLedger);
        std::vector<std::string> sent;
        for (const std::string& entry : rowLog.Entries())
            if (entry.starts_with("SendInput")) sent.push_back(entry);
        EXPECT_EQ(sent, row.sent);
    }
}

// The crash release never hangs the crash: the crashing thread cut off in its own send gives up
// at once (its lock would never come free); another thread stuck in a send makes it give up after
// its patience; once nothing sends, it releases like the end.
TEST_F(HeldInputLedgerTest, ACrashReleaseGivesUpOnASendThatCannotEnd) {
    using namespace std::chrono_literals;
    Send(InputRecord::KeyEvent(kCtrl, 0));
    std::optional<bool> fromInsideASend;
    input.onSend = [&](std::span<const InputRecord>) {
        if (!fromInsideASend) fromInsideASend = ledger.ReleaseAllAndCloseWithin(10s);
    };
    const auto start = std::chrono::steady_clock::now();
    Send(InputRecord::KeyEvent(kC, 0));
    EXPECT_EQ(fromInsideASend, false);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);

    std::promise<void> letGo;
    std::shared_future<void> released = letGo.get_future().share();
    std::atomic<bool> sending{false};
    input.onSend = [&](std::span<const InputRecord>) {
        sending = true;
        released.wait();
    };
    std::thread stuck([&] { Send(InputRecord::KeyEvent(kShift, 0)); });
    while (!sending) std::this_thread::yield();
    EXPECT_FALSE(ledger.ReleaseAllAndCloseWithin(50ms));
    letGo.set_value();
    stuck.join();
    input.onSend = nullptr;
    log.Clear();
    EXPECT_TRUE(ledger.ReleaseAllAndCloseWithin(50ms));
    EXPECT_THAT(log.Entries(), ElementsAre(Sent({InputRecord::KeyEvent(kShift, kKeyEventKeyUp),
                                                 InputRecord::KeyEvent(kC, kKeyEventKeyUp),
                                                 InputRecord::KeyEvent(kCtrl, kKeyEventKeyUp)})));
}

// Workers press and release keys while the program ends: afterwards the system has received a
// release after the last press of every key, and nothing at all after the ledger closed. The
// ledger closes only once the system has received sends from every worker, and the workers go
// on sending until it has closed, so the close always meets them sending.
TEST_F(HeldInputLedgerTest, ConcurrentWorkersLeaveNothingHeld) {
    constexpr int kWorkers = 4;
    std::atomic<bool> closed{false};
    std::atomic<bool> stop{false};
    std::atomic<int> sentAfterClose{0};
    input.onSend = [&](std::span<const InputRecord>) {
        if (closed.load()) ++sentAfterClose;
    };
    std::vector<std::thread> workers;
    for (int worker = 0; worker < kWorkers; ++worker) {
        workers.emplace_back([this, worker, &stop] {
            // Each worker's left press carries its number + 1 as its x, so its sends can be told.
            for (int round = 0; !stop.load(); ++round) {
                const auto key = static_cast<std::uint16_t>(0x41 + (worker + round) % 6);
                Send(InputRecord::KeyEvent(key, 0));
                Send(InputRecord::MouseEvent(worker + 1, 0, 0x0002));
                if (round % 3) Send(InputRecord::KeyEvent(key, kKeyEventKeyUp));
                if (round % 5) Send(InputRecord::MouseEvent(0, 0, 0x0004));
            }
        });
    }
    const auto everyWorkerHasSent = [&] {
        std::set<std::int32_t> senders;
        for (const auto& call : input.Calls())
            for (const InputRecord& r : call)
                if (r.type == InputRecord::Mouse && r.dx > 0) senders.insert(r.dx);
        return senders.size() == kWorkers;
    };
    while (!everyWorkerHasSent()) std::this_thread::yield();
    ledger.ReleaseAllAndClose();
    closed = true;
    stop = true;
    for (std::thread& worker : workers) worker.join();
    ledger.ReleaseAllAndClose();

    EXPECT_EQ(sentAfterClose.load(), 0);
    std::map<std::uint16_t, bool> keyDown;
    bool leftDown = false;
    for (const auto& call : input.Calls()) {
        for (const InputRecord& r : call) {
            if (r.type == InputRecord::Keyboard)
                keyDown[r.virtualKey] = !(r.keyFlags & kKeyEventKeyUp);
            else if (r.mouseFlags & 0x0002)
                leftDown = true;
            else if (r.mouseFlags & 0x0004)
                leftDown = false;
        }
    }
    for (const auto& [key, down] : keyDown) EXPECT_FALSE(down) << "key " << key << " left down";
    EXPECT_FALSE(leftDown);
}

}  // namespace
}  // namespace tressel

namespace tressel {
namespace {

// Input the system refuses (the lock screen is up): a refused press is not held; a refused
// release is owed, and goes out before the next event that is sent, or at the unlock; a
// partly inserted call counts only what was inserted.
TEST_F(HeldInputLedgerTest, ARefusedReleaseIsOwedUntilInputIsAcceptedAgain) {
    const InputRecord ctrlDown = InputRecord::KeyEvent(kCtrl, 0);
    const InputRecord ctrlUp = InputRecord::KeyEvent(kCtrl, kKeyEventKeyUp);
    const InputRecord shiftDown = InputRecord::KeyEvent(kShift, 0);
    const InputRecord shiftUp = InputRecord::KeyEvent(kShift, kKeyEventKeyUp);
    const InputRecord cDown = InputRecord::KeyEvent(kC, 0);
    const InputRecord cUp = InputRecord::KeyEvent(kC, kKeyEventKeyUp);
    const InputRecord leftDown = InputRecord::MouseEvent(0, 0, 0x0002);
    Send(ctrlDown);
    Send(shiftDown);
    input.acceptsAtMost = 0;
    Send(ctrlUp);
    Send(leftDown);
    input.acceptsAtMost = -1;
    ledger.SetSessionLocked(true);
    ledger.SetSessionLocked(false);
    input.acceptsAtMost = 0;
    Send(shiftUp);
    input.acceptsAtMost = 1;
    const InputRecord tap[] = {cDown, cUp};
    EXPECT_EQ(ledger.SendInput(tap), 1u);
    input.acceptsAtMost = -1;
    ledger.ReleaseAllAndClose();
    EXPECT_THAT(
        log.Entries(),
        ElementsAre(Sent({ctrlDown}), Sent({shiftDown}), Sent({ctrlUp}) + " inserted 0",
                    Sent({ctrlUp}) + " inserted 0",  // owed, tried before each event
                    Sent({leftDown}) + " inserted 0", Sent({ctrlUp}),  // owed, sent at the unlock
                    Sent({shiftUp}) + " inserted 0",
                    Sent({shiftUp}),  // owed, sent before the next event
                    Sent({cDown, cUp}) + " inserted 1",
                    Sent({cUp})));  // the end releases C only: the left press was refused
}

TEST_F(HeldInputLedgerTest, AMacroWaitsWhileTheSessionIsLockedAndPlaysOnAfterTheUnlock) {
    MacroLineList list;
    list.Publish({"g 1", "j 17", "k 17"});
    ledger.SetSessionLocked(true);
    std::thread worker([&] { PlayMacroLines(list, ledger); });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!std::ranges::any_of(log.Entries(), [](auto& e) { return e.ends_with("Wait(1)"); })) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the macro never started";
        std::this_thread::yield();
    }
    // Nothing may be sent while locked; a send would have shown within this time.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(
        std::ranges::any_of(log.Entries(), [](auto& e) { return e.starts_with("SendInput"); }));
    ledger.SetSessionLocked(false);
    worker.join();
    std::vector<std::string> sent;
    for (const std::string& entry : log.Entries())
        if (entry.starts_with("SendInput")) sent.push_back(entry);
    EXPECT_THAT(sent, ElementsAre(Sent({InputRecord::KeyEvent(kCtrl, 0)}),
                                  Sent({InputRecord::KeyEvent(kCtrl, kKeyEventKeyUp)})));
}

TEST_F(HeldInputLedgerTest, TheProgramsEndEndsAMacroWaitingForTheUnlock) {
    MacroLineList list;
    list.Publish({"j 17"});
    ledger.SetSessionLocked(true);
    std::thread worker([&] { PlayMacroLines(list, ledger); });
    ledger.ReleaseAllAndClose();
    worker.join();  // hangs without the wake-up
    EXPECT_THAT(log.Entries(), IsEmpty());
}

}  // namespace
}  // namespace tressel
