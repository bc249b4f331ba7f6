// Assignments from the function menu: caption, hook and record fields of the selected input,
// the redraw of all six buttons and the save timer, as exact call sequences.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "config/AssignmentCommands.h"
#include "config/FunctionCatalogue.h"
#include "data/FunctionTable.h"
#include "fakes/FakeAssignmentHost.h"

namespace tressel {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using namespace tressel::testing;

const std::vector<std::string> kRedraw = {
    "InvalidateRect(100,350,150,380, no erase)", "InvalidateRect(160,350,210,380, no erase)",
    "InvalidateRect(220,350,270,380, no erase)", "InvalidateRect(280,350,330,380, no erase)",
    "InvalidateRect(340,350,390,380, no erase)", "InvalidateRect(400,350,450,380, no erase)"};

class AssignmentCommandsTest : public ::testing::Test {
  protected:
    AssignmentCommandsTest() : window(log), hooks(log), host(log, window, hooks) {
        for (int i = 0; i < kButtonCount; ++i)
            window.rects[1000 + i] = {200 + i * 60, 400, 250 + i * 60, 430};
        // Leftovers of earlier assignments, which an assignment must keep unless it writes them.
        for (ButtonSetting& r : host.records)
            r = {false, 9, 0x99, 8, L"old target", 7, L"old.txt", L"note"};
    }

    std::vector<std::string> Assign(ButtonId input, FunctionCommand command) {
        host.selectedButton = ToInt(input);
        log.Clear();
        RunAssignmentCommand(host, static_cast<int>(command));
        return log.Entries();
    }
    // The expected log of an assignment: its own steps, then the redraw and the save timer.
    static std::vector<std::string> Steps(std::vector<std::string> own, int delay = 10) {
        own.insert(own.end(), kRedraw.begin(), kRedraw.end());
        own.push_back("SetTimer(7, " + std::to_string(delay) + ")");
        return own;
    }
    static std::string Caption(ButtonId input, const std::string& text) {
        return "SetControlText(" + std::to_string(ControlIdOf(input)) + ", \"" + text + "\")";
    }
    ButtonSetting& Record(ButtonId input) { return host.records[ToIndex(input)]; }
    void Hook(ButtonId input) { Record(input).hooked = true; }

    CallLog log;
    FakeWindowHost window;
    FakeHookLibraries hooks;
    FakeAssignmentHost host;
};

TEST_F(AssignmentCommandsTest, KeyFunctionOnUnhookedInputInstallsOnceAndWritesKeyFieldsOnly) {
    EXPECT_EQ(Assign(ButtonId::R, FunctionCommand::WordCopy),
              Steps({Caption(ButtonId::R, "Copy"), "Install(R, 0x42)"}));
    EXPECT_EQ(Record(ButtonId::R),
              (ButtonSetting{true, CtrlChord, 0x43, 8, L"old target", 1, L"old.txt", L"note"}));

    EXPECT_EQ(Assign(ButtonId::R, FunctionCommand::WordCut), Steps({Caption(ButtonId::R, "Cut")}));
    EXPECT_EQ(Record(ButtonId::R).keyCode, 0x58);
}

TEST_F(AssignmentCommandsTest, PasteTextThenWordPasteChangesOnlyTheCaption) {
    Assign(ButtonId::X1, FunctionCommand::PasteText);
    const ButtonSetting afterPasteText = Record(ButtonId::X1);
    EXPECT_EQ(Assign(ButtonId::X1, FunctionCommand::WordPaste),
              Steps({Caption(ButtonId::X1, "Paste")}));
    EXPECT_EQ(Record(ButtonId::X1), afterPasteText);
    EXPECT_EQ(afterPasteText.keyAction, CtrlChord);
    EXPECT_EQ(afterPasteText.keyCode, 0x56);
}

TEST_F(AssignmentCommandsTest, SameCaptionDifferentFunctionStoresDifferentCodes) {
    Assign(ButtonId::M, FunctionCommand::MediaStop);
    Assign(ButtonId::X2, FunctionCommand::NetStop);
    EXPECT_EQ(window.Text(1001), L"Stop");
    EXPECT_EQ(window.Text(1003), L"Stop");
    EXPECT_EQ(Record(ButtonId::M).keyCode, 0xB2);
    EXPECT_EQ(Record(ButtonId::X2).keyCode, 0xA9);
}

TEST_F(AssignmentCommandsTest, NoSettingsRemovesTheHookOnEveryInputAndWritesNoField) {
    for (ButtonId input : kAllButtons) {
        const std::string name = Describe(input);
        const std::string defaultCaption = Narrow(InfoOf(input).defaultCaption);
        Assign(input, FunctionCommand::WordCopy);
        const ButtonSetting copy = Record(input);

        EXPECT_EQ(Assign(input, FunctionCommand::NoSettings),
                  Steps({Caption(input, defaultCaption), "Remove(" + name + ", 0x42)"}, 1000));
        EXPECT_FALSE(Record(input).hooked);
        ButtonSetting expected = copy;
        expected.hooked = false;
        EXPECT_EQ(Record(input), expected) << name;

        // Not hooked any more: no library call at all.
        EXPECT_EQ(Assign(input, FunctionCommand::NoSettings),
                  Steps({Caption(input, defaultCaption)}, 1000));
    }
}

TEST_F(AssignmentCommandsTest, NativeSelfAssignmentGivesEveryInputItsNativeJobBack) {
    const std::pair<ButtonId, FunctionCommand> natives[] = {
        {ButtonId::R, FunctionCommand::MouseRightButton},
        {ButtonId::M, FunctionCommand::MouseMiddleButton},
        {ButtonId::X1, FunctionCommand::MouseX1Button},
        {ButtonId::X2, FunctionCommand::MouseX2Button},
        {ButtonId::WD, FunctionCommand::MouseWheelDown},
        {ButtonId::WU, FunctionCommand::MouseWheelUp}};
    for (auto [input, command] : natives) {
        const std::string name = Describe(input);
        Assign(input, FunctionCommand::WordCopy);
        EXPECT_EQ(Assign(input, command),
                  Steps({Caption(input, Narrow(InfoOf(input).defaultCaption)),
                         "Remove(" + name + ", 0x42)"}));
        EXPECT_EQ(Record(input),
                  (ButtonSetting{false, CtrlChord, 0x43, 8, L"old target", 1, L"old.txt", L"note"}))
            << name;
    }
}

TEST_F(AssignmentCommandsTest, MouseEventOfAnotherInputRemaps) {
    EXPECT_EQ(Assign(ButtonId::M, FunctionCommand::MouseRightButton),
              Steps({Caption(ButtonId::M, "Right Button"), "Install(M, 0x42)"}));
    EXPECT_EQ(Record(ButtonId::M),
              (ButtonSetting{true, 9, 0x99, RightClick, L"old target", 0, L"old.txt", L"note"}));

    EXPECT_EQ(Assign(ButtonId::WD, FunctionCommand::MouseWheelUp),
              Steps({Caption(ButtonId::WD, "Wheel Up"), "Install(WD, 0x42)"}));
    EXPECT_EQ(Record(ButtonId::WD).mouseAction, WheelUp);
    Assign(ButtonId::WU, FunctionCommand::MouseWheelDown);
    EXPECT_TRUE(Record(ButtonId::WU).hooked);
    EXPECT_EQ(Record(ButtonId::WU).mouseAction, WheelDown);
    // Wheel Up on WU is native: the hook just installed goes again.
    EXPECT_EQ(Assign(ButtonId::WU, FunctionCommand::MouseWheelUp),
              Steps({Caption(ButtonId::WU, "Wheel Up"), "Remove(WU, 0x42)"}));
}

TEST_F(AssignmentCommandsTest, LaunchFunctionsWriteTheTarget) {
    Hook(ButtonId::X2);
    host.selectedButton = ToInt(ButtonId::X2);
    EXPECT_TRUE(RunAssignmentCommand(host, 531));
    EXPECT_EQ(Record(ButtonId::X2),
              (ButtonSetting{true, Launch, 0x99, 8, L"#jsjsleep#", 1, L"old.txt", L"note"}));
    EXPECT_EQ(window.Text(1003), L"Sleep");
}

TEST_F(AssignmentCommandsTest, ScriptFunctionCompilesFirstThenWritesTheScriptFile) {
    EXPECT_EQ(Assign(ButtonId::WD, FunctionCommand::ScriptLeftButtonDoubleClick),
              Steps({"CompileMacroScript(LEFT-BUTTOM DOUBLE CLICK.txt)",
                     Caption(ButtonId::WD, "LEFT-BUTTON DOUBLE.."), "Install(WD, 0x42)"}));
    EXPECT_EQ(Record(ButtonId::WD), (ButtonSetting{true, Script, 0x99, 8, L"old target", 1,
                                                   L"LEFT-BUTTOM DOUBLE CLICK.txt", L"note"}));
}

TEST_F(AssignmentCommandsTest, RunSoftwareStoresTheWholePathAndShowsTheFileName) {
    host.pickedProgram = L"C:\\Program Files\\My Tools\\twenty chars!!!!.exe";
    EXPECT_EQ(Assign(ButtonId::X1, FunctionCommand::RunSoftware),
              Steps({"PickProgramFile", Caption(ButtonId::X1, "twenty chars!!!!.exe"),
                     "Install(X1, 0x42)"}));
    EXPECT_EQ(
        Record(ButtonId::X1),
        (ButtonSetting{true, Launch, 0x99, 8, L"C:\\Program Files\\My Tools\\twenty chars!!!!.exe",
                       1, L"old.txt", L"note"}));

    host.pickedProgram = L"D:\\a\\twenty-one chars!.exe";
    Assign(ButtonId::X1, FunctionCommand::RunSoftware);
    EXPECT_EQ(window.Text(1002), L"twenty-one chars!...");
}

TEST_F(AssignmentCommandsTest, CancelledProgramPickerChangesNothing) {
    Assign(ButtonId::R, FunctionCommand::WordCopy);
    const auto before = host.records;
    host.pickedProgram.reset();
    EXPECT_THAT(Assign(ButtonId::R, FunctionCommand::RunSoftware), ElementsAre("PickProgramFile"));
    EXPECT_EQ(host.records, before);
    EXPECT_EQ(window.Text(1000), L"Copy");
}

TEST_F(AssignmentCommandsTest, IdsWithoutFunctionDoNothing) {
    for (int id : {0, -1, 9, 11, 55, 61, 62, 63, 64, 68, 532, 32784}) {
        host.selectedButton = 1;
        log.Clear();
        EXPECT_FALSE(RunAssignmentCommand(host, id)) << id;
        EXPECT_THAT(log.Entries(), IsEmpty()) << id;
    }
}

TEST_F(AssignmentCommandsTest, NoSelectedInputSkipsToRedrawAndSaveTimer) {
    for (int selected : {0, 7, -1}) {
        host.selectedButton = selected;
        log.Clear();
        RunAssignmentCommand(host, static_cast<int>(FunctionCommand::ScriptTripleShot));
        EXPECT_EQ(log.Entries(), Steps({"CompileMacroScript(TRIPLE SHOT.txt)"}));
    }
    for (const ButtonSetting& r : host.records) EXPECT_FALSE(r.hooked);
    EXPECT_EQ(host.records[0].scriptFile, L"old.txt");
}

TEST_F(AssignmentCommandsTest, EachAssignmentRestartsTheSaveTimer) {
    auto timers = [this](ButtonId input, FunctionCommand command) {
        std::vector<std::string> found;
        for (const std::string& e : Assign(input, command))
            if (e.starts_with("SetTimer") || e.starts_with("KillTimer")) found.push_back(e);
        return found;
    };
    EXPECT_THAT(timers(ButtonId::R, FunctionCommand::WordCopy), ElementsAre("SetTimer(7, 10)"));
    EXPECT_THAT(timers(ButtonId::M, FunctionCommand::ZoomIn), ElementsAre("SetTimer(7, 10)"));
    EXPECT_THAT(timers(ButtonId::M, FunctionCommand::NoSettings), ElementsAre("SetTimer(7, 1000)"));
    EXPECT_THAT(timers(ButtonId::M, FunctionCommand::WordCut), ElementsAre("SetTimer(7, 10)"));
}

TEST_F(AssignmentCommandsTest, RedrawInvalidatesAllSixButtonsInClientCoordinates) {
    RedrawInputButtons(window);
    EXPECT_THAT(log.Entries(), ElementsAreArray(kRedraw));
}

// Every function from every input, hooked or not, with the expectations taken from the table
// written out by hand: one library call at most, the right one, the caption and the stored
// values of the function, every other field and every other input left alone.
TEST_F(AssignmentCommandsTest, EveryFunctionShowsItsCaptionAndStoresItsValuesOnTheSelectedInput) {
    host.pickedProgram = std::wstring(kPickedProgram);
    for (const FunctionRow& row : kFunctionTable) {
        for (ButtonId input : kAllButtons) {
            for (bool hooked : {false, true}) {
                const std::string where = std::string(row.name) + " on " + Describe(input);
                for (ButtonSetting& r : host.records)
                    r = {hooked, 9, 0x99, 8, L"old target", 7, L"old.txt", L"note"};
                const auto before = host.records;
                const auto entries = Assign(input, static_cast<FunctionCommand>(row.id));

                const bool remaps = !GivesNativeJobBack(row, Describe(input));
                ButtonSetting expected = before[ToIndex(input)];
                if (remaps) expected = WithStoredValues(expected, row.stores);
                expected.hooked = remaps;
                const std::wstring caption(remaps ? row.caption : InfoOf(input).defaultCaption);
                EXPECT_EQ(Record(input), expected) << where;
                for (ButtonId other : kAllButtons)
                    if (other != input) {
                        EXPECT_EQ(Record(other), before[ToIndex(other)]) << where;
                    }

                const auto count = [&](std::string_view prefix) {
                    return std::count_if(entries.begin(), entries.end(),
                                         [&](auto& e) { return e.starts_with(prefix); });
                };
                const std::string call = (remaps ? "Install(" : "Remove(") + Describe(input);
                EXPECT_EQ(count("Install(") + count("Remove("), remaps != hooked ? 1 : 0) << where;
                if (remaps != hooked) {
                    EXPECT_EQ(count(call + ", 0x42)"), 1) << where;
                }
                EXPECT_EQ(count("SetControlText"), 1) << where;
                EXPECT_THAT(entries, ::testing::Contains(Caption(input, Narrow(caption)))) << where;
            }
        }
    }
}

}  // namespace
}  // namespace tressel
