// The dispatch's own cost per press, with the 30 ms pauses taken out (the input system's Sleep
// returns at once). The baseline sends the same records straight to the sink, so the ratio is
// what the dispatch adds on top of building and handing over the events.
#include <benchmark/benchmark.h>

#include "actions/ButtonDispatcher.h"

namespace tressel {
namespace {

class CountingInput : public InputSystem {
  public:
    std::uint32_t SendInput(std::span<const InputRecord> records) override {
        for (const auto& r : records) sum += r.dx + r.virtualKey;
        return static_cast<std::uint32_t>(records.size());
    }
    void Sleep(std::uint32_t) override {}
    std::unique_ptr<PreciseTimer> CreatePreciseTimer() override { return nullptr; }
    bool RaiseTimerResolution() override { return false; }
    void LowerTimerResolution() override {}
    Point GetCursorPos() override { return {960, 540}; }
    Rect VirtualScreen() override { return {0, 0, 1920, 1080}; }
    std::uintptr_t GetMessageExtraInfo() override { return 0; }
    std::int64_t sum = 0;
};

class NoHooks : public HookLibraries {
  public:
    int Install(ButtonId, WindowHandle) override { return 1; }
    int Remove(ButtonId, WindowHandle) override { return 1; }
    void SetPassThrough(ButtonId, bool) override {}
    void ReleaseSeen(ButtonId, std::uint32_t) override {}
};

class NoSystem : public SystemActions {
  public:
    void OpenWithShell(const std::wstring&, const std::wstring&, const std::wstring&,
                       const std::wstring&, int) override {}
    std::unique_ptr<ProcessToken> OpenProcessToken(std::uint32_t) override { return nullptr; }
    std::optional<PrivilegeId> LookupPrivilege(const std::wstring&) override { return {}; }
    std::optional<PowerCapabilities> ReadPowerCapabilities() override { return {}; }
    std::uint32_t SetSuspendState(bool) override { return 0; }
    std::uint32_t InitiateShutdown(std::uint32_t, std::uint32_t) override { return 0; }
};

void Dispatch(benchmark::State& state, std::int32_t category, std::int32_t action, bool hooked) {
    CountingInput input;
    NoHooks hooks;
    NoSystem system;
    ButtonDispatcher::Records records{};
    for (auto& r : records) r.hooked = hooked;
    records[0].category = category;
    records[0].mouseAction = action;
    records[0].keyAction = action;
    records[0].keyCode = 0x43;
    ButtonDispatcher dispatcher(records, hooks, input, system, nullptr);
    for (auto _ : state) dispatcher.DispatchButtonEvent(ButtonId::R, 0x42);
    benchmark::DoNotOptimize(input.sum);
}

void BM_DispatchMiddleClickHookLifted(benchmark::State& s) {
    Dispatch(s, MouseButton, MiddleClick, true);
}
void BM_DispatchWheel(benchmark::State& s) { Dispatch(s, MouseButton, WheelUp, false); }
void BM_DispatchCtrlChord(benchmark::State& s) { Dispatch(s, KeyOrCommand, CtrlChord, false); }
void BM_DispatchSingleKey(benchmark::State& s) { Dispatch(s, KeyOrCommand, SingleKey, false); }

// Baseline: the four chord records handed to the sink one by one, without the dispatch.
void BM_BaselineFourKeyEvents(benchmark::State& state) {
    CountingInput input;
    InputSystem* sink = &input;
    benchmark::DoNotOptimize(sink);  // a virtual call, as the dispatch makes
    for (auto _ : state) {
        for (std::uint16_t vk : {0x11, 0x43, 0x43, 0x11}) {
            const InputRecord r = InputRecord::KeyEvent(vk, 0);
            sink->SendInput({&r, 1});
        }
    }
    benchmark::DoNotOptimize(input.sum);
}

BENCHMARK(BM_DispatchMiddleClickHookLifted);
BENCHMARK(BM_DispatchWheel);
BENCHMARK(BM_DispatchCtrlChord);
BENCHMARK(BM_DispatchSingleKey);
BENCHMARK(BM_BaselineFourKeyEvents);

}  // namespace
}  // namespace tressel
