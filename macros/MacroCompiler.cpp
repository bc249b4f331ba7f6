#include "macros/MacroCompiler.h"

#include <array>

#include "config/NoticeText.h"
#include "macros/ScriptTextReader.h"

namespace tressel {
namespace {

struct Keyword {
    std::string_view text;
    char letter;
    bool takesArgument;
    bool rightButtonIgnores;
};

// In the order they are tested; none is the beginning of another.
constexpr std::array<Keyword, 11> kKeywords = {{
    {"LeftDown", 'a', false, false},
    {"LeftUp", 'b', false, false},
    {"RightDown", 'c', false, true},
    {"RightUp", 'd', false, true},
    {"MiddleDown", 'e', false, false},
    {"MiddleUp", 'f', false, false},
    {"Delay", 'g', true, false},
    {"MoveL", 'h', true, false},
    {"MoveR", 'i', true, false},
    {"KeyDown", 'j', true, false},
    {"KeyUp", 'k', true, false},
}};

const Keyword* MatchKeyword(std::string_view line, ButtonId input) {
    if (line.empty()) return nullptr;
    for (const Keyword& keyword : kKeywords) {
        // The first-byte test keeps the common miss cheap.
        if (keyword.text[0] != line[0] || !line.starts_with(keyword.text)) continue;
        if (keyword.rightButtonIgnores && input == ButtonId::R) return nullptr;
        return &keyword;
    }
    return nullptr;
}

}  // namespace

std::wstring ScriptPath(const std::wstring& programFolder, const std::wstring& scriptFile) {
    return programFolder + L"\\ScriptsMacros\\" + scriptFile;
}

bool CompileMacroLine(std::string_view line, ButtonId input, ActionLines& lines) {
    const Keyword* keyword = MatchKeyword(line, input);
    if (!keyword) return false;
    std::string_view argument;
    if (keyword->takesArgument) {
        const std::size_t blank = line.find(' ');
        argument = blank == std::string_view::npos ? line : line.substr(blank);
    }
    lines.Append(keyword->letter, argument);
    return true;
}

ScriptCompileResult CompileMacroScript(MacroLineList& list, ButtonId input,
                                       const std::wstring& scriptPath) {
    list.Clear();
    ScriptTextReader reader(scriptPath);
    if (!reader.IsOpen()) return ScriptCompileResult::NotOpened;
    if (reader.TooLarge()) return ScriptCompileResult::TooLarge;
    ActionLines lines;
    // An action line is at most one character longer than its source line and mostly shorter,
    // so the file's size is a close bound of the text: filling seldom regrows.
    lines.ReserveText(reader.Size());
    const ScriptTextReader::Result read =
        reader.ForEachLine([&](std::string_view line) { CompileMacroLine(line, input, lines); });
    // A file that outgrew the limit while it was read is refused whole, like one that was over
    // it from the start.
    if (read == ScriptTextReader::Result::TooLarge) return ScriptCompileResult::TooLarge;
    lines.ReleaseUnusedText();
    list.Publish(std::move(lines));
    return read == ScriptTextReader::Result::ReadError ? ScriptCompileResult::ReadError
                                                       : ScriptCompileResult::Compiled;
}

std::wstring ScriptRefusalText(ScriptCompileResult result, const std::wstring& scriptFile,
                               std::wstring_view more) {
    std::wstring reason;
    switch (result) {
        case ScriptCompileResult::Compiled:
            return {};
        case ScriptCompileResult::NotOpened:
            reason = L"\" could not be opened. The input plays nothing.";
            break;
        case ScriptCompileResult::TooLarge:
            reason = L"\" is larger than " +
                     std::to_wstring(ScriptTextReader::kMaxFileBytes >> 20) +
                     L" MB and was not loaded. The input plays nothing.";
            break;
        case ScriptCompileResult::ReadError:
            reason = L"\" could not be read to its end. The input plays only its first lines.";
            break;
    }
    return NoticeNaming(L"The macro script \"", scriptFile, reason.append(more));
}

}  // namespace tressel
