// Programs' own settings in the settings file: which sections are a program's, what is read
// from a file written by hand, and that a save keeps the six sections of all programs as an
// older program reads them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SettingsFileFixture.h"
#include "programs/ProgramFileName.h"
#include "programs/ProgramSettingsFile.h"

namespace tressel {
namespace {

using ::testing::ElementsAre;
using namespace tressel::testing;

TEST(ProgramSectionNameTest, NamesAProgramOnlyWithAnInputSectionAColonAndAFileName) {
    struct Case {
        const wchar_t* section;
        std::optional<ButtonId> input;
        const wchar_t* fileName;
    };
    const Case cases[] = {
        {L"X1ButtonSetting:notepad.exe", ButtonId::X1, L"notepad.exe"},
        {L"x1buttonsetting:NOTEPAD.EXE", ButtonId::X1, L"notepad.exe"},
        {L"RButtonSetting:My Editor.exe", ButtonId::R, L"my editor.exe"},
        {L"WUButtonSetting:ΚΕΊΜΕΝΟ Блокнот.EXE", ButtonId::WU, L"κείμενο блокнот.exe"},
        {L"WDButtonSetting:Ärger.exe", ButtonId::WD, L"ärger.exe"},
        {L"X1ButtonSetting:", std::nullopt, L""},
        {L"X1ButtonSetting: . ", std::nullopt, L""},
        {L"X1ButtonSetting:C:\\Tools\\x.exe", std::nullopt, L""},
        {L"X1ButtonSetting:a|b.exe", std::nullopt, L""},
        {L"X3ButtonSetting:notepad.exe", std::nullopt, L""},
        {L"X1ButtonSetting", std::nullopt, L""},
        {L"Programs", std::nullopt, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.section));
        const std::optional<ProgramSection> parsed = ParseProgramSection(c.section);
        ASSERT_EQ(parsed.has_value(), c.input.has_value());
        if (!parsed) continue;
        EXPECT_EQ(parsed->input, *c.input);
        EXPECT_EQ(parsed->fileName, c.fileName);
    }
}

TEST(ProgramFileNameTest, FoldsTheLettersOfEveryScriptAProgramNameIsWrittenIn) {
    EXPECT_EQ(FoldProgramName(L"ÀÉÎÕÜ×Þ ĀĹŇŸŽ İ"), L"àéîõü×þ āĺňÿž İ");
    EXPECT_EQ(FoldProgramName(L"ΆΈΊΌΎΏΑΩΫ"), L"άέίόύώαωϋ");
    EXPECT_EQ(FoldProgramName(L"ЀЏАЯ 記事本"), L"ѐџая 記事本");
    EXPECT_EQ(ProgramFileName(L"C:\\Program Files\\Editor\\EDITOR.exe"), L"editor.exe");
}

class ProgramSettingsFileTest : public SettingsFileFixture {};

TEST_F(ProgramSettingsFileTest,
       AHandWrittenFileGivesListedProgramsThenUnlistedOnesWithTheirSections) {
    WriteFileBytes(path,
                   "[Programs]\r\n1=Editor.exe\r\n2=listed only.exe\r\n3=C:\\bad|name\r\n"
                   "[X1ButtonSetting:EDITOR.EXE]\r\n0=Paste\r\n1=1\r\n2=2\r\n3=86\r\n6=1\r\n"
                   "[MButtonSetting:game.exe]\r\n0=M Button\r\n1=0\r\n"
                   "[x1buttonsetting:editor.exe]\r\n0=second of the same\r\n1=1\r\n"
                   "[X1ButtonSetting:]\r\n1=1\r\n");
    const ProgramSettingsTable table = ReadProgramSettings(profiles, path);
    ASSERT_EQ(table.Programs().size(), 3u);
    EXPECT_EQ(table.Programs()[0].fileName, L"editor.exe");
    EXPECT_EQ(table.Programs()[1].fileName, L"listed only.exe");
    EXPECT_EQ(table.Programs()[2].fileName, L"game.exe");
    const ButtonSetting* paste = table.OwnRecord(L"Editor.exe", ButtonId::X1);
    ASSERT_NE(paste, nullptr);
    EXPECT_TRUE(paste->hooked);
    EXPECT_EQ(paste->keyAction, CtrlChord);
    EXPECT_EQ(paste->keyCode, 86);
    EXPECT_EQ(table.Programs()[0].Own(ButtonId::X1)->caption, L"Paste");
    EXPECT_EQ(table.OwnRecord(L"editor.exe", ButtonId::R), nullptr);
    ASSERT_NE(table.OwnRecord(L"game.exe", ButtonId::M), nullptr);
    EXPECT_FALSE(table.OwnRecord(L"game.exe", ButtonId::M)->hooked);  // native there
    EXPECT_TRUE(table.RemapsAnywhere(ButtonId::X1));
    EXPECT_FALSE(table.RemapsAnywhere(ButtonId::M));
}

TEST_F(ProgramSettingsFileTest, ASaveWritesProgramsAfterTheSixAndDropsTheSectionsOfRemovedOnes) {
    WriteFileBytes(path,
                   "[Mine]\r\na=b\r\n[X2ButtonSetting:old.exe]\r\n0=Copy\r\n1=1\r\n"
                   "[RButtonSetting]\r\n0=Back\r\n1=1\r\n");
    ProgramSettingsTable table = ReadProgramSettings(profiles, path);
    table.Remove(L"OLD.exe");
    ProgramSettings* editor = table.Add(L"Editor.exe");
    ButtonSetting paste;
    paste.hooked = true;
    paste.category = KeyOrCommand;
    paste.keyAction = CtrlChord;
    paste.keyCode = 86;
    editor->Own(ButtonId::X1) = StoredInput{L"Paste", paste};
    table.Add(L"viewer.exe");
    ASSERT_TRUE(WriteButtonSections(host, profiles, path));
    ASSERT_TRUE(WriteProgramSettings(table, profiles, path));

    std::vector<std::wstring> headers;
    for (const std::wstring& line : FileLines())
        if (!line.empty() && line.front() == L'[') headers.push_back(line);
    EXPECT_THAT(headers,
                ElementsAre(L"[Mine]", L"[RButtonSetting]", L"[MButtonSetting]",
                            L"[X1ButtonSetting]", L"[X2ButtonSetting]", L"[WDButtonSetting]",
                            L"[WUButtonSetting]", L"[Programs]", L"[X1ButtonSetting:editor.exe]"));
    EXPECT_THAT(SectionLines(L"Programs"),
                ElementsAre(L"[Programs]", L"1=editor.exe", L"2=viewer.exe"));

    // What the loader of all programs alone reads is what the six sections hold.
    const StoredSettings six = ReadButtonSettings(profiles, path);
    EXPECT_EQ(six[ToIndex(ButtonId::X1)].record, host.Record(ButtonId::X1));
    const ProgramSettingsTable again = ReadProgramSettings(profiles, path);
    ASSERT_EQ(again.Programs().size(), 2u);
    EXPECT_EQ(*again.OwnRecord(L"editor.exe", ButtonId::X1), paste);
}

TEST_F(ProgramSettingsFileTest, AFileWithoutProgramsGetsNoTraceOfThem) {
    WriteFileBytes(path, "[RButtonSetting]\r\n0=Back\r\n");
    const std::string before = FileBytes(path);
    ASSERT_TRUE(WriteProgramSettings(ProgramSettingsTable{}, profiles, path));
    EXPECT_EQ(FileBytes(path), before);
}

}  // namespace
}  // namespace tressel
