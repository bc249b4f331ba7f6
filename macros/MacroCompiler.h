#pragma once
// Turns a script file into an input's action lines. Each line that begins, at its very first
// character and in exact case, with a keyword becomes one action line: the keyword's letter,
// followed for the argument keywords by the source line from its first blank on (the whole
// line when it has none). Every other line is skipped silently.

#include <string>
#include <string_view>

#include "config/ButtonId.h"
#include "macros/MacroLineList.h"

namespace tressel {

// programFolder + "\ScriptsMacros\" + scriptFile, the name used exactly as stored.
std::wstring ScriptPath(const std::wstring& programFolder, const std::wstring& scriptFile);

// Appends the action line of one source line (its bytes, line end removed) to `lines`; false,
// with nothing appended, when the line is no command for `input`. "RightDown" and "RightUp"
// are no commands for the right button.
bool CompileMacroLine(std::string_view line, ButtonId input, ActionLines& lines);

enum class ScriptCompileResult {
    Compiled,   // every line read (an empty or comment-only file included)
    NotOpened,  // no such file, a folder, or no permission: the list stays empty
    TooLarge,   // over ScriptTextReader::kMaxFileBytes: refused whole, the list stays empty
    ReadError,  // a read error ended the file early: the lines before it are kept
};

// Empties `list` at once, then reads the file at `scriptPath` and publishes its action lines
// in one step. Lines are taken with their first ScriptTextReader::kMaxLineBytes bytes.
ScriptCompileResult CompileMacroScript(MacroLineList& list, ButtonId input,
                                       const std::wstring& scriptPath);

// What to tell the user when a script was not compiled whole, in plain words naming the file
// and followed by `more`, in a balloon's room (a long name gives up its middle); empty for
// Compiled.
std::wstring ScriptRefusalText(ScriptCompileResult result, const std::wstring& scriptFile,
                               std::wstring_view more = {});

}  // namespace tressel
