// The window's view of a program's own settings, driven through its programs menu and function
// menu: what the menu offers, adding a program, the boxes of a program's view, "As All
// Programs", "Off in this program", Reset and removal, and what the settings file holds after.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FileDialog.h"
#include "TempFolder.h"
#include "config/FunctionCatalogue.h"

namespace tressel {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;
using namespace tressel::testing;

constexpr int kX1 = 3;
constexpr int kX1Box = 1002;
constexpr int kWordCopy = 24;
constexpr int kWordPaste = static_cast<int>(FunctionCommand::WordPaste);
constexpr int kAsAllPrograms = 32790;
constexpr int kReset = 32784;

struct MenuLine {
    MenuLine(std::wstring t, bool c = false, std::wstring i = {})
        : text(std::move(t)), checked(c), icon(std::move(i)) {}
    std::wstring text;
    bool checked;
    std::wstring icon;
    bool operator==(const MenuLine&) const = default;
    friend void PrintTo(const MenuLine& l, std::ostream* os) {
        *os << Narrow(l.text) << (l.checked ? " (checked)" : "") << " " << Narrow(l.icon);
    }
};
std::vector<MenuLine> Lines(const ProgramsMenu& menu) {
    std::vector<MenuLine> lines;
    for (const ProgramsMenuItem& item : menu)
        lines.push_back({item.id == 0 && item.submenu.empty() ? L"--" : item.text, item.checked,
                         item.iconFile});
    return lines;
}

// X1 copies for all programs; notepad and an editor have windows.
class ProgramViewTest : public ::testing::Test {
  protected:
    ProgramViewTest() {
        app.dialog.OnInitDialog();
        app.Assign(kX1, kWordCopy);
        app.dialog.OnTimer(kSaveTimerId);
        app.shell.running = {{L"Notepad.exe", L"C:\\Windows\\Notepad.exe"},
                             {L"editor.exe", L"C:\\Tools\\editor.exe"}};
    }
    void Pick(const std::wstring& text) {
        app.shell.programsPick = text;
        app.dialog.OnProgramsButtonClicked();
    }
    Colour ColourOf(int control) {
        const std::string prefix = "SetCaptionColour(" + std::to_string(control) + ", ";
        std::string last;
        for (const std::string& e : app.log.Entries())
            if (e.rfind(prefix, 0) == 0) last = e.substr(prefix.size());
        return static_cast<Colour>(std::stoul(last, nullptr, 16));
    }
    std::wstring Saved(const wchar_t* section, const wchar_t* key) {
        app.dialog.OnTimer(kSaveTimerId);
        return app.Read(section, key);
    }

    TempFolder temp{"programview"};
    FileDialog app{temp.Path()};
};

TEST_F(ProgramViewTest, TheMenuOffersTheListedProgramsThenTheOnesWithWindowsThenTheShownOnesWays) {
    Pick(L"Notepad.exe");
    app.shell.running.push_back({L"B.exe", L""});
    Pick(L"");
    EXPECT_EQ(Lines(app.shell.programsMenu),
              (std::vector<MenuLine>{{L"All programs"},
                                     {L"notepad.exe", true, L"C:\\Windows\\Notepad.exe"},
                                     {L"--"},
                                     {L"Add a program"},
                                     {L"--"},
                                     {L"Off in this program"},
                                     {L"Remove this program's settings"}}));
    // Already listed programs are not offered again; the others go by name.
    EXPECT_EQ(Lines(app.shell.programsMenu[3].submenu),
              (std::vector<MenuLine>{{L"B.exe"},
                                     {L"editor.exe", false, L"C:\\Tools\\editor.exe"},
                                     {L"--"},
                                     {L"Browse\u2026"}}));
    Pick(L"All programs");
    Pick(L"");
    EXPECT_EQ(Lines(app.shell.programsMenu).size(), 4u);  // nothing to remove in all programs
    EXPECT_TRUE(app.shell.programsMenu[0].checked);
}

TEST_F(ProgramViewTest, AProgramsOwnFunctionIsEditedBesideTheDimmedOnesOfAllPrograms) {
    Pick(L"Notepad.exe");
    EXPECT_EQ(app.window.Text(kProgramsControlId), L"notepad.exe");
    EXPECT_EQ(app.window.Text(kX1Box), L"Copy");
    EXPECT_EQ(ColourOf(kX1Box), kInheritedCaptionColour);
    EXPECT_EQ(Saved(L"Programs", L"1"), L"notepad.exe");  // listed as soon as added

    app.window.rects[kX1Box] = {500, 300, 700, 320};
    app.dialog.OnInputButtonClicked(kX1Box);
    EXPECT_THAT(app.log.Entries(), Contains("ShowFunctionMenu(515,322, as all programs)"));
    app.dialog.OnCommand(kWordPaste);
    EXPECT_EQ(app.window.Text(kX1Box), L"Paste");
    EXPECT_EQ(ColourOf(kX1Box), kCaptionColour);
    EXPECT_EQ(Saved(L"X1ButtonSetting:notepad.exe", L"3"), L"86");
    EXPECT_EQ(app.Read(L"X1ButtonSetting", L"0"), L"Copy");  // all programs' stay as they were
    EXPECT_EQ(app.Read(L"X1ButtonSetting", L"3"), L"67");

    app.dialog.OnForegroundChanged({.fileName = L"NOTEPAD.EXE", .since = 5});
    EXPECT_EQ(app.dialog.Record(ButtonId::X1).keyCode, 0x56);

    app.dialog.OnCommand(kAsAllPrograms);
    EXPECT_EQ(app.window.Text(kX1Box), L"Copy");
    EXPECT_EQ(ColourOf(kX1Box), kInheritedCaptionColour);
    EXPECT_EQ(Saved(L"X1ButtonSetting:notepad.exe", L"0"), L"<absent>");
    EXPECT_EQ(app.Read(L"Programs", L"1"), L"notepad.exe");

    Pick(L"All programs");
    EXPECT_EQ(app.window.Text(kProgramsControlId), L"All programs");
    EXPECT_EQ(app.window.Text(kX1Box), L"Copy");
    EXPECT_EQ(ColourOf(kX1Box), kCaptionColour);
    app.dialog.OnInputButtonClicked(kX1Box);
    EXPECT_THAT(app.log.Entries(), Contains("ShowFunctionMenu(515,322)"));
}

TEST_F(ProgramViewTest, OffResetAndRemoveChangeOnlyTheProgramShown) {
    app.shell.pickedFile = L"C:\\Games\\Game.EXE";
    Pick(L"Browse\u2026");
    EXPECT_EQ(app.window.Text(kProgramsControlId), L"game.exe");

    Pick(L"Off in this program");
    for (ButtonId input : kAllButtons) {
        EXPECT_EQ(app.window.Text(ControlIdOf(input)), InfoOf(input).defaultCaption);
        EXPECT_EQ(ColourOf(ControlIdOf(input)), kCaptionColour);
    }
    EXPECT_EQ(Saved(L"WUButtonSetting:game.exe", L"1"), L"0");
    app.dialog.OnForegroundChanged({.fileName = L"game.exe", .since = 5});
    EXPECT_TRUE(app.dialog.InputPasses(ButtonId::X1));
    // A press its hook took a moment before it let X1 pass here does X1's own click, past the
    // hook rather than with the hook lifted.
    app.log.Clear();
    app.dialog.OnButtonMessage(ButtonId::X1, 5);
    EXPECT_THAT(app.log.Entries(), Contains(HasSubstr("data=2 flags=0x80 ")));
    EXPECT_THAT(app.log.Entries(), Contains(HasSubstr("data=2 flags=0x100 ")));
    EXPECT_THAT(app.log.Entries(), Not(Contains(HasSubstr("Remove(X1"))));

    app.dialog.OnCommand(kReset);
    EXPECT_EQ(app.window.Text(kX1Box), L"Copy");
    EXPECT_EQ(ColourOf(kX1Box), kInheritedCaptionColour);
    EXPECT_FALSE(app.dialog.InputPasses(ButtonId::X1));
    EXPECT_EQ(app.Read(L"X1ButtonSetting:game.exe", L"1"), L"<absent>");
    EXPECT_EQ(app.Read(L"X1ButtonSetting", L"0"), L"Copy");
    EXPECT_EQ(app.Read(L"Programs", L"1"), L"game.exe");

    Pick(L"Remove this program's settings");
    EXPECT_EQ(app.window.Text(kProgramsControlId), L"All programs");
    EXPECT_EQ(app.window.Text(kX1Box), L"Copy");
    EXPECT_EQ(Saved(L"Programs", L"1"), L"<absent>");
}

}  // namespace
}  // namespace tressel
