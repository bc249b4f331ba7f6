// How closely macro delays keep their length: 200 waits each of 1, 10 and 40 ms through the
// player's waits (PlaybackSession on the real input system: the high-resolution timer where the
// system has one), through its fallback (timer resolution raised, Sleep), and through plain
// Sleep, interleaved in one run so that all three see the same load. Prints the median, 99th
// percentile, largest and smallest error (measured minus asked, QueryPerformanceCounter) and
// the share of waits within 1 ms, per length and way. Goal: within 1 ms at the 99th percentile.
// Reports, never fails.
// Run: tools/wine-run.sh build/windows/wine-bin/DelayBench.exe [waits per length]

#include <windows.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "macros/PlaybackSession.h"
#include "seam/win32/Win32InputSystem.h"

namespace tressel {
namespace {

// The real input system as a system without high-resolution timers sees it.
class WithoutPreciseTimer : public Win32InputSystem {
  public:
    std::unique_ptr<PreciseTimer> CreatePreciseTimer() override { return nullptr; }
};

double NowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMs;
}

// Nearest rank: the smallest value with at least p of the samples at or below it.
double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(p * static_cast<double>(values.size())));
    return values[std::max<std::size_t>(rank, 1) - 1];
}

}  // namespace
}  // namespace tressel

int wmain(int argc, wchar_t** argv) {
    using namespace tressel;
    const int waits = argc > 1 ? std::max(1, _wtoi(argv[1])) : 200;
    constexpr std::array<std::uint32_t, 3> kLengths = {1, 10, 40};
    constexpr std::array<const char*, 3> kWays = {"player (precise)", "player (fallback)",
                                                  "plain Sleep"};

    Win32InputSystem real;
    WithoutPreciseTimer fallback;
    const bool hasTimer = real.CreatePreciseTimer() != nullptr;
    PlaybackSession precise(real);
    PlaybackSession raised(fallback);
    auto wait = [&](std::size_t way, std::uint32_t ms) {
        if (way == 0)
            precise.Wait(ms);
        else if (way == 1)
            raised.Wait(ms);
        else
            ::Sleep(ms);
    };

    // errors[length][way]
    std::array<std::array<std::vector<double>, kWays.size()>, kLengths.size()> errors;
    for (int i = 0; i < waits; ++i) {
        for (std::size_t l = 0; l < kLengths.size(); ++l) {
            for (std::size_t way = 0; way < kWays.size(); ++way) {
                const double start = NowMs();
                wait(way, kLengths[l]);
                errors[l][way].push_back(NowMs() - start - kLengths[l]);
            }
        }
    }

    std::printf("macro delays, %d waits per length and way; error = measured - asked, ms\n", waits);
    std::printf("high-resolution waitable timer: %s\n", hasTimer ? "available" : "not available");
    std::printf("  %-6s %-18s %8s %8s %8s %8s %8s\n", "delay", "way", "median", "p99", "max", "min",
                "<=1ms");
    for (std::size_t l = 0; l < kLengths.size(); ++l) {
        for (std::size_t way = 0; way < kWays.size(); ++way) {
            const std::vector<double>& e = errors[l][way];
            const auto within =
                std::count_if(e.begin(), e.end(), [](double x) { return x <= 1.0; });
            std::printf("  %3u ms %-18s %8.3f %8.3f %8.3f %8.3f %7.1f%%\n", kLengths[l], kWays[way],
                        Percentile(e, 0.5), Percentile(e, 0.99),
                        *std::max_element(e.begin(), e.end()),
                        *std::min_element(e.begin(), e.end()),
                        100.0 * static_cast<double>(within) / static_cast<double>(e.size()));
        }
    }
    return 0;
}
