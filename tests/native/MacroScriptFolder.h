#pragma once
// A throw-away program folder with a ScriptsMacros subfolder, for compiling real files.

#include <filesystem>
#include <string>
#include <string_view>

#include "TempFolder.h"

namespace tressel::testing {

class MacroScriptFolder {
  public:
    MacroScriptFolder() { std::filesystem::create_directories(root_ / "ScriptsMacros"); }

    // The folder as the program records it: no trailing separator.
    std::wstring ProgramFolder() const {
        const std::string narrow = root_.Path().string();
        return std::wstring(narrow.begin(), narrow.end());
    }
    void Write(const std::string& scriptFile, std::string_view bytes) const {
        WriteFileBytes(root_ / "ScriptsMacros" / scriptFile, bytes);
    }

  private:
    TempFolder root_{"macros"};
};

}  // namespace tressel::testing
