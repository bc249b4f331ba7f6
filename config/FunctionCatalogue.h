#pragma once
// The fixed list of functions a mouse input can be given: the menu command id of each, where
// the function menu offers it, the caption its input's button shows, and the record values an
// assignment writes.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "config/ButtonId.h"
#include "config/ButtonSetting.h"

namespace tressel {

// Menu command ids of the assignable functions. The ids are not contiguous: 11, 55, 61..64 and
// 68 carry no function, and SystemSleep sits between SystemStandBy and SystemShutDown.
enum class FunctionCommand : int {
    NoSettings = 10,
    MouseLeftButton = 12,
    MouseRightButton = 13,
    MouseMiddleButton = 14,
    MouseX1Button = 15,
    MouseX2Button = 16,
    MouseWheelUp = 17,
    MouseWheelDown = 18,
    ZoomIn = 19,
    ZoomOut = 20,
    PasteText = 21,
    RunSoftware = 22,
    WordCut = 23,
    WordCopy = 24,
    WordPaste = 25,
    WordDelete = 26,
    WordSearch = 27,
    WordSelectAll = 28,
    WordRedo = 29,
    WordUndo = 30,
    ArchivesNew = 31,
    ArchivesOpen = 32,
    ArchivesSave = 33,
    ArchivesPrint = 34,
    MediaPlayer = 35,
    MediaPreviousTrack = 36,
    MediaNextTrack = 37,
    MediaStop = 38,
    MediaPlayPause = 39,
    MediaMute = 40,
    MediaVolumeUp = 41,
    MediaVolumeDown = 42,
    NetBack = 43,
    NetForward = 44,
    NetStop = 45,
    NetRefresh = 46,
    NetSearch = 47,
    NetFavorites = 48,
    NetHomePage = 49,
    NetMail = 50,
    SystemCalculator = 51,
    SystemMyComputer = 52,
    SystemStandBy = 53,
    SystemSleep = 531,
    SystemShutDown = 54,
    ScriptTripleShot = 56,
    ScriptReverse = 57,
    ScriptFourShot = 58,
    ScriptMultiShot = 59,
    ScriptAutomaticShot = 60,
    ScriptOfficeDoubleClick = 65,
    ScriptLeftButtonDoubleClick = 66,
    ScriptSelectIdleWorker = 67,
};

inline constexpr int kFunctionCount = 53;

// Which record fields an assignment of the function writes.
enum class FunctionKind {
    Native,         // none: the input gets its native job back
    MouseEvent,     // category 0, mouseAction
    Key,            // category 1, keyAction, keyCode
    FixedLaunch,    // category 1, keyAction Launch, launchTarget from the table
    ChosenProgram,  // category 1, keyAction Launch, launchTarget picked by the user
    Script,         // category 1, keyAction Script, scriptFile
};

enum class CaptionRule {
    Fixed,           // the entry's caption text
    DefaultCaption,  // the selected input's default caption
    ChosenFileName,  // the file name of the picked program, shortened to 20 characters
};

// Where the function menu offers an entry: the texts of the nested submenus, outermost first.
// Depth 0 is the top level of the menu.
inline constexpr int kMaxMenuDepth = 2;
struct MenuPath {
    std::array<std::wstring_view, kMaxMenuDepth> levels{};
    int depth = 0;
};

struct FunctionEntry {
    FunctionCommand command;
    std::string_view name;  // the FunctionCommand member's name, for diagnostics
    MenuPath submenu;
    std::wstring_view menuText;
    CaptionRule captionRule;
    std::wstring_view caption;  // used by CaptionRule::Fixed
    FunctionKind kind;
    // Stored values; only those of the entry's kind are written.
    std::int32_t mouseAction = 0;
    std::int32_t keyAction = 0;
    std::uint8_t keyCode = 0;
    std::wstring_view launchTarget;
    std::wstring_view scriptFile;
    // A mouse event that is this input's own native event: assigning it there removes the hook.
    std::optional<ButtonId> nativeFor;

    constexpr int Id() const { return static_cast<int>(command); }
};

// The catalogue in menu order.
std::span<const FunctionEntry> FunctionCatalogue();

// The entry of a menu command id, or nullptr when the id carries no function.
const FunctionEntry* FindFunction(int commandId);

// True unless the function gives `input` its native job back (NoSettings, or a mouse event that
// is the input's own).
bool RemapsInput(const FunctionEntry& function, ButtonId input);

// The caption of a program picked for RunSoftware: the file name without folder, whole when it
// has at most 20 characters, else its first 18 characters followed by "..".
std::wstring ProgramCaption(std::wstring_view fullPath);

}  // namespace tressel
