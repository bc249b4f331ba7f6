// Saving the settings file: the written form, what survives a save, the crash-safe replace
// through a temporary copy, the in-place fallback, keeping an unread file aside, and what a
// failed save reports.
#include <gmock/gmock.h>

#include "SettingsFileFixture.h"

namespace tressel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class SettingsFileSaveTest : public SettingsFileFixture {
  protected:
    void AssignCopyToR() {
        host.captions = {L"Copy",      L"Middle Button", L"X1 Button",
                         L"X2 Button", L"Wheel Down",    L"Wheel Up"};
        Record(ButtonId::R) = {true, CtrlChord, 0x43, 0, L"", KeyOrCommand, L"", L""};
    }
};

TEST_F(SettingsFileSaveTest, NewFileHoldsEverySectionInOrderAsUnicode) {
    AssignCopyToR();
    ASSERT_TRUE(Save());
    EXPECT_EQ(FileBytes(path).substr(0, 2), "\xFF\xFE");
    EXPECT_THAT(SectionLines(L"RButtonSetting"),
                ElementsAre(L"[RButtonSetting]", L"0=Copy", L"1=1", L"2=2", L"3=67", L"4=0", L"5=",
                            L"6=1", L"8="));
    std::vector<std::wstring> headers;
    for (const std::wstring& line : FileLines()) {
        if (line.front() == L'[') headers.push_back(line);
    }
    EXPECT_THAT(headers,
                ElementsAre(L"[RButtonSetting]", L"[MButtonSetting]", L"[X1ButtonSetting]",
                            L"[X2ButtonSetting]", L"[WDButtonSetting]", L"[WUButtonSetting]"));
    EXPECT_FALSE(FileExists(temp));
}

TEST_F(SettingsFileSaveTest, CallSequenceBuildsTheTemporaryFileAndRenamesItLast) {
    AssignCopyToR();
    ASSERT_TRUE(Save());
    const std::vector<std::string> entries = log.Entries();
    ASSERT_EQ(entries.size(), 2u + 6u * 9u + 3u);
    EXPECT_THAT(std::vector<std::string>(entries.begin(), entries.begin() + 11),
                ElementsAre("Exists(ZornSetting.ini)", "CreateUnicodeFile(ZornSetting.ini.tmp)",
                            "Write(ZornSetting.ini.tmp,RButtonSetting)",
                            "Write(ZornSetting.ini.tmp,RButtonSetting,0=Copy)",
                            "Write(ZornSetting.ini.tmp,RButtonSetting,1=1)",
                            "Write(ZornSetting.ini.tmp,RButtonSetting,2=2)",
                            "Write(ZornSetting.ini.tmp,RButtonSetting,3=67)",
                            "Write(ZornSetting.ini.tmp,RButtonSetting,4=0)",
                            "Write(ZornSetting.ini.tmp,RButtonSetting,5=)",
                            "Write(ZornSetting.ini.tmp,RButtonSetting,6=1)",
                            "Write(ZornSetting.ini.tmp,RButtonSetting,8=)"));
    EXPECT_THAT(std::vector<std::string>(entries.end() - 3, entries.end()),
                ElementsAre("Flush(ZornSetting.ini.tmp)", "FlushToDisk(ZornSetting.ini.tmp)",
                            "ReplaceAtomically(ZornSetting.ini.tmp,ZornSetting.ini)"));
}

TEST_F(SettingsFileSaveTest, LoadedValuesAreWrittenBackNormalised) {
    WriteFileBytes(path,
                   "[RButtonSetting]\r\n0=\"   Copy  \"\r\n1=7\r\n2=2\r\n3=300\r\n6=1\r\n"
                   "8=\"  kept note \"\r\n9=hand-added key\r\n");
    Load();
    log.Clear();
    ASSERT_TRUE(Save());
    EXPECT_THAT(SectionLines(L"RButtonSetting"),
                ElementsAre(L"[RButtonSetting]", L"0=Copy", L"1=1", L"2=2", L"3=44", L"4=0", L"5=",
                            L"6=1", L"8=kept note"));
}

TEST_F(SettingsFileSaveTest, KeySevenIsWrittenOnlyForAHookedScript) {
    WriteFileBytes(path,
                   "[RButtonSetting]\r\n1=0\r\n2=6\r\n7=TRIPLE SHOT.txt\r\n"
                   "[MButtonSetting]\r\n1=1\r\n2=6\r\n7=CS_REVERSE.txt\r\n");
    Load();
    ASSERT_TRUE(Save());
    EXPECT_THAT(SectionLines(L"RButtonSetting"),
                ElementsAre(L"[RButtonSetting]", L"0=Right Button", L"1=0", L"2=6", L"3=0", L"4=0",
                            L"5=", L"6=0", L"8="));
    EXPECT_THAT(SectionLines(L"MButtonSetting"),
                ElementsAre(L"[MButtonSetting]", L"0=Middle Button", L"1=1", L"2=6", L"3=0", L"4=0",
                            L"5=", L"6=0", L"7=CS_REVERSE.txt", L"8="));
}

TEST_F(SettingsFileSaveTest, HandAddedSectionsSurviveAndAnAnsiFileStaysAnsi) {
    WriteFileBytes(path, "; my notes\r\n[Mine]\r\nkeep=J\xF6rg\r\n[RButtonSetting]\r\n0=Old\r\n");
    Load();
    ASSERT_TRUE(Save());
    const std::string bytes = FileBytes(path);
    ASSERT_NE(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(
        bytes.rfind("; my notes\r\n[Mine]\r\nkeep=J\xF6rg\r\n[RButtonSetting]\r\n0=Old\r\n", 0),
        0u);
    EXPECT_THAT(log.Entries(), ::testing::Contains("Copy(ZornSetting.ini,ZornSetting.ini.tmp)"));
}

TEST_F(SettingsFileSaveTest, NonAnsiTextSurvivesSaveAndLoadInANewFile) {
    const std::wstring target = L"C:\\Users\\J\u00f6rg\\\u5de5\u5177\\app.exe";
    Record(ButtonId::WD) = {true,   Launch,       0,   0,
                            target, KeyOrCommand, L"", L"\u00e9t\u00e9 \U0001F600"};
    host.captions[ToIndex(ButtonId::WD)] = L"\u5de5\u5177";
    ASSERT_TRUE(Save());
    const auto saved = host.records;
    host.records = {};
    Load();
    EXPECT_EQ(host.records, saved);
    EXPECT_EQ(host.captions[ToIndex(ButtonId::WD)], L"\u5de5\u5177");
}

TEST_F(SettingsFileSaveTest, StaleTemporaryFileFromACrashIsReplaced) {
    WriteFileBytes(temp, "[RButtonSetting]\r\n0=half writ");
    AssignCopyToR();
    ASSERT_TRUE(Save());
    EXPECT_EQ(SectionLines(L"RButtonSetting").at(1), L"0=Copy");
    EXPECT_FALSE(FileExists(temp));
}

struct FailingStep {
    const char* operation;
    SaveFailure failure;
};
// Printed by name, so that the test's name stays the same from build to build.
void PrintTo(const FailingStep& step, std::ostream* out) { *out << step.operation; }

class SettingsFileSaveFailureTest : public SettingsFileSaveTest,
                                    public ::testing::WithParamInterface<FailingStep> {};

TEST_P(SettingsFileSaveFailureTest, LeavesTheFileUntouchedRemovesTheCopyAndSaysWhere) {
    const std::string original = "[RButtonSetting]\r\n0=Old\r\n1=0\r\n";
    WriteFileBytes(path, original);
    AssignCopyToR();
    if (std::string(GetParam().operation) == "Write")
        profiles.failWrites = true;
    else
        files.failing = {GetParam().operation};
    EXPECT_EQ(Save().failure, GetParam().failure);
    EXPECT_EQ(FileBytes(path), original);
    EXPECT_FALSE(FileExists(temp));
    EXPECT_EQ(log.Entries().back(), "Remove(ZornSetting.ini.tmp)");
}

INSTANTIATE_TEST_SUITE_P(EachStep, SettingsFileSaveFailureTest,
                         ::testing::Values(FailingStep{"Write", SaveFailure::WriteCopy},
                                           FailingStep{"FlushToDisk", SaveFailure::Replace},
                                           FailingStep{"ReplaceAtomically", SaveFailure::Replace}),
                         [](const auto& info) { return std::string(info.param.operation); });

// A folder that takes no new file (read-only, say) while the file itself is writable.
TEST_F(SettingsFileSaveTest, WithoutATemporaryCopyTheFileIsWrittenInPlace) {
    WriteFileBytes(path, "[Mine]\r\nkeep=1\r\n[RButtonSetting]\r\n0=Old\r\n");
    AssignCopyToR();
    files.failing = {"Copy"};
    const SaveResult result = Save();
    EXPECT_TRUE(result.Saved());
    EXPECT_TRUE(result.inPlace);
    EXPECT_FALSE(FileExists(temp));
    EXPECT_THAT(SectionLines(L"Mine"), ElementsAre(L"[Mine]", L"keep=1"));
    EXPECT_EQ(SectionLines(L"RButtonSetting").at(1), L"0=Copy");
    const std::vector<std::string> entries = log.Entries();
    ASSERT_GE(entries.size(), 6u);
    EXPECT_THAT(
        std::vector<std::string>(entries.begin(), entries.begin() + 5),
        ElementsAre("Exists(ZornSetting.ini)", "CanWrite(ZornSetting.ini)",
                    "Copy(ZornSetting.ini,ZornSetting.ini.tmp)", "Remove(ZornSetting.ini.tmp)",
                    "Write(ZornSetting.ini,RButtonSetting)"));
    EXPECT_THAT(std::vector<std::string>(entries.end() - 2, entries.end()),
                ElementsAre("Flush(ZornSetting.ini)", "FlushToDisk(ZornSetting.ini)"));

    // Neither a copy nor the file itself can be written: reported, no copy left.
    log.Clear();
    profiles.failWrites = true;
    const SaveResult failed = Save();
    EXPECT_EQ(failed.failure, SaveFailure::WriteInPlace);
    EXPECT_TRUE(failed.inPlace);
    EXPECT_FALSE(FileExists(temp));
}

// A file that could not be read at load holds settings the program never saw: the first save
// moves it to a free backup name, never over an earlier backup, or saves nothing.
TEST_F(SettingsFileSaveTest, AnUnreadFileIsKeptAsideUnderAFreeBackupName) {
    const std::string unread = "[RButtonSetting]\r\n0=Users own\r\n";
    const std::string earlierBackup = "earlier backup";
    WriteFileBytes(path + L".bak", earlierBackup);
    WriteFileBytes(path, unread);
    AssignCopyToR();
    const SaveResult result = Save(true);
    EXPECT_TRUE(result.Saved());
    EXPECT_EQ(result.keptAsideAs, path + L".bak2");
    EXPECT_EQ(FileBytes(path + L".bak"), earlierBackup);
    EXPECT_EQ(FileBytes(path + L".bak2"), unread);
    EXPECT_EQ(FileBytes(path).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(SectionLines(L"RButtonSetting").at(1), L"0=Copy");
    EXPECT_THAT(log.Entries(),
                ::testing::Contains("RenameNoReplace(ZornSetting.ini,ZornSetting.ini.bak2)"));

    // With .bak to .bak8 taken, the last free name is .bak9.
    for (int n = 3; n <= 8; ++n) WriteFileBytes(path + L".bak" + std::to_wstring(n), earlierBackup);
    WriteFileBytes(path, unread);
    EXPECT_EQ(Save(true).keptAsideAs, path + L".bak9");
    EXPECT_EQ(FileBytes(path + L".bak9"), unread);

    // Every backup name taken: nothing is written, and the file stays as it is.
    WriteFileBytes(path, unread);
    log.Clear();
    EXPECT_EQ(Save(true).failure, SaveFailure::KeepAside);
    EXPECT_EQ(FileBytes(path), unread);
    EXPECT_FALSE(FileExists(temp));
}

TEST_F(SettingsFileSaveTest, OnlyAFileThatExistsButCannotBeReadIsUnreadable) {
    EXPECT_FALSE(SettingsFileUnreadable(files, path));  // missing: nothing to lose
    WriteFileBytes(path, "[RButtonSetting]\r\n");
    EXPECT_FALSE(SettingsFileUnreadable(files, path));
    files.failing = {"CanRead"};
    EXPECT_TRUE(SettingsFileUnreadable(files, path));
}

TEST_F(SettingsFileSaveTest, FailureToCreateANewFileLeavesNoFile) {
    files.failing = {"CreateUnicodeFile"};
    EXPECT_EQ(Save().failure, SaveFailure::WriteCopy);
    EXPECT_FALSE(FileExists(path));
    EXPECT_FALSE(FileExists(temp));
    const std::string folderName = FileNameOf(folder_.wstring());
    EXPECT_THAT(log.Entries(),
                ElementsAre("Exists(ZornSetting.ini)", "CreateUnicodeFile(ZornSetting.ini.tmp)",
                            "Remove(ZornSetting.ini.tmp)", "FolderExists(" + folderName + ")"));
}

// The folder itself has gone (a drive taken out): told as such, and never made anew, so the
// retry saves where the folder comes back.
TEST_F(SettingsFileSaveTest, AFolderThatHasGoneIsToldAndNeverMadeAnew) {
    std::filesystem::remove_all(folder_);
    const SaveResult gone = Save();
    EXPECT_EQ(gone.failure, SaveFailure::FolderMissing);
    EXPECT_THAT(SaveFailureText(gone, path), ::testing::HasSubstr(L"folder cannot be found"));
    EXPECT_FALSE(std::filesystem::exists(folder_));
}

// A balloon shows at most 255 characters. Here the words around the path take 81, leaving 174
// for it: a path of 174 is shown whole; a deeper one gives up its middle for an ellipsis and
// keeps of the other 173 a third (57) from its start and two thirds (116) from its end, so the
// reason and the file's name always show.
TEST(SaveFailureTextTest, APathFillingTheBalloonShowsWholeADeeperOneLosesItsMiddle) {
    SaveResult failed;
    failed.failure = SaveFailure::Replace;
    const std::wstring words = L"Your changes are not saved in ";
    const std::wstring reason = L": the file is read-only or open in another program.";
    const std::wstring fills = L"C:\\" + std::wstring(155, L'f') + L"\\ZornSetting.ini";
    const std::wstring start = L"C:\\Users\\" + std::wstring(48, L's');
    const std::wstring end = std::wstring(100, L'e') + L"\\ZornSetting.ini";
    const struct {
        std::wstring path;
        std::wstring shown;
    } rows[] = {
        {L"C:\\T\\ZornSetting.ini", L"C:\\T\\ZornSetting.ini"},
        {fills, fills},                                  // 255 characters in all
        {start + L"mm" + end, start + L"\u2026" + end},  // one deeper than fills
        {start + std::wstring(300, L'm') + end, start + L"\u2026" + end},
    };
    ASSERT_EQ(fills.size(), 174u);
    ASSERT_EQ(start.size(), 57u);
    ASSERT_EQ(end.size(), 116u);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path.size());
        EXPECT_EQ(SaveFailureText(failed, row.path), words + row.shown + reason);
    }
}

}  // namespace
}  // namespace tressel::testing
