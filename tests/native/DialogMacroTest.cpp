// Macros through the dialog: a script press starts the input's worker, the macro timers play
// on the dialog's own thread, and an assignment compiles the script of the selected input.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/DialogFixture.h"
#include "macros/MacroLineList.h"

namespace tressel {
namespace {

using ::testing::ElementsAre;
using namespace tressel::testing;

class DialogMacroTest : public ::testing::Test, protected DialogFixture {
  protected:
    ~DialogMacroTest() override {
        threads.JoinAll();
        for (ButtonId id : kAllButtons) MacroLinesOf(id).Clear();
    }
    static std::string KeyDown(unsigned vk) {
        return "SendInput[" + Describe(InputRecord::KeyEvent(static_cast<std::uint16_t>(vk), 0)) +
               "]";
    }
};

TEST_F(DialogMacroTest, ScriptPressPlaysTheInputsListOnAWorker) {
    dialog.Record(ButtonId::X2) = {true, Script, 0, 0, L"", KeyOrCommand, L"", L""};
    MacroLinesOf(ButtonId::X2).Publish({"j 17"});
    log.Clear();
    dialog.OnButtonMessage(ButtonId::X2);
    threads.JoinAll();
    EXPECT_THAT(log.Entries(),
                ElementsAre("CreateSuspended -> #1", "Resume(#1)", KeyDown(17), "ReleaseSelf(#1)"));
}

TEST_F(DialogMacroTest, MacroTimersPlayOnTheDialogThreadWithTheirOwnInputMapping) {
    MacroLinesOf(ButtonId::WU).Publish({"j 65"});
    MacroLinesOf(ButtonId::X1).Publish({"j 66"});
    log.Clear();
    dialog.OnTimer(3);  // 3 plays WU, not X1
    EXPECT_THAT(log.Entries(), ElementsAre("KillTimer(3)", KeyDown(65)));
    log.Clear();
    dialog.OnTimer(5);
    EXPECT_THAT(log.Entries(), ElementsAre("KillTimer(5)", KeyDown(66)));
    log.Clear();
    dialog.OnTimer(8);
    EXPECT_THAT(log.Entries(), ElementsAre());
}

TEST_F(DialogMacroTest, CompilingWithoutASelectedInputTouchesNoList) {
    MacroLinesOf(ButtonId::R).Publish({"a"});
    dialog.selectedButton = 0;
    dialog.CompileMacroScript(L"TRIPLE SHOT.txt");
    EXPECT_EQ(MacroLinesOf(ButtonId::R).Count(), 1u);
    // With an input selected, the list is emptied first; no such folder leaves it empty.
    dialog.selectedButton = 1;
    dialog.CompileMacroScript(L"TRIPLE SHOT.txt");
    EXPECT_EQ(MacroLinesOf(ButtonId::R).Count(), 0u);
}

// A script that plays nothing is told, never silent: at once once the tray icon exists, and
// right after the icon is added when it was refused while the settings loaded, where one balloon
// tells the first and counts the others.
TEST_F(DialogMacroTest, AScriptThatCannotBeLoadedIsToldInABalloonOnceTheIconExists) {
    const auto balloon = [](const std::string& script, const std::string& others) {
        return "ShowTrayBalloon(Tressel: macro script not loaded: The macro script \"" + script +
               "\" could not be opened. The input plays nothing." + others + ")";
    };
    const struct {
        int refused;  // as the settings load, before the icon
        std::string others;
    } rows[] = {
        {1, ""},
        {2, " 1 other macro script was not loaded either."},
        {3, " 2 other macro scripts were not loaded either."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.refused);
        DialogFixture app;
        for (int input = 2; input < 2 + row.refused; ++input) {
            app.dialog.selectedButton = input;
            app.dialog.CompileMacroScript(L"GONE" + std::to_wstring(input) + L".txt");
        }
        app.dialog.OnInitDialog();
        const auto entries = app.log.Entries();
        const auto icon = std::find(entries.begin(), entries.end(), "AddTrayIcon");
        ASSERT_NE(icon, entries.end());
        std::vector<std::string> balloons;
        for (auto entry = entries.begin(); entry != entries.end(); ++entry)
            if (entry->starts_with("ShowTrayBalloon")) {
                EXPECT_GT(entry, icon) << "a balloon before the icon";
                balloons.push_back(*entry);
            }
        EXPECT_THAT(balloons, ElementsAre(balloon("GONE2.txt", row.others)));
    }

    dialog.OnInitDialog();
    log.Clear();
    dialog.selectedButton = 2;
    dialog.CompileMacroScript(L"GONE.txt");
    EXPECT_THAT(log.Entries(), ElementsAre(balloon("GONE.txt", "")));
}

}  // namespace
}  // namespace tressel
