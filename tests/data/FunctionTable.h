#pragma once
// The 53 assignable functions as a user sees them, written out by hand: command id, name, where
// the function menu offers it, its menu text, the caption its input's button shows, and the
// values an assignment stores. Tests take their expectations from here and compare the program
// against it; nothing in this file is computed from the program's own tables.

#include <array>
#include <string_view>

namespace tressel::testing {

enum class RowKind { Native, Mouse, Key, Launch, ChosenProgram, Script };

// Record values as the settings file stores them.
inline constexpr int kSingleKeyAction = 0;
inline constexpr int kWinChordAction = 1;
inline constexpr int kCtrlChordAction = 2;
inline constexpr int kLaunchAction = 5;
inline constexpr int kScriptAction = 6;

struct FunctionRow {
    int id;
    std::string_view name;
    std::wstring_view menu;     // the submenu of the function menu; empty: the top level
    std::wstring_view submenu;  // the submenu inside `menu`, if any
    std::wstring_view menuText;
    std::wstring_view caption;  // empty where it is not fixed (NoSettings, RunSoftware)
    RowKind kind;
    int keyAction;               // Key, Launch, ChosenProgram and Script rows
    int code;                    // Mouse rows: the mouse action; Key rows: the virtual-key code
    std::wstring_view text;      // Launch rows: the target; Script rows: the script file
    std::string_view nativeFor;  // the input whose own event a Mouse row is: R, M, X1, X2, WU, WD
};

// clang-format off
inline constexpr std::array<FunctionRow, 53> kFunctionTable = {{
    {10, "NoSettings", L"", L"", L"No Settings", L"", RowKind::Native, 0, 0, L"", ""},
    {12, "MouseLeftButton", L"Mouse", L"", L"Left Button", L"Left Button", RowKind::Mouse, 0, 0, L"", ""},
    {13, "MouseRightButton", L"Mouse", L"", L"Right Button", L"Right Button", RowKind::Mouse, 0, 1, L"", "R"},
    {14, "MouseMiddleButton", L"Mouse", L"", L"Middle Button", L"Middle Button", RowKind::Mouse, 0, 2, L"", "M"},
    {15, "MouseX1Button", L"Mouse", L"", L"X1 Button", L"X1 Button", RowKind::Mouse, 0, 3, L"", "X1"},
    {16, "MouseX2Button", L"Mouse", L"", L"X2 Button", L"X2 Button", RowKind::Mouse, 0, 4, L"", "X2"},
    {17, "MouseWheelUp", L"Mouse", L"", L"Wheel Up", L"Wheel Up", RowKind::Mouse, 0, 5, L"", "WU"},
    {18, "MouseWheelDown", L"Mouse", L"", L"Wheel Down", L"Wheel Down", RowKind::Mouse, 0, 6, L"", "WD"},
    {19, "ZoomIn", L"Office Used", L"", L"Zoom In", L"Zoom In", RowKind::Key, kSingleKeyAction, 0x6B, L"", ""},
    {20, "ZoomOut", L"Office Used", L"", L"Zoom Out", L"Zoom Out", RowKind::Key, kSingleKeyAction, 0x6D, L"", ""},
    {21, "PasteText", L"Office Used", L"", L"Paste Text", L"Paste Text", RowKind::Key, kCtrlChordAction, 0x56, L"", ""},
    {22, "RunSoftware", L"Office Used", L"", L"Run Software", L"", RowKind::ChosenProgram, kLaunchAction, 0, L"", ""},
    {23, "WordCut", L"Combination", L"Word ", L"Cut(Ctrl+X)", L"Cut", RowKind::Key, kCtrlChordAction, 0x58, L"", ""},
    {24, "WordCopy", L"Combination", L"Word ", L"Copy(Ctrl+C)", L"Copy", RowKind::Key, kCtrlChordAction, 0x43, L"", ""},
    {25, "WordPaste", L"Combination", L"Word ", L"Paste(Ctrl+V)", L"Paste", RowKind::Key, kCtrlChordAction, 0x56, L"", ""},
    {26, "WordDelete", L"Combination", L"Word ", L"Delete(Del)", L"Delete", RowKind::Key, kSingleKeyAction, 0x2E, L"", ""},
    {27, "WordSearch", L"Combination", L"Word ", L"Search(Ctrl+F)", L"Search", RowKind::Key, kCtrlChordAction, 0x46, L"", ""},
    {28, "WordSelectAll", L"Combination", L"Word ", L"Select All(Ctrl+A)", L"Select All", RowKind::Key, kCtrlChordAction, 0x41, L"", ""},
    {29, "WordRedo", L"Combination", L"Word ", L"Redo(Ctrl+Y)", L"Redo", RowKind::Key, kCtrlChordAction, 0x59, L"", ""},
    {30, "WordUndo", L"Combination", L"Word ", L"Undo(Ctrl+Z)", L"Undo", RowKind::Key, kCtrlChordAction, 0x5A, L"", ""},
    {31, "ArchivesNew", L"Combination", L"Archives ", L"New(Ctrl+N)", L"New", RowKind::Key, kCtrlChordAction, 0x4E, L"", ""},
    {32, "ArchivesOpen", L"Combination", L"Archives ", L"Open(Ctrl+O)", L"Open", RowKind::Key, kCtrlChordAction, 0x4F, L"", ""},
    {33, "ArchivesSave", L"Combination", L"Archives ", L"Save(Ctrl+S)", L"Save", RowKind::Key, kCtrlChordAction, 0x53, L"", ""},
    {34, "ArchivesPrint", L"Combination", L"Archives ", L"Print(Ctrl+P)", L"Print", RowKind::Key, kCtrlChordAction, 0x50, L"", ""},
    {35, "MediaPlayer", L"Multimedia", L"", L"Media Player", L"Media Player", RowKind::Launch, kLaunchAction, 0, L"wmplayer.exe", ""},
    {36, "MediaPreviousTrack", L"Multimedia", L"", L"Previous Track", L"Previous Track", RowKind::Key, kSingleKeyAction, 0xB1, L"", ""},
    {37, "MediaNextTrack", L"Multimedia", L"", L"Next Track", L"Next Track", RowKind::Key, kSingleKeyAction, 0xB0, L"", ""},
    {38, "MediaStop", L"Multimedia", L"", L"Stop", L"Stop", RowKind::Key, kSingleKeyAction, 0xB2, L"", ""},
    {39, "MediaPlayPause", L"Multimedia", L"", L"Play/Pause", L"Play/Pause", RowKind::Key, kSingleKeyAction, 0xB3, L"", ""},
    {40, "MediaMute", L"Multimedia", L"", L"Mute", L"Mute", RowKind::Key, kSingleKeyAction, 0xAD, L"", ""},
    {41, "MediaVolumeUp", L"Multimedia", L"", L"Volume Up", L"Volume Up", RowKind::Key, kSingleKeyAction, 0xAF, L"", ""},
    {42, "MediaVolumeDown", L"Multimedia", L"", L"Volume Down", L"Volume Down", RowKind::Key, kSingleKeyAction, 0xAE, L"", ""},
    {43, "NetBack", L"NetWork", L"", L"Back", L"Back", RowKind::Key, kSingleKeyAction, 0xA6, L"", ""},
    {44, "NetForward", L"NetWork", L"", L"Forward", L"Forward", RowKind::Key, kSingleKeyAction, 0xA7, L"", ""},
    {45, "NetStop", L"NetWork", L"", L"Stop", L"Stop", RowKind::Key, kSingleKeyAction, 0xA9, L"", ""},
    {46, "NetRefresh", L"NetWork", L"", L"Refresh", L"Refresh", RowKind::Key, kSingleKeyAction, 0xA8, L"", ""},
    {47, "NetSearch", L"NetWork", L"", L"Search", L"Search", RowKind::Key, kSingleKeyAction, 0xAA, L"", ""},
    {48, "NetFavorites", L"NetWork", L"", L"Favorites", L"Favorites", RowKind::Key, kSingleKeyAction, 0xAB, L"", ""},
    {49, "NetHomePage", L"NetWork", L"", L"Home Page", L"Home Page", RowKind::Key, kSingleKeyAction, 0xAC, L"", ""},
    {50, "NetMail", L"NetWork", L"", L"Mail", L"Mail", RowKind::Key, kSingleKeyAction, 0xB4, L"", ""},
    {51, "SystemCalculator", L"System", L"", L"Calculator", L"Calculator", RowKind::Launch, kLaunchAction, 0, L"calc.exe", ""},
    {52, "SystemMyComputer", L"System", L"", L"My computer", L"My Computer", RowKind::Key, kWinChordAction, 0x45, L"", ""},
    {53, "SystemStandBy", L"System", L"", L"Stand By", L"Stand By", RowKind::Launch, kLaunchAction, 0, L"#jsjstandby#", ""},
    {531, "SystemSleep", L"System", L"", L"Sleep", L"Sleep", RowKind::Launch, kLaunchAction, 0, L"#jsjsleep#", ""},
    {54, "SystemShutDown", L"System", L"", L"ShutDown", L"ShutDown", RowKind::Launch, kLaunchAction, 0, L"#jsjshutoff#", ""},
    {56, "ScriptTripleShot", L"Run Program", L"", L"TRIPLE SHOT", L"TRIPLE SHOT", RowKind::Script, kScriptAction, 0, L"TRIPLE SHOT.txt", ""},
    {57, "ScriptReverse", L"Run Program", L"", L"CS_REVERSE", L"CS_REVERSE", RowKind::Script, kScriptAction, 0, L"CS_REVERSE.txt", ""},
    {58, "ScriptFourShot", L"Run Program", L"", L"CS_4 SHOT", L"CS_4 SHOT", RowKind::Script, kScriptAction, 0, L"CS_4 SHOT.txt", ""},
    {59, "ScriptMultiShot", L"Run Program", L"", L"CS_MULTI SHOT(40mS)", L"CS_MULTI SHOT(40mS)", RowKind::Script, kScriptAction, 0, L"CS_MULTI SHOT(40mS).txt", ""},
    {60, "ScriptAutomaticShot", L"Run Program", L"", L"CS_AUTOMATIC SHOT", L"CS_AUTOMATIC SHOT", RowKind::Script, kScriptAction, 0, L"CS_AUOTMATIC SHOT.txt", ""},
    {65, "ScriptOfficeDoubleClick", L"Run Program", L"", L"OFFICE_DOUBLE CLICK", L"OFFICE_DOUBLE CLICK", RowKind::Script, kScriptAction, 0, L"OFFICE_DOUBLE CLICK.txt", ""},
    {66, "ScriptLeftButtonDoubleClick", L"Run Program", L"", L"LEFT-BUTTON DBLCLICK", L"LEFT-BUTTON DOUBLE..", RowKind::Script, kScriptAction, 0, L"LEFT-BUTTOM DOUBLE CLICK.txt", ""},
    {67, "ScriptSelectIdleWorker", L"Run Program", L"", L"WC3_SELECT IDLE WORKER", L"WC3_SELECT IDLE WO..", RowKind::Script, kScriptAction, 0, L"WC3_SELECT IDLE WORKER.txt", ""},
}};
// clang-format on

// Whether assigning the row's function to the input named `input` (R, M, X1, X2, WU, WD) gives
// the input its native job back instead of remapping it.
constexpr bool GivesNativeJobBack(const FunctionRow& row, std::string_view input) {
    return row.kind == RowKind::Native || row.nativeFor == input;
}

}  // namespace tressel::testing
