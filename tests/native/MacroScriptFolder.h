#pragma once
// A throw-away program folder with a ScriptsMacros subfolder, for compiling real files.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace tressel::testing {

class MacroScriptFolder {
  public:
    MacroScriptFolder() {
        std::random_device random;
        root_ = std::filesystem::temp_directory_path() /
                ("tressel-macros-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(root_ / "ScriptsMacros");
    }
    ~MacroScriptFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    MacroScriptFolder(const MacroScriptFolder&) = delete;
    MacroScriptFolder& operator=(const MacroScriptFolder&) = delete;

    // The folder as the program records it: no trailing separator.
    std::wstring ProgramFolder() const {
        const std::string narrow = root_.string();
        return std::wstring(narrow.begin(), narrow.end());
    }
    void Write(const std::string& scriptFile, std::string_view bytes) const {
        std::ofstream out(root_ / "ScriptsMacros" / scriptFile, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

  private:
    std::filesystem::path root_;
};

}  // namespace tressel::testing
