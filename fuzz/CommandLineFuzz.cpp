// The command line and the module path as Windows hands them over (any UTF-16 units): the
// start argument, the program folder and the paths built from it.

#include <cstdlib>

#include "FuzzSupport.h"
#include "app/CommandLine.h"
#include "config/SettingsFile.h"
#include "macros/MacroCompiler.h"

using namespace tressel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = fuzz::Utf16Units(data, size);

    const bool showAllowed = ShowAllowedByCommandLine(text);
    // Hidden only by a last argument "-run": the line ends in it and has no '-' after its start.
    if (!showAllowed && (!text.ends_with(L"-run") || text.size() < 4)) std::abort();
    if (text.ends_with(L" -run") && showAllowed) std::abort();

    const std::wstring folder = FolderOf(text);
    if (!text.starts_with(folder)) std::abort();
    if (!folder.empty() && text[folder.size()] != L'\\') std::abort();

    const std::wstring settings = SettingsFilePath(text);
    if (!settings.ends_with(kSettingsFileName)) std::abort();
    const std::wstring script = ScriptPath(folder, text);
    if (!script.starts_with(folder) || !script.ends_with(text)) std::abort();
    return 0;
}
