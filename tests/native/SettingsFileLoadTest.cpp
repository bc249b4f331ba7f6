// Loading the settings file: parsing of every key, and what the loader asks of the dialog.
#include <gmock/gmock.h>

#include <functional>
#include <utility>

#include "SettingsFileFixture.h"

namespace tressel::testing {
namespace {

using ::testing::ElementsAre;

class SettingsFileLoadTest : public SettingsFileFixture {};

TEST(SettingsFilePathTest, ReplacesTheFileNameAfterTheLastBackslash) {
    EXPECT_EQ(SettingsFilePath(L"C:\\Tools\\Tressel\\Tressel.exe"),
              L"C:\\Tools\\Tressel\\ZornSetting.ini");
    EXPECT_EQ(SettingsFilePath(L"C:\\Tressel.exe"), L"C:\\ZornSetting.ini");
    EXPECT_EQ(SettingsFilePath(L"Tressel.exe"), L"\\ZornSetting.ini");
    EXPECT_EQ(SettingsFilePath(L""), L"\\ZornSetting.ini");
    // Nothing cuts a long folder short.
    const std::wstring folder = L"C:\\" + std::wstring(300, L'd');
    EXPECT_EQ(SettingsFilePath(folder + L"\\Tressel.exe"), folder + L"\\ZornSetting.ini");
}

TEST_F(SettingsFileLoadTest, MissingFileGivesDefaultCaptionsAndNoHooks) {
    profiles.logReads = false;
    Load();
    EXPECT_THAT(log.Entries(),
                ElementsAre("SetCaption(R,Right Button)", "SetCaption(M,Middle Button)",
                            "SetCaption(X1,X1 Button)", "SetCaption(X2,X2 Button)",
                            "SetCaption(WD,Wheel Down)", "SetCaption(WU,Wheel Up)"));
    for (const ButtonSetting& record : host.records) EXPECT_EQ(record, ButtonSetting{});
    EXPECT_FALSE(FileExists(path));
}

// Every value is read before any is used, so that a read found to be incomplete changes nothing.
TEST_F(SettingsFileLoadTest, ReadsEveryKeyInOrderFirstAndInstallsAfterCompilingTheScript) {
    WriteFileBytes(path,
                   "[RButtonSetting]\r\n0=Burst\r\n1=1\r\n2=6\r\n3=0\r\n4=0\r\n5=\r\n6=1\r\n"
                   "7=TRIPLE SHOT.txt\r\n8=fast\r\n"
                   "[MButtonSetting]\r\n0=Copy\r\n1=1\r\n2=2\r\n3=67\r\n6=1\r\n");
    Load();
    std::vector<std::string> expected;
    const auto reads = [&](const std::string& section, std::initializer_list<const char*> keys) {
        for (const char* key : keys) {
            expected.push_back("Get(ZornSetting.ini," + section + "ButtonSetting," + key + ")");
        }
    };
    for (const char* section : {"R", "M", "X1", "X2", "WD", "WU"})
        reads(section, {"0", "1", "2", "3", "4", "5", "6", "7", "8"});
    expected.insert(expected.end(), {"SetCaption(R,Burst)", "CompileScript(R,TRIPLE SHOT.txt)",
                                     "installhook_R", "SetCaption(M,Copy)", "installhook_M"});
    const std::vector<std::string> entries = log.Entries();
    ASSERT_GE(entries.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(entries.begin(), entries.begin() + expected.size()),
              expected);
    EXPECT_EQ(host.selectedButton, 1);
    EXPECT_EQ(Record(ButtonId::R).note, L"fast");
    EXPECT_EQ(Record(ButtonId::M),
              (ButtonSetting{true, CtrlChord, 0x43, 0, L"", KeyOrCommand, L"", L""}));
}

TEST_F(SettingsFileLoadTest, NumbersParseLikeTheCRuntime) {
    WriteFileBytes(path,
                   "[RButtonSetting]\r\n1=7\r\n2=  -3xyz\r\n3=300\r\n4=+5\r\n6=abc\r\n"
                   "[MButtonSetting]\r\n1=-1\r\n3=-1\r\n4=99999999999\r\n"
                   "[X1ButtonSetting]\r\n1=0x1\r\n");
    profiles.logReads = false;
    Load();
    EXPECT_TRUE(Record(ButtonId::R).hooked);
    EXPECT_EQ(Record(ButtonId::R).keyAction, -3);
    EXPECT_EQ(Record(ButtonId::R).keyCode, 44);
    EXPECT_EQ(Record(ButtonId::R).mouseAction, 5);
    EXPECT_EQ(Record(ButtonId::R).category, 0);
    EXPECT_TRUE(Record(ButtonId::M).hooked);
    EXPECT_EQ(Record(ButtonId::M).keyCode, 255);
    EXPECT_EQ(Record(ButtonId::M).mouseAction, INT32_MAX);
    EXPECT_FALSE(Record(ButtonId::X1).hooked);  // "0x1" reads as 0
}

TEST_F(SettingsFileLoadTest, CaptionAndNoteAreTrimmedButLaunchTargetAndScriptAreNot) {
    // Quotes carry blanks past the profile functions' own trimming to the loader.
    WriteFileBytes(path,
                   "[RButtonSetting]\r\n0=\"   Copy  \"\r\n5=\"  notepad.exe\"\r\n"
                   "7=\" spaced.txt \"\r\n8=\"\t a note \"\r\n"
                   "[MButtonSetting]\r\n0=\"   \"\r\n");
    profiles.logReads = false;
    Load();
    EXPECT_EQ(host.captions[0], L"Copy");
    EXPECT_EQ(Record(ButtonId::R).launchTarget, L"  notepad.exe");
    EXPECT_EQ(Record(ButtonId::R).scriptFile, L" spaced.txt ");
    EXPECT_EQ(Record(ButtonId::R).note, L"a note");
    EXPECT_EQ(host.captions[1], L"Middle Button");  // blank caption -> default
}

TEST_F(SettingsFileLoadTest, ScriptOfAnUnhookedInputIsNeitherCompiledNorInstalled) {
    WriteFileBytes(path, "[X2ButtonSetting]\r\n0=Triple\r\n1=0\r\n2=6\r\n7=TRIPLE SHOT.txt\r\n");
    profiles.logReads = false;
    Load();
    for (const std::string& entry : log.Entries()) EXPECT_EQ(entry.rfind("SetCaption", 0), 0u);
    EXPECT_EQ(Record(ButtonId::X2).scriptFile, L"TRIPLE SHOT.txt");
    EXPECT_EQ(host.selectedButton, 0);
}

TEST_F(SettingsFileLoadTest, HookedScriptWithoutKeySevenCompilesAnEmptyName) {
    WriteFileBytes(path, "[X1ButtonSetting]\r\n1=1\r\n2=6\r\n");
    profiles.logReads = false;
    Load();
    EXPECT_THAT(log.Entries(), ::testing::IsSupersetOf({"CompileScript(X1,)", "installhook_X1"}));
    EXPECT_EQ(host.selectedButton, 3);
}

TEST_F(SettingsFileLoadTest, EmptyNoteLeavesTheHeldNoteAlone) {
    WriteFileBytes(path, "[RButtonSetting]\r\n8=\r\n[MButtonSetting]\r\n8=new\r\n");
    Record(ButtonId::R).note = L"earlier";
    Record(ButtonId::M).note = L"earlier";
    Load();
    EXPECT_EQ(Record(ButtonId::R).note, L"earlier");
    EXPECT_EQ(Record(ButtonId::M).note, L"new");
}

TEST_F(SettingsFileLoadTest, ValuesAreCutTo511Characters) {
    WriteFileBytes(path, "[WUButtonSetting]\r\n5=" + std::string(600, 'p') + "\r\n");
    Load();
    EXPECT_EQ(Record(ButtonId::WU).launchTarget, std::wstring(511, L'p'));
}

// Another program writes the file halfway through a read, during the first `writes` reads.
struct WrittenMidRead : ProfileStore {
    WrittenMidRead(ProfileStore& inner, std::function<void()> write, int writes)
        : inner_(inner), write_(std::move(write)), writesLeft_(writes) {}
    std::wstring GetString(const std::wstring& file, const std::wstring& section,
                           const std::wstring& key, const std::wstring& defaultValue,
                           std::size_t bufferSize) override {
        if (++reads_ % (kButtonCount * 9) == kButtonCount * 9 / 2 && writesLeft_-- > 0) write_();
        return inner_.GetString(file, section, key, defaultValue, bufferSize);
    }
    bool WriteString(const std::wstring&, const std::wstring&, const std::optional<std::wstring>&,
                     const std::optional<std::wstring>&) override {
        return false;
    }
    void Flush(const std::wstring&) override {}
    std::vector<std::wstring> SectionNames(const std::wstring& file) override {
        return inner_.SectionNames(file);
    }

  private:
    ProfileStore& inner_;
    std::function<void()> write_;
    int writesLeft_;
    int reads_ = 0;
};

TEST_F(SettingsFileLoadTest, ALoadIsWholeOrKnownToHaveFailed) {
    const auto version = [](const std::string& caption) {
        return "[RButtonSetting]\r\n0=" + caption + "\r\n1=1\r\n2=2\r\n3=67\r\n6=1\r\n";
    };
    struct Row {
        const char* name;
        int writesDuringReads;
        LoadOutcome outcome;
        const wchar_t* caption;
    };
    const Row rows[] = {
        {"written once: read again", 1, LoadOutcome::Read, L"Second version"},
        {"written at every attempt", kWholeReadAttempts, LoadOutcome::KeptChanging, L""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteFileBytes(path, version("First"));
        WrittenMidRead store(
            iniStore, [&] { WriteFileBytes(path, version("Second version")); },
            row.writesDuringReads);
        const LoadResult load = ReadWholeSettings(store, files, path);
        EXPECT_EQ(load.outcome, row.outcome);
        EXPECT_EQ(load.settings[0].caption, row.caption);
        EXPECT_EQ(load.settings[0].record.hooked, row.outcome == LoadOutcome::Read);
    }

    // A file that cannot be opened for reading is not read at all.
    files.failing = {"HoldReadable"};
    files.refusalsPass = true;
    const LoadResult held = ReadWholeSettings(profiles, files, path);
    EXPECT_EQ(held.outcome, LoadOutcome::Unreadable);
    EXPECT_TRUE(held.passing);
    EXPECT_TRUE(held.Unread());
}

}  // namespace
}  // namespace tressel::testing
