// What the user gets from the real Tressel.exe when a change cannot be saved the ordinary way:
// a read-only settings file, a folder that takes no new file (with and without a settings file
// in it), a file held open by another program, a folder that has gone. Either the change is kept
// (written in place) or a notification-area balloon names the file and the reason while the old
// file stays as it was. Once the obstacle is gone, the change is saved: by the program's own
// retry when the obstacle was one that passes (a file held open), else by the user's next change
// or on the way out, since a lasting obstacle is not tried again by itself. A file
// that could not be read at start is kept aside before the first save replaces it.
//
// Under Wine the tests run as root, and Wine leaves access checks to the Unix permissions, which
// root passes: a file with FILE_ATTRIBUTE_READONLY is opened for writing, overwritten and
// replaced by a rename without complaint, and the attribute on a folder is dropped (as Windows
// ignores it on folders, where only the access rights keep new files out). The obstacles are
// therefore made with the Linux immutable flag (UnixChange::Immutable), which binds root as the
// read-only attribute binds every Windows user. Where chattr cannot set it (a file system without
// the flag), only the rows that need it are skipped.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>

#include "config/ButtonId.h"
#include "framework/UniqueHandle.h"
#include "wine/support/FileBytes.h"
#include "wine/support/RunningTresselTest.h"
#include "wine/support/SettingsChanges.h"
#include "wine/support/UnixCommand.h"
#include "wine/support/UnixFiles.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {
namespace {

namespace fs = std::filesystem;

// A settings file as a user's earlier session left it: X2 copies nothing yet, R is renamed.
const std::string kOldFile =
    "; mine\r\n[RButtonSetting]\r\n0=Kept\r\n1=0\r\n2=0\r\n3=0\r\n4=0\r\n5=\r\n6=0\r\n8=\r\n";

enum class Obstacle { ImmutableFile, ImmutableFolder, HeldFile, FolderGone };
enum class Mend { None, RetryByItself, NextChange, Leaving };

struct ObstacleCase {
    const char* name;
    Obstacle obstacle;
    bool fileExists;
    // Empty: the change is kept in spite of the obstacle. Otherwise the reason the balloon gives.
    const wchar_t* reason;
    // What saves the change once the obstacle is gone.
    Mend mend;
};

void PrintTo(const ObstacleCase& c, std::ostream* out) { *out << c.name; }

class SaveObstaclesTest : public RunningTresselTest {
  protected:
    void BeforeStart() override {
        // A run killed while a flag was set leaves an installation nobody can remove, not even
        // root with rm -rf: lift the flags of earlier runs of this test first.
        const std::string earlier = UnixPathOf(fs::path(folder_).parent_path().wstring()) + "/" +
                                    fs::path(folder_).filename().string();
        RunUnixCommand("chattr -R -i " + ShellQuote(earlier.substr(0, earlier.rfind('-'))) +
                       "-* 2>/dev/null; true");
        if (!seed_.empty()) WriteBytes(iniPath_, seed_);
        if (holdAtStart_) Hold();
    }

    // The holder first: a held file would keep the installation from being removed.
    void TearDown() override {
        holder_.reset();
        RunningTresselTest::TearDown();
    }

    void Hold() {
        // No sharing: no other program can read, write, rename or delete the file meanwhile.
        holder_.reset(CreateFileW(iniPath_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder_);
    }

    // The file's bytes now; a held file is read through the holder's handle, the only one.
    std::string FileNow() const {
        if (!holder_) return fs::exists(fs::path(iniPath_)) ? FileBytes(iniPath_) : "";
        std::string bytes(4096, '\0');
        DWORD got = 0;
        SetFilePointer(holder_.get(), 0, nullptr, FILE_BEGIN);
        if (!ReadFile(holder_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr))
            got = 0;
        bytes.resize(got);
        return bytes;
    }

    void AssignCopyToX2() { testing::AssignCopyToX2(window_, app_.Id()); }

    // The save runs on the window's thread and writes key by key: once X2's caption is in the
    // file, a round trip to the window waits for the rest of that save.
    bool SavedAsCopyAndDone() const {
        return WaitUntil([&] { return X2SavedAsCopy(); }) && RoundTrip();
    }
    bool X2SavedAsCopy() const { return testing::X2SavedAsCopy(iniPath_); }
    bool NoTemporaryFile() const { return !fs::exists(fs::path(iniPath_ + L".tmp")); }

    // One obstacle: set up, a change made, the outcome checked, the obstacle taken away.
    void Meet(const ObstacleCase& c) {
        fs::remove(fs::path(iniPath_));
        if (c.fileExists) WriteBytes(iniPath_, kOldFile);
        const std::wstring away = folder_ + L"-away";
        std::optional<UnixChange> change;
        if (c.obstacle == Obstacle::HeldFile) {
            Hold();
        } else if (c.obstacle == Obstacle::FolderGone) {
            change.emplace(UnixChange::MovedAway(folder_, away));
            ASSERT_TRUE(change->Made());
        } else {
            change.emplace(
                UnixChange::Immutable(c.obstacle == Obstacle::ImmutableFile ? iniPath_ : folder_));
            if (!change->Made()) GTEST_SKIP() << "chattr +i is not available here";
        }
        AssignCopyToX2();
        if (!c.reason) {
            ASSERT_TRUE(SavedAsCopyAndDone()) << "not written in place";
            EXPECT_NE(FileBytes(iniPath_).find("; mine"), std::string::npos);
        } else {
            std::wstring balloon;
            ASSERT_TRUE(WaitUntil([&] { return !(balloon = BalloonContaining(c.reason)).empty(); }))
                << "no balloon gives the reason";
            EXPECT_NE(balloon.find(iniPath_), std::wstring::npos) << fs::path(balloon).string();
            if (c.obstacle == Obstacle::FolderGone) {
                EXPECT_EQ(FileBytes(away + L"\\ZornSetting.ini"), kOldFile);
                EXPECT_FALSE(fs::exists(fs::path(folder_))) << "the folder was made anew";
            } else {
                EXPECT_EQ(FileNow(), c.fileExists ? kOldFile : "");
            }
            EXPECT_TRUE(WaitUntil([&] { return NoTemporaryFile(); }));
            holder_.reset();
            if (change) change->Undo();
            if (c.mend == Mend::NextChange) {
                ASSERT_NO_FATAL_FAILURE(AssignCopyToX2());
            }
            if (c.mend == Mend::Leaving) {
                ASSERT_NO_FATAL_FAILURE(EndByCancel());
                EXPECT_TRUE(X2SavedAsCopy()) << "the way out did not save";
            } else {
                ASSERT_TRUE(SavedAsCopyAndDone()) << "not saved once the obstacle was gone";
            }
        }
        change.reset();
        EXPECT_TRUE(NoTemporaryFile());
        EXPECT_FALSE(fs::exists(fs::path(iniPath_ + L".bak")));
        // What else the file held survives every kind of save.
        if (c.fileExists) {
            EXPECT_NE(FileBytes(iniPath_).find("; mine"), std::string::npos);
        }
    }

    std::string seed_;
    bool holdAtStart_ = false;
    UniqueFileHandle holder_;
};

// Each row in a program of its own: one run of failures tells its first reason only, and a retry
// still pending from an earlier row would keep that run going.
class ObstacleTest : public SaveObstaclesTest, public ::testing::WithParamInterface<ObstacleCase> {
  protected:
    // The installation lies in a folder of the test's name, the row's name a folder below it.
    void BeforeStart() override {
        folder_ = fs::path(folder_).make_preferred().wstring();
        iniPath_ = folder_ + L"\\ZornSetting.ini";
        SaveObstaclesTest::BeforeStart();
    }
    void TearDown() override {
        SaveObstaclesTest::TearDown();
        RemoveDirectoryW(fs::path(folder_).parent_path().c_str());
    }
};

TEST_P(ObstacleTest, KeepsTheChangeOrSaysWhyAndSavesItOnceTheObstacleIsGone) { Meet(GetParam()); }

// clang-format off
const ObstacleCase kObstacles[] = {
    {"ReadOnlyFile", Obstacle::ImmutableFile, true, L"the file is read-only or open in another program.", Mend::Leaving},
    // The folder takes no temporary copy, but the file itself is writable: written in place.
    {"FolderTakesNoNewFile_FileWritable", Obstacle::ImmutableFolder, true, nullptr, Mend::None},
    // A program folder the user may not write to, and no settings file yet.
    {"FolderTakesNoNewFile_NoFileYet", Obstacle::ImmutableFolder, false, L"its folder or the disk does not let the program write.", Mend::NextChange},
    {"FileHeldOpenWithoutSharing", Obstacle::HeldFile, true, L"the file is read-only or open in another program.", Mend::RetryByItself},
    // The file is in the folder that went away, as on a drive taken out: the folder is never
    // made anew, and the old file in it stays as it was.
    {"FolderGone_NeverMadeAnew", Obstacle::FolderGone, true, L"its folder cannot be found", Mend::NextChange},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rows, ObstacleTest, ::testing::ValuesIn(kObstacles),
                         [](const auto& row) { return std::string(row.param.name); });

class UnreadableAtStartTest : public SaveObstaclesTest {
  protected:
    UnreadableAtStartTest() {
        seed_ = kOldFile;
        holdAtStart_ = true;
    }
};

// Held open without sharing while the program starts, it loads as defaults: the first save
// keeps the unread file aside, whole, before it writes the new one.
TEST_F(UnreadableAtStartTest, FirstSaveKeepsTheUnreadFileAsideAndWritesTheNewOne) {
    wchar_t caption[64] = {};
    GetDlgItemTextW(window_, InfoOf(ButtonId::R).controlId, caption, 64);
    ASSERT_EQ(std::wstring(caption), InfoOf(ButtonId::R).defaultCaption) << "the file was read";
    holder_.reset();
    AssignCopyToX2();
    ASSERT_TRUE(SavedAsCopyAndDone());
    EXPECT_EQ(FileBytes(iniPath_ + L".bak"), kOldFile);
    EXPECT_EQ(FileBytes(iniPath_).find("; mine"), std::string::npos);
    EXPECT_TRUE(NoTemporaryFile());
}

}  // namespace
}  // namespace tressel::testing
