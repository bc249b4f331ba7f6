#include "config/FunctionCatalogue.h"

#include <algorithm>

namespace tressel {
namespace {

// Pairs a FunctionCommand member with its name, so that the two never disagree.
#define TRESSEL_FUNCTION(member) FunctionCommand::member, #member

constexpr MenuPath kTop{};
constexpr MenuPath kMouse{{L"Mouse"}, 1};
constexpr MenuPath kOfficeUsed{{L"Office Used"}, 1};
constexpr MenuPath kWord{{L"Combination", L"Word "}, 2};
constexpr MenuPath kArchives{{L"Combination", L"Archives "}, 2};
constexpr MenuPath kMultimedia{{L"Multimedia"}, 1};
constexpr MenuPath kNetWork{{L"NetWork"}, 1};
constexpr MenuPath kSystem{{L"System"}, 1};
constexpr MenuPath kRunProgram{{L"Run Program"}, 1};

// The fields every row has; the row helpers below add the stored values of their kind.
constexpr FunctionEntry Entry(FunctionCommand command, std::string_view name, const MenuPath& path,
                              std::wstring_view text, CaptionRule rule, std::wstring_view caption,
                              FunctionKind kind) {
    FunctionEntry e{};
    e.command = command;
    e.name = name;
    e.submenu = path;
    e.menuText = text;
    e.captionRule = rule;
    e.caption = caption;
    e.kind = kind;
    return e;
}

constexpr FunctionEntry NativeRow(FunctionCommand command, std::string_view name,
                                  std::wstring_view text) {
    return Entry(command, name, kTop, text, CaptionRule::DefaultCaption, {}, FunctionKind::Native);
}

// Mouse-event menu texts are also their captions.
constexpr FunctionEntry MouseRow(FunctionCommand command, std::string_view name,
                                 std::wstring_view text, MouseAction action,
                                 std::optional<ButtonId> nativeFor = std::nullopt) {
    FunctionEntry e =
        Entry(command, name, kMouse, text, CaptionRule::Fixed, text, FunctionKind::MouseEvent);
    e.mouseAction = action;
    e.nativeFor = nativeFor;
    return e;
}

constexpr FunctionEntry KeyRow(FunctionCommand command, std::string_view name, const MenuPath& path,
                               std::wstring_view text, std::wstring_view caption, KeyAction action,
                               std::uint8_t keyCode) {
    FunctionEntry e =
        Entry(command, name, path, text, CaptionRule::Fixed, caption, FunctionKind::Key);
    e.keyAction = action;
    e.keyCode = keyCode;
    return e;
}

// Launch menu texts are also their captions.
constexpr FunctionEntry LaunchRow(FunctionCommand command, std::string_view name,
                                  const MenuPath& path, std::wstring_view text,
                                  std::wstring_view target) {
    FunctionEntry e =
        Entry(command, name, path, text, CaptionRule::Fixed, text, FunctionKind::FixedLaunch);
    e.keyAction = Launch;
    e.launchTarget = target;
    return e;
}

constexpr FunctionEntry ChosenProgramRow(FunctionCommand command, std::string_view name,
                                         const MenuPath& path, std::wstring_view text) {
    FunctionEntry e = Entry(command, name, path, text, CaptionRule::ChosenFileName, {},
                            FunctionKind::ChosenProgram);
    e.keyAction = Launch;
    return e;
}

constexpr FunctionEntry ScriptRow(FunctionCommand command, std::string_view name,
                                  std::wstring_view text, std::wstring_view caption,
                                  std::wstring_view scriptFile) {
    FunctionEntry e =
        Entry(command, name, kRunProgram, text, CaptionRule::Fixed, caption, FunctionKind::Script);
    e.keyAction = Script;
    e.scriptFile = scriptFile;
    return e;
}

constexpr std::array<FunctionEntry, kFunctionCount> kCatalogue = {{
    NativeRow(TRESSEL_FUNCTION(NoSettings), L"No Settings"),
    MouseRow(TRESSEL_FUNCTION(MouseLeftButton), L"Left Button", LeftClick),
    MouseRow(TRESSEL_FUNCTION(MouseRightButton), L"Right Button", RightClick, ButtonId::R),
    MouseRow(TRESSEL_FUNCTION(MouseMiddleButton), L"Middle Button", MiddleClick, ButtonId::M),
    MouseRow(TRESSEL_FUNCTION(MouseX1Button), L"X1 Button", X1Click, ButtonId::X1),
    MouseRow(TRESSEL_FUNCTION(MouseX2Button), L"X2 Button", X2Click, ButtonId::X2),
    MouseRow(TRESSEL_FUNCTION(MouseWheelUp), L"Wheel Up", WheelUp, ButtonId::WU),
    MouseRow(TRESSEL_FUNCTION(MouseWheelDown), L"Wheel Down", WheelDown, ButtonId::WD),
    KeyRow(TRESSEL_FUNCTION(ZoomIn), kOfficeUsed, L"Zoom In", L"Zoom In", SingleKey, 0x6B),
    KeyRow(TRESSEL_FUNCTION(ZoomOut), kOfficeUsed, L"Zoom Out", L"Zoom Out", SingleKey, 0x6D),
    KeyRow(TRESSEL_FUNCTION(PasteText), kOfficeUsed, L"Paste Text", L"Paste Text", CtrlChord, 0x56),
    ChosenProgramRow(TRESSEL_FUNCTION(RunSoftware), kOfficeUsed, L"Run Software"),
    KeyRow(TRESSEL_FUNCTION(WordCut), kWord, L"Cut(Ctrl+X)", L"Cut", CtrlChord, 0x58),
    KeyRow(TRESSEL_FUNCTION(WordCopy), kWord, L"Copy(Ctrl+C)", L"Copy", CtrlChord, 0x43),
    KeyRow(TRESSEL_FUNCTION(WordPaste), kWord, L"Paste(Ctrl+V)", L"Paste", CtrlChord, 0x56),
    KeyRow(TRESSEL_FUNCTION(WordDelete), kWord, L"Delete(Del)", L"Delete", SingleKey, 0x2E),
    KeyRow(TRESSEL_FUNCTION(WordSearch), kWord, L"Search(Ctrl+F)", L"Search", CtrlChord, 0x46),
    KeyRow(TRESSEL_FUNCTION(WordSelectAll), kWord, L"Select All(Ctrl+A)", L"Select All", CtrlChord,
           0x41),
    KeyRow(TRESSEL_FUNCTION(WordRedo), kWord, L"Redo(Ctrl+Y)", L"Redo", CtrlChord, 0x59),
    KeyRow(TRESSEL_FUNCTION(WordUndo), kWord, L"Undo(Ctrl+Z)", L"Undo", CtrlChord, 0x5A),
    KeyRow(TRESSEL_FUNCTION(ArchivesNew), kArchives, L"New(Ctrl+N)", L"New", CtrlChord, 0x4E),
    KeyRow(TRESSEL_FUNCTION(ArchivesOpen), kArchives, L"Open(Ctrl+O)", L"Open", CtrlChord, 0x4F),
    KeyRow(TRESSEL_FUNCTION(ArchivesSave), kArchives, L"Save(Ctrl+S)", L"Save", CtrlChord, 0x53),
    KeyRow(TRESSEL_FUNCTION(ArchivesPrint), kArchives, L"Print(Ctrl+P)", L"Print", CtrlChord, 0x50),
    LaunchRow(TRESSEL_FUNCTION(MediaPlayer), kMultimedia, L"Media Player", L"wmplayer.exe"),
    KeyRow(TRESSEL_FUNCTION(MediaPreviousTrack), kMultimedia, L"Previous Track", L"Previous Track",
           SingleKey, 0xB1),
    KeyRow(TRESSEL_FUNCTION(MediaNextTrack), kMultimedia, L"Next Track", L"Next Track", SingleKey,
           0xB0),
    KeyRow(TRESSEL_FUNCTION(MediaStop), kMultimedia, L"Stop", L"Stop", SingleKey, 0xB2),
    KeyRow(TRESSEL_FUNCTION(MediaPlayPause), kMultimedia, L"Play/Pause", L"Play/Pause", SingleKey,
           0xB3),
    KeyRow(TRESSEL_FUNCTION(MediaMute), kMultimedia, L"Mute", L"Mute", SingleKey, 0xAD),
    KeyRow(TRESSEL_FUNCTION(MediaVolumeUp), kMultimedia, L"Volume Up", L"Volume Up", SingleKey,
           0xAF),
    KeyRow(TRESSEL_FUNCTION(MediaVolumeDown), kMultimedia, L"Volume Down", L"Volume Down",
           SingleKey, 0xAE),
    KeyRow(TRESSEL_FUNCTION(NetBack), kNetWork, L"Back", L"Back", SingleKey, 0xA6),
    KeyRow(TRESSEL_FUNCTION(NetForward), kNetWork, L"Forward", L"Forward", SingleKey, 0xA7),
    KeyRow(TRESSEL_FUNCTION(NetStop), kNetWork, L"Stop", L"Stop", SingleKey, 0xA9),
    KeyRow(TRESSEL_FUNCTION(NetRefresh), kNetWork, L"Refresh", L"Refresh", SingleKey, 0xA8),
    KeyRow(TRESSEL_FUNCTION(NetSearch), kNetWork, L"Search", L"Search", SingleKey, 0xAA),
    KeyRow(TRESSEL_FUNCTION(NetFavorites), kNetWork, L"Favorites", L"Favorites", SingleKey, 0xAB),
    KeyRow(TRESSEL_FUNCTION(NetHomePage), kNetWork, L"Home Page", L"Home Page", SingleKey, 0xAC),
    KeyRow(TRESSEL_FUNCTION(NetMail), kNetWork, L"Mail", L"Mail", SingleKey, 0xB4),
    LaunchRow(TRESSEL_FUNCTION(SystemCalculator), kSystem, L"Calculator", L"calc.exe"),
    KeyRow(TRESSEL_FUNCTION(SystemMyComputer), kSystem, L"My computer", L"My Computer", WinChord,
           0x45),
    LaunchRow(TRESSEL_FUNCTION(SystemStandBy), kSystem, L"Stand By", L"#jsjstandby#"),
    LaunchRow(TRESSEL_FUNCTION(SystemSleep), kSystem, L"Sleep", L"#jsjsleep#"),
    LaunchRow(TRESSEL_FUNCTION(SystemShutDown), kSystem, L"ShutDown", L"#jsjshutoff#"),
    ScriptRow(TRESSEL_FUNCTION(ScriptTripleShot), L"TRIPLE SHOT", L"TRIPLE SHOT",
              L"TRIPLE SHOT.txt"),
    ScriptRow(TRESSEL_FUNCTION(ScriptReverse), L"CS_REVERSE", L"CS_REVERSE", L"CS_REVERSE.txt"),
    ScriptRow(TRESSEL_FUNCTION(ScriptFourShot), L"CS_4 SHOT", L"CS_4 SHOT", L"CS_4 SHOT.txt"),
    ScriptRow(TRESSEL_FUNCTION(ScriptMultiShot), L"CS_MULTI SHOT(40mS)", L"CS_MULTI SHOT(40mS)",
              L"CS_MULTI SHOT(40mS).txt"),
    // The script file names are the names of the shipped files, spelling included.
    ScriptRow(TRESSEL_FUNCTION(ScriptAutomaticShot), L"CS_AUTOMATIC SHOT", L"CS_AUTOMATIC SHOT",
              L"CS_AUOTMATIC SHOT.txt"),
    ScriptRow(TRESSEL_FUNCTION(ScriptOfficeDoubleClick), L"OFFICE_DOUBLE CLICK",
              L"OFFICE_DOUBLE CLICK", L"OFFICE_DOUBLE CLICK.txt"),
    ScriptRow(TRESSEL_FUNCTION(ScriptLeftButtonDoubleClick), L"LEFT-BUTTON DBLCLICK",
              L"LEFT-BUTTON DOUBLE..", L"LEFT-BUTTOM DOUBLE CLICK.txt"),
    ScriptRow(TRESSEL_FUNCTION(ScriptSelectIdleWorker), L"WC3_SELECT IDLE WORKER",
              L"WC3_SELECT IDLE WO..", L"WC3_SELECT IDLE WORKER.txt"),
}};

#undef TRESSEL_FUNCTION

constexpr bool IdsAreUnique() {
    for (std::size_t i = 0; i < kCatalogue.size(); ++i)
        for (std::size_t j = i + 1; j < kCatalogue.size(); ++j)
            if (kCatalogue[i].command == kCatalogue[j].command) return false;
    return true;
}
static_assert(IdsAreUnique(), "every command id names one function");

constexpr std::size_t kMaxCaptionLength = 20;
constexpr std::size_t kShortenedLength = 18;

bool IsPathSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }
bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

std::span<const FunctionEntry> FunctionCatalogue() { return kCatalogue; }

const FunctionEntry* FindFunction(int commandId) {
    auto it = std::find_if(kCatalogue.begin(), kCatalogue.end(),
                           [commandId](const FunctionEntry& e) { return e.Id() == commandId; });
    return it == kCatalogue.end() ? nullptr : &*it;
}

bool RemapsInput(const FunctionEntry& function, ButtonId input) {
    if (function.kind == FunctionKind::Native) return false;
    return function.nativeFor != input;
}

std::wstring ProgramCaption(std::wstring_view fullPath) {
    const auto separator = std::find_if(fullPath.rbegin(), fullPath.rend(), IsPathSeparator);
    std::wstring_view name = fullPath.substr(fullPath.size() - (separator - fullPath.rbegin()));
    if (name.size() <= kMaxCaptionLength) return std::wstring(name);
    std::size_t keep = kShortenedLength;
    // Never keep half of a surrogate pair: the caption would hold an unpaired code unit.
    if (IsHighSurrogate(name[keep - 1])) --keep;
    return std::wstring(name.substr(0, keep)) + L"..";
}

}  // namespace tressel
