// Compiling a large script against merely reading the same file line by line. The goal is a
// compile that costs at most twice the plain read.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "macros/MacroCompiler.h"
#include "macros/ScriptTextReader.h"

namespace tressel {
namespace {

// About 12 MB (just under the size a script may have) in about 240,000 CRLF lines: commands
// with and without arguments, comments and blank lines, as a long hand-written macro would mix
// them. Written once per process.
class LargeScript {
  public:
    static const LargeScript& Get() {
        static const LargeScript script;
        return script;
    }
    ~LargeScript() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    std::wstring ProgramFolder() const {
        const std::string narrow = root_.string();
        return std::wstring(narrow.begin(), narrow.end());
    }
    std::filesystem::path File() const { return root_ / "ScriptsMacros" / "large.txt"; }
    std::int64_t Bytes() const { return bytes_; }

  private:
    LargeScript() {
        root_ = std::filesystem::temp_directory_path() /
                ("tressel-bench-" + std::to_string(std::random_device()()));
        std::filesystem::create_directories(root_ / "ScriptsMacros");
        const char* const lines[] = {
            "LeftDown (the shot starts here at the macro position)",
            "Delay 25 ms between press and release of the shot",
            "LeftUp (and the shot ends here, at the same macro position)",
            "; pull the pointer down against the recoil of the weapon",
            "MoveR 300 units down, about half a percent of the screen",
            "MoveL -120 px to the left from where the pointer really is",
            "KeyDown 17 (Ctrl held for the chord that follows here)",
            "KeyUp 17 (Ctrl released again after the chord is done)",
            "# a comment that only explains the lines around it, nothing more",
            "; ----------------------------------------------------------------",
            "Delay 40 ms until the next burst of the automatic weapon starts",
            "MiddleDown and some words after the keyword that are ignored",
        };
        std::ofstream out(File(), std::ios::binary);
        std::string block;
        for (int i = 0; i < 1000; ++i) {
            block += lines[i % std::size(lines)];
            block += "\r\n";
        }
        for (int i = 0; i < 240; ++i) out << block;
        out.close();
        bytes_ = static_cast<std::int64_t>(std::filesystem::file_size(File()));
    }

    std::filesystem::path root_;
    std::int64_t bytes_ = 0;
};

void BM_ReadLinesWithGetline(benchmark::State& state) {
    const LargeScript& script = LargeScript::Get();
    for (auto _ : state) {
        std::ifstream in(script.File());
        std::string line;
        std::size_t count = 0;
        while (std::getline(in, line)) ++count;
        benchmark::DoNotOptimize(count);
    }
    state.SetBytesProcessed(state.iterations() * script.Bytes());
}

void BM_ReadLinesWithScriptReader(benchmark::State& state) {
    const LargeScript& script = LargeScript::Get();
    const std::wstring path = ScriptPath(script.ProgramFolder(), L"large.txt");
    for (auto _ : state) {
        ScriptTextReader reader(path);
        std::size_t count = 0;
        reader.ForEachLine([&](std::string_view line) { count += !line.empty(); });
        benchmark::DoNotOptimize(count);
    }
    state.SetBytesProcessed(state.iterations() * script.Bytes());
}

void BM_CompileMacroScript(benchmark::State& state) {
    const LargeScript& script = LargeScript::Get();
    const std::wstring path = ScriptPath(script.ProgramFolder(), L"large.txt");
    MacroLineList list;
    for (auto _ : state) {
        CompileMacroScript(list, ButtonId::X1, path);
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetBytesProcessed(state.iterations() * script.Bytes());
    state.counters["lines"] = static_cast<double>(list.Count());
}

BENCHMARK(BM_ReadLinesWithGetline)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadLinesWithScriptReader)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_CompileMacroScript)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace tressel

BENCHMARK_MAIN();
