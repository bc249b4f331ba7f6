// The script path: a file's bytes compiled for an input, then played against a fake input
// system whose Sleep returns at once. The first bytes choose the input, the pointer and the
// screen; the rest is the script file.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "FuzzSupport.h"
#include "fakes/CallLog.h"
#include "fakes/FakeInputSystem.h"
#include "macros/MacroCompiler.h"
#include "macros/MacroPlayer.h"
#include "macros/ScriptTextReader.h"

using namespace tressel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const ButtonId input = kAllButtons[provider.ConsumeIntegralInRange<int>(0, kButtonCount - 1)];
    const Point cursor{provider.ConsumeIntegral<std::int32_t>(),
                       provider.ConsumeIntegral<std::int32_t>()};
    // Any virtual desktop a system could report, monitors left of and above the primary included.
    const std::int32_t left = provider.ConsumeIntegralInRange<std::int32_t>(-70000, 70000);
    const std::int32_t top = provider.ConsumeIntegralInRange<std::int32_t>(-70000, 70000);
    const std::int32_t width = provider.ConsumeIntegralInRange<std::int32_t>(-1, 70000);
    const std::int32_t height = provider.ConsumeIntegralInRange<std::int32_t>(-1, 70000);
    const std::string script = provider.ConsumeRemainingBytesAsString();

    const fuzz::ScratchFolder& folder = fuzz::ScratchFolder::Instance();
    folder.Write("ScriptsMacros/fuzz.txt", script);
    MacroLineList list;
    const ScriptCompileResult result =
        CompileMacroScript(list, input, ScriptPath(folder.Wide(), L"fuzz.txt"));
    if (result != ScriptCompileResult::Compiled) std::abort();  // every input here is small

    const MacroLineList::Snapshot lines = list.Current();
    for (std::size_t i = 0; i < lines->size(); ++i) {
        const std::wstring line = (*lines)[i];
        // Every action line is a letter of the table, never longer than a kept source line + 1.
        if (line.empty() || line[0] < L'a' || line[0] > L'k') std::abort();
        if (line.size() > ScriptTextReader::kMaxLineBytes + 1) std::abort();
        if (input == ButtonId::R && (line[0] == L'c' || line[0] == L'd')) std::abort();
    }

    testing::CallLog log;
    testing::FakeInputSystem system(log);
    system.SetCursor(cursor);
    system.virtualScreen = {left, top, left + width, top + height};
    PlayMacroLines(list, system);
    // At most one synthesised event per line (the waits log entries of their own).
    std::size_t sent = 0;
    for (const std::string& entry : log.Entries()) sent += entry.starts_with("SendInput") ? 1 : 0;
    if (sent > lines->size()) std::abort();
    return 0;
}
