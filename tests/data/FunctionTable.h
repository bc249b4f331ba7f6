#pragma once
// The 53 assignable functions as a user sees them, written out by hand: command id, name, where
// the function menu offers it, its menu text, the caption its input's button shows, and the
// values an assignment stores. Tests take their expectations from here and compare the program
// against it; nothing in this file is computed from the program's own tables.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tressel::testing {

enum class RowKind { Native, Mouse, Key, Launch, ChosenProgram, Script };

// Record values as the settings file stores them.
inline constexpr int kMouseCategory = 0;
inline constexpr int kKeyCategory = 1;
inline constexpr int kSingleKeyAction = 0;
inline constexpr int kWinChordAction = 1;
inline constexpr int kCtrlChordAction = 2;
inline constexpr int kLaunchAction = 5;
inline constexpr int kScriptAction = 6;

// The program the tests choose in Run Software's file dialog, and the caption it gives.
inline constexpr std::wstring_view kPickedProgram = L"C:\\Tools\\tool.exe";
inline constexpr std::wstring_view kPickedCaption = L"tool.exe";

// A field an assignment does not write: it keeps what the input held before.
inline constexpr std::nullopt_t kKept = std::nullopt;

// The values an assignment that remaps an input writes into its record, in the record's order.
struct StoredValues {
    std::optional<int> keyAction;
    std::optional<int> keyCode;
    std::optional<int> mouseAction;
    std::optional<std::wstring_view> launchTarget;
    std::optional<int> category;
    std::optional<std::wstring_view> scriptFile;
};

struct FunctionRow {
    int id;
    std::string_view name;
    std::wstring_view menu;     // the submenu of the function menu; empty: the top level
    std::wstring_view submenu;  // the submenu inside `menu`, if any
    std::wstring_view menuText;
    std::wstring_view caption;  // empty for NoSettings, which shows the input's own caption
    RowKind kind;
    StoredValues stores;
    std::string_view nativeFor;  // the input whose own event a Mouse row is: R, M, X1, X2, WU, WD
};

// clang-format off
inline constexpr std::array<FunctionRow, 53> kFunctionTable = {{
    {10, "NoSettings", L"", L"", L"No Settings", L"", RowKind::Native, {kKept, kKept, kKept, kKept, kKept, kKept}, ""},
    {12, "MouseLeftButton", L"Mouse", L"", L"Left Button", L"Left Button", RowKind::Mouse, {kKept, kKept, 0, kKept, kMouseCategory, kKept}, ""},
    {13, "MouseRightButton", L"Mouse", L"", L"Right Button", L"Right Button", RowKind::Mouse, {kKept, kKept, 1, kKept, kMouseCategory, kKept}, "R"},
    {14, "MouseMiddleButton", L"Mouse", L"", L"Middle Button", L"Middle Button", RowKind::Mouse, {kKept, kKept, 2, kKept, kMouseCategory, kKept}, "M"},
    {15, "MouseX1Button", L"Mouse", L"", L"X1 Button", L"X1 Button", RowKind::Mouse, {kKept, kKept, 3, kKept, kMouseCategory, kKept}, "X1"},
    {16, "MouseX2Button", L"Mouse", L"", L"X2 Button", L"X2 Button", RowKind::Mouse, {kKept, kKept, 4, kKept, kMouseCategory, kKept}, "X2"},
    {17, "MouseWheelUp", L"Mouse", L"", L"Wheel Up", L"Wheel Up", RowKind::Mouse, {kKept, kKept, 5, kKept, kMouseCategory, kKept}, "WU"},
    {18, "MouseWheelDown", L"Mouse", L"", L"Wheel Down", L"Wheel Down", RowKind::Mouse, {kKept, kKept, 6, kKept, kMouseCategory, kKept}, "WD"},
    {19, "ZoomIn", L"Office Used", L"", L"Zoom In", L"Zoom In", RowKind::Key, {kSingleKeyAction, 0x6B, kKept, kKept, kKeyCategory, kKept}, ""},
    {20, "ZoomOut", L"Office Used", L"", L"Zoom Out", L"Zoom Out", RowKind::Key, {kSingleKeyAction, 0x6D, kKept, kKept, kKeyCategory, kKept}, ""},
    {21, "PasteText", L"Office Used", L"", L"Paste Text", L"Paste Text", RowKind::Key, {kCtrlChordAction, 0x56, kKept, kKept, kKeyCategory, kKept}, ""},
    {22, "RunSoftware", L"Office Used", L"", L"Run Software", kPickedCaption, RowKind::ChosenProgram, {kLaunchAction, kKept, kKept, kPickedProgram, kKeyCategory, kKept}, ""},
    {23, "WordCut", L"Combination", L"Word ", L"Cut(Ctrl+X)", L"Cut", RowKind::Key, {kCtrlChordAction, 0x58, kKept, kKept, kKeyCategory, kKept}, ""},
    {24, "WordCopy", L"Combination", L"Word ", L"Copy(Ctrl+C)", L"Copy", RowKind::Key, {kCtrlChordAction, 0x43, kKept, kKept, kKeyCategory, kKept}, ""},
    {25, "WordPaste", L"Combination", L"Word ", L"Paste(Ctrl+V)", L"Paste", RowKind::Key, {kCtrlChordAction, 0x56, kKept, kKept, kKeyCategory, kKept}, ""},
    {26, "WordDelete", L"Combination", L"Word ", L"Delete(Del)", L"Delete", RowKind::Key, {kSingleKeyAction, 0x2E, kKept, kKept, kKeyCategory, kKept}, ""},
    {27, "WordSearch", L"Combination", L"Word ", L"Search(Ctrl+F)", L"Search", RowKind::Key, {kCtrlChordAction, 0x46, kKept, kKept, kKeyCategory, kKept}, ""},
    {28, "WordSelectAll", L"Combination", L"Word ", L"Select All(Ctrl+A)", L"Select All", RowKind::Key, {kCtrlChordAction, 0x41, kKept, kKept, kKeyCategory, kKept}, ""},
    {29, "WordRedo", L"Combination", L"Word ", L"Redo(Ctrl+Y)", L"Redo", RowKind::Key, {kCtrlChordAction, 0x59, kKept, kKept, kKeyCategory, kKept}, ""},
    {30, "WordUndo", L"Combination", L"Word ", L"Undo(Ctrl+Z)", L"Undo", RowKind::Key, {kCtrlChordAction, 0x5A, kKept, kKept, kKeyCategory, kKept}, ""},
    {31, "ArchivesNew", L"Combination", L"Archives ", L"New(Ctrl+N)", L"New", RowKind::Key, {kCtrlChordAction, 0x4E, kKept, kKept, kKeyCategory, kKept}, ""},
    {32, "ArchivesOpen", L"Combination", L"Archives ", L"Open(Ctrl+O)", L"Open", RowKind::Key, {kCtrlChordAction, 0x4F, kKept, kKept, kKeyCategory, kKept}, ""},
    {33, "ArchivesSave", L"Combination", L"Archives ", L"Save(Ctrl+S)", L"Save", RowKind::Key, {kCtrlChordAction, 0x53, kKept, kKept, kKeyCategory, kKept}, ""},
    {34, "ArchivesPrint", L"Combination", L"Archives ", L"Print(Ctrl+P)", L"Print", RowKind::Key, {kCtrlChordAction, 0x50, kKept, kKept, kKeyCategory, kKept}, ""},
    {35, "MediaPlayer", L"Multimedia", L"", L"Media Player", L"Media Player", RowKind::Launch, {kLaunchAction, kKept, kKept, L"wmplayer.exe", kKeyCategory, kKept}, ""},
    {36, "MediaPreviousTrack", L"Multimedia", L"", L"Previous Track", L"Previous Track", RowKind::Key, {kSingleKeyAction, 0xB1, kKept, kKept, kKeyCategory, kKept}, ""},
    {37, "MediaNextTrack", L"Multimedia", L"", L"Next Track", L"Next Track", RowKind::Key, {kSingleKeyAction, 0xB0, kKept, kKept, kKeyCategory, kKept}, ""},
    {38, "MediaStop", L"Multimedia", L"", L"Stop", L"Stop", RowKind::Key, {kSingleKeyAction, 0xB2, kKept, kKept, kKeyCategory, kKept}, ""},
    {39, "MediaPlayPause", L"Multimedia", L"", L"Play/Pause", L"Play/Pause", RowKind::Key, {kSingleKeyAction, 0xB3, kKept, kKept, kKeyCategory, kKept}, ""},
    {40, "MediaMute", L"Multimedia", L"", L"Mute", L"Mute", RowKind::Key, {kSingleKeyAction, 0xAD, kKept, kKept, kKeyCategory, kKept}, ""},
    {41, "MediaVolumeUp", L"Multimedia", L"", L"Volume Up", L"Volume Up", RowKind::Key, {kSingleKeyAction, 0xAF, kKept, kKept, kKeyCategory, kKept}, ""},
    {42, "MediaVolumeDown", L"Multimedia", L"", L"Volume Down", L"Volume Down", RowKind::Key, {kSingleKeyAction, 0xAE, kKept, kKept, kKeyCategory, kKept}, ""},
    {43, "NetBack", L"NetWork", L"", L"Back", L"Back", RowKind::Key, {kSingleKeyAction, 0xA6, kKept, kKept, kKeyCategory, kKept}, ""},
    {44, "NetForward", L"NetWork", L"", L"Forward", L"Forward", RowKind::Key, {kSingleKeyAction, 0xA7, kKept, kKept, kKeyCategory, kKept}, ""},
    {45, "NetStop", L"NetWork", L"", L"Stop", L"Stop", RowKind::Key, {kSingleKeyAction, 0xA9, kKept, kKept, kKeyCategory, kKept}, ""},
    {46, "NetRefresh", L"NetWork", L"", L"Refresh", L"Refresh", RowKind::Key, {kSingleKeyAction, 0xA8, kKept, kKept, kKeyCategory, kKept}, ""},
    {47, "NetSearch", L"NetWork", L"", L"Search", L"Search", RowKind::Key, {kSingleKeyAction, 0xAA, kKept, kKept, kKeyCategory, kKept}, ""},
    {48, "NetFavorites", L"NetWork", L"", L"Favorites", L"Favorites", RowKind::Key, {kSingleKeyAction, 0xAB, kKept, kKept, kKeyCategory, kKept}, ""},
    {49, "NetHomePage", L"NetWork", L"", L"Home Page", L"Home Page", RowKind::Key, {kSingleKeyAction, 0xAC, kKept, kKept, kKeyCategory, kKept}, ""},
    {50, "NetMail", L"NetWork", L"", L"Mail", L"Mail", RowKind::Key, {kSingleKeyAction, 0xB4, kKept, kKept, kKeyCategory, kKept}, ""},
    {51, "SystemCalculator", L"System", L"", L"Calculator", L"Calculator", RowKind::Launch, {kLaunchAction, kKept, kKept, L"calc.exe", kKeyCategory, kKept}, ""},
    {52, "SystemMyComputer", L"System", L"", L"My computer", L"My Computer", RowKind::Key, {kWinChordAction, 0x45, kKept, kKept, kKeyCategory, kKept}, ""},
    {53, "SystemStandBy", L"System", L"", L"Stand By", L"Stand By", RowKind::Launch, {kLaunchAction, kKept, kKept, L"#jsjstandby#", kKeyCategory, kKept}, ""},
    {531, "SystemSleep", L"System", L"", L"Sleep", L"Sleep", RowKind::Launch, {kLaunchAction, kKept, kKept, L"#jsjsleep#", kKeyCategory, kKept}, ""},
    {54, "SystemShutDown", L"System", L"", L"ShutDown", L"ShutDown", RowKind::Launch, {kLaunchAction, kKept, kKept, L"#jsjshutoff#", kKeyCategory, kKept}, ""},
    {56, "ScriptTripleShot", L"Run Program", L"", L"TRIPLE SHOT", L"TRIPLE SHOT", RowKind::Script, {kScriptAction, kKept, kKept, kKept, kKeyCategory, L"TRIPLE SHOT.txt"}, ""},
    {57, "ScriptReverse", L"Run Program", L"", L"CS_REVERSE", L"CS_REVERSE", RowKind::Script, {kScriptAction, kKept, kKept, kKept, kKeyCategory, L"CS_REVERSE.txt"}, ""},
    {58, "ScriptFourShot", L"Run Program", L"", L"CS_4 SHOT", L"CS_4 SHOT", RowKind::Script, {kScriptAction, kKept, kKept, kKept, kKeyCategory, L"CS_4 SHOT.txt"}, ""},
    {59, "ScriptMultiShot", L"Run Program", L"", L"CS_MULTI SHOT(40mS)", L"CS_MULTI SHOT(40mS)", RowKind::Script, {kScriptAction, kKept, kKept, kKept, kKeyCategory, L"CS_MULTI SHOT(40mS).txt"}, ""},
    {60, "ScriptAutomaticShot", L"Run Program", L"", L"CS_AUTOMATIC SHOT", L"CS_AUTOMATIC SHOT", RowKind::Script, {kScriptAction, kKept, kKept, kKept, kKeyCategory, L"CS_AUOTMATIC SHOT.txt"}, ""},
    {65, "ScriptOfficeDoubleClick", L"Run Program", L"", L"OFFICE_DOUBLE CLICK", L"OFFICE_DOUBLE CLICK", RowKind::Script, {kScriptAction, kKept, kKept, kKept, kKeyCategory, L"OFFICE_DOUBLE CLICK.txt"}, ""},
    {66, "ScriptLeftButtonDoubleClick", L"Run Program", L"", L"LEFT-BUTTON DBLCLICK", L"LEFT-BUTTON DOUBLE..", RowKind::Script, {kScriptAction, kKept, kKept, kKept, kKeyCategory, L"LEFT-BUTTOM DOUBLE CLICK.txt"}, ""},
    {67, "ScriptSelectIdleWorker", L"Run Program", L"", L"WC3_SELECT IDLE WORKER", L"WC3_SELECT IDLE WO..", RowKind::Script, {kScriptAction, kKept, kKept, kKept, kKeyCategory, L"WC3_SELECT IDLE WORKER.txt"}, ""},
}};
// clang-format on

// Whether assigning the row's function to the input named `input` (R, M, X1, X2, WU, WD) gives
// the input its native job back instead of remapping it.
constexpr bool GivesNativeJobBack(const FunctionRow& row, std::string_view input) {
    return row.kind == RowKind::Native || row.nativeFor == input;
}

// `record` (a ButtonSetting, or a test's picture of one) with the values the row stores written
// over it, every other field as it was.
template <class Record>
Record WithStoredValues(Record record, const StoredValues& stores) {
    if (stores.keyAction) record.keyAction = *stores.keyAction;
    if (stores.keyCode) record.keyCode = static_cast<decltype(record.keyCode)>(*stores.keyCode);
    if (stores.mouseAction) record.mouseAction = *stores.mouseAction;
    if (stores.launchTarget) record.launchTarget = std::wstring(*stores.launchTarget);
    if (stores.category) record.category = *stores.category;
    if (stores.scriptFile) record.scriptFile = std::wstring(*stores.scriptFile);
    return record;
}

// The PC keyboard's scan code of every key a function sends, with the extended-key flag (the
// code is the one after the 0xE0 prefix of an extended key); letters as on a US layout.
struct KeyScanCode {
    int virtualKey;
    int scanCode;
    bool extended;
};

// clang-format off
inline constexpr std::array<KeyScanCode, 32> kKeyScanCodes = {{
    {0x11, 0x1D, false}, {0x5B, 0x5B, true},  // Ctrl, left Windows
    {0x2E, 0x53, true},                       // Delete
    {0x41, 0x1E, false}, {0x43, 0x2E, false}, {0x45, 0x12, false}, {0x46, 0x21, false},  // A C E F
    {0x4E, 0x31, false}, {0x4F, 0x18, false}, {0x50, 0x19, false}, {0x53, 0x1F, false},  // N O P S
    {0x56, 0x2F, false}, {0x58, 0x2D, false}, {0x59, 0x15, false}, {0x5A, 0x2C, false},  // V X Y Z
    {0x6B, 0x4E, false}, {0x6D, 0x4A, false},  // numpad plus and minus
    {0xA6, 0x6A, true}, {0xA7, 0x69, true}, {0xA8, 0x67, true}, {0xA9, 0x68, true},  // browser
    {0xAA, 0x65, true}, {0xAB, 0x66, true}, {0xAC, 0x32, true},
    {0xAD, 0x20, true}, {0xAE, 0x2E, true}, {0xAF, 0x30, true},  // volume
    {0xB0, 0x19, true}, {0xB1, 0x10, true}, {0xB2, 0x24, true}, {0xB3, 0x22, true},  // media
    {0xB4, 0x6C, true},  // mail
}};
// clang-format on

}  // namespace tressel::testing
