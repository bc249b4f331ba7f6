// Every function assigned through the real Tressel.exe's window under Wine: the
// input is selected with a physical click on its button (the function menu that opens is
// dismissed), the function's menu command is delivered to the window, and the input's button and
// its section of the settings file must then show the function's caption and stored values,
// with every field the function does not write left as the previous assignment left it. The
// expectations come from the table of functions written out by hand, never from the program.
#include <windows.h>

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "config/ButtonId.h"
#include "framework/UniqueHandle.h"
#include "data/FunctionTable.h"
#include "wine/support/RunningTresselTest.h"
#include "wine/support/IniSnapshot.h"
#include "wine/support/PhysicalInput.h"
#include "wine/support/PopupMenus.h"
#include "wine/support/Recorder.h"
#include "wine/support/TresselProcess.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kRunSoftware = 22;
constexpr int kWordCopy = 24;

bool ModuleLoaded(DWORD processId, const wchar_t* name) {
    // INVALID_HANDLE_VALUE when it fails, as CreateFileW.
    const UniqueFileHandle snapshot(
        CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, processId));
    if (!snapshot) return false;
    MODULEENTRY32W module{};
    module.dwSize = sizeof module;
    for (BOOL more = Module32FirstW(snapshot.get(), &module); more;
         more = Module32NextW(snapshot.get(), &module))
        if (lstrcmpiW(module.szModule, name) == 0) return true;
    return false;
}

const FunctionRow& Row(int id) {
    for (const FunctionRow& row : kFunctionTable)
        if (row.id == id) return row;
    throw std::out_of_range("no function " + std::to_string(id));
}

// What the input's button and settings section must show, kept up to date assignment by
// assignment from the table of functions written out by hand.
struct ExpectedInput {
    std::wstring caption;
    bool hooked = false;
    int keyAction = 0, keyCode = 0, mouseAction = 0, category = 0;
    std::wstring launchTarget, scriptFile;

    // `native`: the function gives the input its own job back (no field is written).
    void Assign(const FunctionRow& f, const ButtonInfo& input, bool native) {
        caption = native ? std::wstring(input.defaultCaption) : std::wstring(f.caption);
        hooked = !native;
        if (!native) *this = WithStoredValues(*this, f.stores);
    }

    IniSection Section() const {
        IniSection s = {{L"0", caption},
                        {L"1", hooked ? L"1" : L"0"},
                        {L"2", std::to_wstring(keyAction)},
                        {L"3", std::to_wstring(keyCode)},
                        {L"4", std::to_wstring(mouseAction)},
                        {L"5", launchTarget},
                        {L"6", std::to_wstring(category)},
                        {L"8", L""}};
        if (hooked && keyAction == kScriptAction) s[L"7"] = scriptFile;
        return s;
    }
};

class AllFunctionsTest : public RunningTresselTest {
  protected:
    explicit AllFunctionsTest(RunningTresselOptions options = {}) : RunningTresselTest(options) {}

    void TearDown() override {
        for (HWND dialog : OtherDialogs()) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        RunningTresselTest::TearDown();
    }

    bool RoundTrip() const {
        DWORD_PTR ignored = 0;
        return SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 20000, &ignored) != 0;
    }

    std::wstring Caption(int controlId) const {
        wchar_t text[128] = {};
        GetDlgItemTextW(window_, controlId, text, 128);
        return text;
    }

    // Makes `input` the selected one the way a user does: a physical click on its button opens
    // its function menu, which is then dismissed without a choice. Successive clicks alternate
    // between two points, so that no two of them make a double click.
    bool Select(const ButtonInfo& input) const {
        static int shift = 20;
        shift = -shift;
        RECT r{};
        GetWindowRect(GetDlgItem(window_, input.controlId), &r);
        POINT at = CentreOf(r);
        at.x += shift;
        if (!PhysicalInput::MoveTo(at.x, at.y) || !PhysicalInput::Click(x11_button::kLeft))
            return false;
        if (!WaitUntil([&] { return VisibleMenuWindows(app_.Id()).size() == 1; })) {
            std::printf("no function menu opened for control %d\n", input.controlId);
            return false;
        }
        PostMessageW(window_, WM_CANCELMODE, 0, 0);
        return WaitUntil([&] { return VisibleMenuWindows(app_.Id()).empty(); }) && RoundTrip();
    }

    void PostCommand(int id) const { PostMessageW(window_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    // Waits until the input's section in the file is `expected`, as one consistent read.
    bool WaitForSection(const ButtonInfo& input, const IniSection& expected,
                        std::optional<IniSection>& last) const {
        return WaitUntil([&] {
            last = ReadIniSection(iniPath_, std::wstring(input.section));
            return last == expected;
        });
    }

    // Delivers `id` and checks the button and the file; false when the file never got there.
    bool AssignAndCheck(int id, const ButtonInfo& input, ExpectedInput& expected, bool native) {
        const FunctionRow& f = Row(id);
        expected.Assign(f, input, native);
        PostCommand(id);
        std::optional<IniSection> last;
        const bool saved = WaitForSection(input, expected.Section(), last);
        EXPECT_TRUE(saved) << "id " << id << " (" << f.name << "): file holds " << Describe(last)
                           << "; expected " << Describe(expected.Section());
        EXPECT_EQ(Caption(input.controlId), expected.caption)
            << "id " << id << " (" << f.name << ")";
        return saved;
    }

    // Visible top-level dialogs of the program other than its main window.
    std::vector<HWND> OtherDialogs() const {
        struct Context {
            DWORD pid;
            HWND main;
            std::vector<HWND> found;
        } context{app_.Id(), window_, {}};
        EnumWindows(
            [](HWND hwnd, LPARAM l) -> BOOL {
                auto* c = reinterpret_cast<Context*>(l);
                DWORD pid = 0;
                GetWindowThreadProcessId(hwnd, &pid);
                wchar_t cls[32] = {};
                GetClassNameW(hwnd, cls, 32);
                if (pid == c->pid && hwnd != c->main && IsWindowVisible(hwnd) &&
                    lstrcmpW(cls, L"#32770") == 0)
                    c->found.push_back(hwnd);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&context));
        return context.found;
    }
};

TEST_F(AllFunctionsTest, EveryFunctionAssignedToX2ShowsItsCaptionAndStoresItsValues) {
    const ButtonInfo& x2 = InfoOf(ButtonId::X2);
    ASSERT_TRUE(Select(x2));
    ExpectedInput expected;
    expected.caption = std::wstring(x2.defaultCaption);
    const auto began = std::chrono::steady_clock::now();
    std::size_t assigned = 0;
    // In menu order; "Run Software" needs a file dialog and comes last.
    for (const FunctionRow& row : kFunctionTable) {
        if (row.id == kRunSoftware) continue;
        ++assigned;
        if (!AssignAndCheck(row.id, x2, expected, GivesNativeJobBack(row, "X2"))) break;
    }
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - began);
    std::printf("%zu assignments checked in %lld ms\n", assigned,
                static_cast<long long>(took.count()));
    ASSERT_FALSE(HasFailure());

    // "Run Software", cancelled in its file dialog: nothing changes and nothing is saved.
    const auto writtenAt = std::filesystem::last_write_time(std::filesystem::path(iniPath_));
    PostCommand(kRunSoftware);
    std::vector<HWND> dialogs;
    ASSERT_TRUE(WaitUntil([&] {
        dialogs = OtherDialogs();
        return dialogs.size() == 1;
    })) << "no open-file dialog came";
    EXPECT_FALSE(IsWindowEnabled(window_)) << "the file dialog is not modal to the window";
    PostMessageW(dialogs.front(), WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return OtherDialogs().empty() && IsWindowEnabled(window_); }))
        << "the file dialog did not close";
    ASSERT_TRUE(RoundTrip());
    EXPECT_EQ(Caption(x2.controlId), expected.caption);
    // What the picker's shell extensions left behind may still run in the common dialogs
    // library: it stays loaded.
    EXPECT_TRUE(ModuleLoaded(app_.Id(), L"comdlg32.dll")) << "the picker's library was freed";
    // A save would follow a command within 10 ms; give it far longer to show that none comes.
    EXPECT_FALSE(WaitUntil(
        [&] {
            return std::filesystem::last_write_time(std::filesystem::path(iniPath_)) != writtenAt;
        },
        1500ms))
        << "a cancelled program choice saved";
    EXPECT_EQ(ReadIniSection(iniPath_, std::wstring(x2.section)), expected.Section());
}

class FunctionKeysTest : public AllFunctionsTest {
  protected:
    FunctionKeysTest() : AllFunctionsTest({.recorder = true}) {}

    static std::optional<KeyScanCode> ScanCodeOf(unsigned long virtualKey) {
        if (virtualKey == VK_LCONTROL) virtualKey = VK_CONTROL;  // Wine names the left one
        for (const KeyScanCode& key : kKeyScanCodes)
            if (static_cast<unsigned long>(key.virtualKey) == virtualKey) return key;
        return std::nullopt;
    }
};

// Programs that read scan codes (games, remote-desktop clients) must see each key as the
// keyboard sends it: its scan code, and the extended flag of Delete, Windows and the media keys.
TEST_F(FunctionKeysTest, EveryFunctionThatSendsKeysSendsEachWithItsScanCodeAndExtendedFlag) {
    const ButtonInfo& x2 = InfoOf(ButtonId::X2);
    ASSERT_TRUE(Select(x2));
    ExpectedInput expected;
    expected.caption = std::wstring(x2.defaultCaption);
    const UINT pressed = RegisterWindowMessageW(std::wstring(x2.registeredMessage).c_str());
    int functions = 0;
    for (const FunctionRow& row : kFunctionTable) {
        if (row.kind != RowKind::Key) continue;
        ++functions;
        ASSERT_TRUE(AssignAndCheck(row.id, x2, expected, false));
        const std::size_t mark = recorder_.ReadEvents().size();
        const std::size_t keys = row.stores.keyAction == kSingleKeyAction ? 2 : 4;
        Recorder::Events sent;
        PostMessageW(window_, pressed, 0, 0);
        ASSERT_TRUE(recorder_.WaitFor([&](const Recorder::Events& events) {
            sent.clear();
            for (std::size_t i = mark; i < events.size(); ++i)
                if (events[i].kind == RecordedEvent::Key && events[i].injected)
                    sent.push_back(events[i]);
            return sent.size() >= keys;
        })) << row.name
            << ": its keys did not come";
        for (const RecordedEvent& key : sent) {
            const auto scan = ScanCodeOf(key.vk);
            ASSERT_TRUE(scan) << row.name << " sent key " << std::hex << key.vk;
            EXPECT_EQ(key.scan, static_cast<unsigned long>(scan->scanCode))
                << row.name << ", key " << std::hex << key.vk;
            EXPECT_EQ((key.flags & LLKHF_EXTENDED) != 0, scan->extended)
                << row.name << ", key " << std::hex << key.vk;
        }
    }
    EXPECT_EQ(functions, 31);
}

TEST_F(AllFunctionsTest, AnInputsOwnButtonEventGivesItsNativeJobBackKeepingTheStoredValues) {
    const std::vector<std::pair<int, ButtonId>> ownEvents = {
        {13, ButtonId::R},  {14, ButtonId::M},  {15, ButtonId::X1},
        {16, ButtonId::X2}, {17, ButtonId::WU}, {18, ButtonId::WD}};
    for (const auto& [id, button] : ownEvents) {
        const ButtonInfo& input = InfoOf(button);
        ASSERT_TRUE(Select(input)) << "control " << input.controlId;
        ExpectedInput expected;
        ASSERT_TRUE(AssignAndCheck(kWordCopy, input, expected, false));
        ASSERT_TRUE(AssignAndCheck(id, input, expected, true));
        // Copy's values stay stored (category 1, Ctrl chord, C) and the event's own mouse
        // action is not written: the file still holds mouse action 0.
        EXPECT_EQ(expected.caption, input.defaultCaption) << "id " << id;
    }
    // Each input kept its own section: the last one written did not touch the others.
    for (const auto& [id, button] : ownEvents) {
        const ButtonInfo& input = InfoOf(button);
        const auto section = ReadIniSection(iniPath_, std::wstring(input.section));
        ASSERT_TRUE(section.has_value());
        EXPECT_EQ(section->at(L"0"), input.defaultCaption) << Describe(section);
        EXPECT_EQ(section->at(L"1"), L"0") << Describe(section);
        EXPECT_EQ(section->at(L"3"), L"67") << Describe(section);
    }
}

}  // namespace
}  // namespace tressel::testing
