// How fast programs' own settings follow the program in front, from outside the real Tressel.exe.
// Under Wine the test build looks at the window in front every N ms
// (TRESSEL_TEST_FOREGROUND_POLL_MS) in place of the foreground events Wine does not send, so the
// result is bounded by that period; the requirement is 50 ms from a change to its records.
//
// X1 pastes (Ctrl+V) in notepad and does its native job in this program (X1ProgramSettings.h).
// The bench brings notepad and a window of its own to the front in turn; after each change it
// clicks X1 physically (one xdotool kept running: starting one per click takes about 100 ms
// under Wine), one click after the other, each waited for until the recorder shows what the
// program made of it, until a click is handled by the new program's records, then once more (it
// must be handled so too). A click counts from when its press reached the low-level hooks (a hook
// of the bench's, set after the program's, so called first). Per change: the time from the change
// to the first press the new records handled (the switch was in force by then: the figure the
// requirement is about) and to the last one the old records handled (the switch was not in force
// yet; none when the first press already went by the new records). p50, p99 and the maximum, in
// ms and as ratios to the poll period, for each period asked for. SetTimer makes any period
// under 10 ms 10 ms (learn.microsoft.com/windows/win32/api/winuser/nf-winuser-settimer).
//
// A fault stops the run with exit code 1 and says what it saw: a click that did nothing or whose
// press and release went different ways, one handled by records of neither program, or one
// handled otherwise after one handled by the new records. With --keep-going each is counted and
// the run goes on (exit code 1 all the same).
//
// Arguments: [--keep-going] [changes] [poll ms ...]; defaults 50 and 20 10 5. Run with
// tools/wine-run.sh.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "config/ButtonId.h"
#include "wine/support/FileBytes.h"
#include "wine/support/MouseHookThread.h"
#include "wine/support/PhysicalInput.h"
#include "wine/support/Recorder.h"
#include "wine/support/StartProcess.h"
#include "wine/support/TresselProcess.h"
#include "wine/support/WaitUntil.h"
#include "wine/support/X1ProgramSettings.h"
#include "wine/support/XdotoolSession.h"

namespace tressel::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

double MsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// When the latest physical X1 press reached the hooks, and how many did. X1 is XBUTTON2 in
// Windows' terms (x11_button::kXButton2).
std::atomic<Clock::rep> gLatestPress{0};
std::atomic<int> gPresses{0};
int gOwnPresses = 0;  // X presses this program's window got

LRESULT CALLBACK NotePress(int code, WPARAM message, LPARAM lParam) {
    if (code == HC_ACTION && message == WM_XBUTTONDOWN) {
        const auto& e = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        if (!(e.flags & LLMHF_INJECTED) && HIWORD(e.mouseData) == XBUTTON2) {
            gLatestPress = Clock::now().time_since_epoch().count();
            ++gPresses;
        }
    }
    return CallNextHookEx(nullptr, code, message, lParam);
}

struct Sample {
    double firstNewMs = 0;  // change to the first press the new records handled
    double lastOldMs = -1;  // change to the last press the old ones handled; -1: none
    int clicks = 0;         // clicks until the new records handled one
    bool faulty = false;    // a fault came in between: left out of the times
};

struct Percentiles {
    double p50 = 0, p99 = 0, max = 0;
};

// Nearest-rank percentiles.
Percentiles Of(std::vector<double> values) {
    Percentiles p;
    if (values.empty()) return p;
    std::sort(values.begin(), values.end());
    const auto rank = [&](std::size_t percent) {
        return values[(values.size() * percent + 99) / 100 - 1];
    };
    p.p50 = rank(50);
    p.p99 = rank(99);
    p.max = values.back();
    return p;
}

class SwitchTimeRun {
  public:
    SwitchTimeRun(const Recorder& recorder, const XdotoolSession& xdotool, HWND tressel, HWND own,
                  HWND notepad, bool keepGoing)
        : recorder_(recorder),
          xdotool_(xdotool),
          tressel_(tressel),
          own_(own),
          notepad_(notepad),
          keepGoing_(keepGoing) {}

    // `changes` changes, to notepad and back in turn, from this program's window in front; false
    // at the first fault (with keepGoing, each is counted and the run goes on).
    bool Run(int changes) {
        // The program's own window is in front after its start: the first change, to this
        // program, is waited for through the test build's answer and not measured.
        if (!SetForegroundWindow(own_) ||
            !WaitUntil([&] { return PassingInputs(tressel_) == kX1Passes; }, 5s)) {
            std::fprintf(stderr, "SwitchTimeBench: X1 does not pass in this program\n");
            return false;
        }
        for (int i = 0; i < changes; ++i) {
            const bool notepadNext = i % 2 == 0;
            const int faultsBefore = faults_;
            Sample sample;
            if (!Change(notepadNext ? notepad_ : own_, notepadNext ? X1Did::Pasted : X1Did::Native,
                        notepadNext ? X1Did::Native : X1Did::Pasted, sample))
                return false;
            sample.faulty = faults_ != faultsBefore;
            (notepadNext ? toNotepad_ : toOwn_).push_back(sample);
        }
        return faults_ == 0;
    }

    const std::vector<Sample>& ToNotepad() const { return toNotepad_; }
    const std::vector<Sample>& ToOwn() const { return toOwn_; }
    const std::vector<double>& Intervals() const { return intervals_; }
    int Faults() const { return faults_; }

  private:
    static constexpr LRESULT kX1Passes = LRESULT{1} << ToIndex(ButtonId::X1);

    // Clicks X1 once and tells what the program made of it (astray: nothing, or its press and
    // release went different ways); false when the click could not be sent or never came.
    bool Click(X1Did& handled, Clock::time_point& pressed) {
        const std::size_t mark = recorder_.ReadEvents().size();
        const int presses = gPresses;
        // Press and release, not "click": xdotool waits 100 ms after a click.
        const std::string button = std::to_string(x11_button::kXButton2);
        if (!xdotool_.Send("mousedown " + button + "\nmouseup " + button)) return false;
        X1ClickTrace trace;
        recorder_.WaitFor(
            [&](const Recorder::Events& all) {
                trace = TraceX1Click(all, mark);
                return gPresses > presses && trace.Complete();
            },
            5s);
        if (gPresses != presses + 1) {
            std::fprintf(stderr, "SwitchTimeBench: %d presses reached the hooks, not one\n",
                         gPresses - presses);
            return false;
        }
        handled = trace.Verdict();
        pressed = Clock::time_point(Clock::duration(gLatestPress.load()));
        if (handled == X1Did::Astray)
            std::fprintf(stderr,
                         "SwitchTimeBench: press passed %d, release passed %d, Ctrl+V %d, "
                         "Ctrl+C %d (this program's window has had %d X presses)\n",
                         trace.pressesPassed, trace.releasesPassed, trace.pasted, trace.copied,
                         gOwnPresses);
        return true;
    }

    // Tells a fault; whether the run goes on.
    bool Fault(int click, double ms, X1Did handled, X1Did expected) {
        ++faults_;
        DWORD_PTR ignored = 0;
        const bool answers =
            SendMessageTimeoutW(tressel_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored) != 0;
        std::fprintf(stderr,
                     "SwitchTimeBench: fault: click %d, %.1f ms after the change to %s: %s (the "
                     "program %s, X1 %s)\n",
                     click, ms, NameOf(expected), NameOf(handled),
                     answers ? "answers" : "does not answer",
                     PassingInputs(tressel_) == kX1Passes ? "passes" : "is taken");
        return keepGoing_;
    }

    // Brings `window` to the front and clicks until its program's records handle a click, each
    // click before that handled by those of the program that was in front (`old`), then once
    // more; false at a fault unless the run keeps going.
    bool Change(HWND window, X1Did expected, X1Did old, Sample& sample) {
        // Wine lets any process set the foreground window. On Windows this process may, as
        // "the calling process is the foreground process" or "received the last input event"
        // (learn.microsoft.com/windows/win32/api/winuser/nf-winuser-setforegroundwindow).
        if (!SetForegroundWindow(window) ||
            !WaitUntil([&] { return GetForegroundWindow() == window; }, 5s)) {
            std::fprintf(stderr, "SwitchTimeBench: the window did not come to the front\n");
            return false;
        }
        const Clock::time_point changed = Clock::now();
        Clock::time_point previous = changed;
        bool arrived = false;
        int lostInARow = 0;
        for (int click = 1; click <= 200; ++click) {
            X1Did handled{};
            Clock::time_point pressed;
            if (!Click(handled, pressed)) return false;
            const double ms = MsBetween(changed, pressed);
            if (click > 1) intervals_.push_back(MsBetween(previous, pressed));
            previous = pressed;
            if (arrived) {  // the click after the first the new records handled
                return handled == expected || Fault(click, ms, handled, expected);
            }
            if (handled == expected) {
                sample.firstNewMs = ms;
                sample.clicks = click;
                arrived = true;
            } else if (handled == old) {
                sample.lastOldMs = ms;
            } else if (!Fault(click, ms, handled, expected) ||
                       (handled == X1Did::Astray && ++lostInARow == 3)) {
                return false;
            }
        }
        std::fprintf(stderr, "SwitchTimeBench: 200 clicks and no %s\n", NameOf(expected));
        return false;
    }

    const Recorder& recorder_;
    const XdotoolSession& xdotool_;
    HWND tressel_;
    HWND own_;
    HWND notepad_;
    bool keepGoing_;
    std::vector<Sample> toNotepad_, toOwn_;
    std::vector<double> intervals_;  // between presses of one change
    int faults_ = 0;
};

void PrintRow(const char* what, const std::vector<Sample>& samples, unsigned pollMs) {
    std::vector<double> firstNew, lastOld, clicks;
    std::size_t measured = 0;
    for (const Sample& s : samples) {
        if (s.faulty) continue;
        ++measured;
        firstNew.push_back(s.firstNewMs);
        if (s.lastOldMs >= 0) lastOld.push_back(s.lastOldMs);
        clicks.push_back(s.clicks);
    }
    const Percentiles n = Of(firstNew), o = Of(lastOld), c = Of(clicks);
    const double poll = pollMs;
    std::printf("  %-21s in force by p50 %5.1f p99 %5.1f max %5.1f ms = poll x %.2f %.2f %.2f\n",
                what, n.p50, n.p99, n.max, n.p50 / poll, n.p99 / poll, n.max / poll);
    std::printf(
        "  %-21s not yet at  p50 %5.1f p99 %5.1f max %5.1f ms (%zu of %zu changes; "
        "clicks p50 %.0f max %.0f)\n",
        "", o.p50, o.p99, o.max, lastOld.size(), measured, c.p50, c.max);
}

// The bench's own window, under the pointer: X1's native clicks land there. A click does not
// activate it, or a click that passes before a change to notepad is noticed would bring it back
// to the front ("MA_NOACTIVATE: Does not activate the window, and does not discard the mouse
// message", learn.microsoft.com/windows/win32/inputdev/wm-mouseactivate); SetForegroundWindow
// still does.
class OwnWindow {
  public:
    OwnWindow(int x, int y, int size) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &OwnWindow::Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TresselSwitchTimeBench";
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        RegisterClassW(&wc);
        window_ = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"Switch time", WS_POPUP, x, y,
                                  size, size, nullptr, nullptr, wc.hInstance, nullptr);
        ShowWindow(window_, SW_SHOW);
    }
    OwnWindow(const OwnWindow&) = delete;
    OwnWindow& operator=(const OwnWindow&) = delete;
    ~OwnWindow() { DestroyWindow(window_); }
    HWND Handle() const { return window_; }

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
        if (message == WM_XBUTTONDOWN) ++gOwnPresses;
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

HWND FrontWindowOf(DWORD processId) {
    HWND found = nullptr;
    WaitUntil([&] {
        DWORD owner = 0;
        const HWND front = GetForegroundWindow();
        GetWindowThreadProcessId(front, &owner);
        if (owner == processId) found = front;
        return found != nullptr;
    });
    return found;
}

struct Setup {
    int changes;
    bool keepGoing;
    const std::wstring& folder;
    const XdotoolSession& xdotool;
    HWND own;
    HWND notepad;
};

// One start of the program with the poll at `pollMs`; false at a fault.
bool MeasureAt(unsigned pollMs, const Setup& setup) {
    SetEnvironmentVariableW(L"TRESSEL_TEST_FOREGROUND_POLL_MS", std::to_wstring(pollMs).c_str());
    // Started before the program, so that it sees only what the program's hooks let through;
    // one per start: under Wine a low-level hook set before those of a process that was ended
    // has been seen to be called no more.
    Recorder recorder;
    if (!recorder.Start()) return false;
    TresselProcess app = TresselProcess::Start(setup.folder);
    const HWND window = app.WaitForWindow();
    if (!window || !app.WaitForStartUp(window)) {
        std::fprintf(stderr, "SwitchTimeBench: Tressel did not start\n");
        return false;
    }
    // Wine activates the new window some time after it shows; a change before that is undone.
    WaitUntil([&] { return GetForegroundWindow() == window; }, 5s);
    const MouseHookThread pressClock(NotePress);  // after the program's hooks: called first
    if (!pressClock.ok()) {
        std::fprintf(stderr, "SwitchTimeBench: could not set the hook\n");
        return false;
    }
    SwitchTimeRun run(recorder, setup.xdotool, window, setup.own, setup.notepad, setup.keepGoing);
    const Clock::time_point start = Clock::now();
    const bool sound = run.Run(setup.changes);
    std::vector<Sample> all = run.ToNotepad();
    all.insert(all.end(), run.ToOwn().begin(), run.ToOwn().end());
    const Percentiles gap = Of(run.Intervals());
    std::printf("poll %u ms (%.1f s; presses of one change %.1f ms apart, p50; %d faults):\n",
                pollMs, MsBetween(start, Clock::now()) / 1000, gap.p50, run.Faults());
    PrintRow("to notepad (Ctrl+V)", run.ToNotepad(), pollMs);
    PrintRow("to this one (native)", run.ToOwn(), pollMs);
    PrintRow("both", all, pollMs);
    app.Terminate();
    return sound;
}

int Bench(int changes, bool keepGoing, const std::vector<unsigned>& polls) {
    ForgetUserSettings();
    const std::wstring folder = MakeTestInstallation(L"SwitchTimeBench");
    WriteBytes(folder + L"\\ZornSetting.ini", X1CopyPasteOwnNativeSettings());

    const OwnWindow own(8, 8, 110);  // outside the centred main window
    if (!PhysicalInput::MoveTo(60, 60)) return 1;
    StartedProcess notepad = StartProcess(L"notepad.exe");
    const HWND notepadWindow = notepad.process ? FrontWindowOf(notepad.processId) : nullptr;
    if (!notepadWindow) {
        std::fprintf(stderr, "SwitchTimeBench: notepad did not start\n");
        return 1;
    }
    MoveWindow(notepadWindow, 0, 200, 120, 120, TRUE);  // out of the pointer's way

    const XdotoolSession xdotool;
    if (!xdotool.Running()) return 1;
    std::printf("%d changes per poll period; times from a change to a press reaching the hooks\n",
                changes);
    const Setup setup{changes, keepGoing, folder, xdotool, own.Handle(), notepadWindow};
    int result = 0;
    for (const unsigned pollMs : polls) {
        if (MeasureAt(pollMs, setup)) continue;
        result = 1;
        if (!keepGoing) break;
    }
    SetEnvironmentVariableW(L"TRESSEL_TEST_FOREGROUND_POLL_MS", nullptr);
    TerminateProcess(notepad.process.get(), 0);
    WaitForSingleObject(notepad.process.get(), 5000);
    ForgetUserSettings();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return result;
}

}  // namespace
}  // namespace tressel::testing

int wmain(int argc, wchar_t** argv) {
    int first = 1;
    const bool keepGoing = argc > 1 && std::wstring(argv[1]) == L"--keep-going";
    if (keepGoing) ++first;
    const int changes = argc > first ? _wtoi(argv[first]) : 50;
    std::vector<unsigned> polls;
    for (int i = first + 1; i < argc; ++i) polls.push_back(static_cast<unsigned>(_wtoi(argv[i])));
    if (polls.empty()) polls = {20, 10, 5};
    if (changes < 2 || std::find(polls.begin(), polls.end(), 0u) != polls.end()) {
        std::fprintf(stderr,
                     "usage: SwitchTimeBench [--keep-going] [changes >= 2] [poll ms > 0 ...]\n");
        return 2;
    }
    return tressel::testing::Bench(changes, keepGoing, polls);
}
