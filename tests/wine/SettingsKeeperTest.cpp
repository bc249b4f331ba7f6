// The settings keeper with the real Tressel.exe where only the platform can show it: the way out
// with a change the settings file refuses asks the user in a message box of the program's own,
// and the answer decides (Retry saves once the obstacle is gone, Cancel ends with the old file);
// a program folder that takes no writes at all sends the settings to the user's local
// application data folder, for this run and the next ones, while a writable one keeps them. At
// the session's end nobody is asked: the next start tells what was lost.
// Obstacles are made with the Linux immutable flag (see SaveObstaclesTest); without chattr, the
// rows that need it are skipped.
#include <windows.h>

#include <gtest/gtest.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <filesystem>
#include <optional>
#include <string>

#include "config/ButtonId.h"
#include "wine/support/FileBytes.h"
#include "wine/support/RunningTresselTest.h"
#include "wine/support/SettingsChanges.h"
#include "wine/support/UnixFiles.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {
namespace {

namespace fs = std::filesystem;

constexpr int kExitCommand = 32782;
constexpr wchar_t kQuestionTitle[] = L"Tressel: settings not saved";
constexpr wchar_t kRefusedReason[] = L"the file is read-only or open in another program.";

// A user's earlier settings, with a line of their own that every save must keep.
const std::string kOldFile = "; mine\r\n[RButtonSetting]\r\n0=Kept\r\n1=0\r\n2=0\r\n";

// The visible message box of process `processId` with the save question's title, or null.
HWND SaveQuestion(DWORD processId) {
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM l) -> BOOL {
            auto* s = reinterpret_cast<Search*>(l);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            wchar_t cls[16] = {}, title[64] = {};
            GetClassNameW(hwnd, cls, 16);
            GetWindowTextW(hwnd, title, 64);
            if (owner != s->processId || lstrcmpW(cls, L"#32770") != 0 ||
                lstrcmpW(title, kQuestionTitle) != 0 || !IsWindowVisible(hwnd))
                return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The texts of the box's static controls (the message among them), one after another.
std::wstring BoxText(HWND box) {
    std::wstring text;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM l) -> BOOL {
            wchar_t cls[16] = {}, part[1024] = {};
            GetClassNameW(child, cls, 16);
            DWORD_PTR length = 0;
            if (lstrcmpiW(cls, L"Static") == 0 &&
                SendMessageTimeoutW(child, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(part),
                                    SMTO_ABORTIFHUNG, 5000, &length))
                *reinterpret_cast<std::wstring*>(l) += part;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

// The box's button `id` clicked, as the dialog manager reports a click to the box.
bool Answer(HWND box, int id) {
    const HWND button = GetDlgItem(box, id);
    return button && PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                  reinterpret_cast<LPARAM>(button));
}

enum class Reply {
    Cancel,
    Retry,                  // once the obstacle is gone
    RetryWhileRefusedFirst  // asked again, then Retry once the obstacle is gone
};

struct WayOut {
    const char* name;
    // Posted to the window as the way out reaches it (the keys' routing: EndPathsTest).
    UINT message;
    WPARAM wParam;
    Reply reply;
};

void PrintTo(const WayOut& w, std::ostream* out) { *out << w.name; }

// clang-format off
const WayOut kWaysOut[] = {
    {"TrayExit",                  WM_COMMAND,    MAKEWPARAM(kExitCommand, 0), Reply::Retry},
    {"EscTheCancelCommand",       WM_COMMAND,    MAKEWPARAM(IDCANCEL, 0),     Reply::Cancel},
    {"AltF4OrSystemMenuClose",    WM_SYSCOMMAND, SC_CLOSE,                    Reply::RetryWhileRefusedFirst},
    {"CloseMessage",              WM_CLOSE,      0,                           Reply::Cancel},
};
// clang-format on

// A running program whose settings file refuses every write once the flag is set.
class RefusingFileTest : public RunningTresselTest {
  protected:
    void BeforeStart() override { WriteBytes(iniPath_, kOldFile); }
    void TearDown() override {
        flag_.reset();
        RunningTresselTest::TearDown();
    }

    // Waits for the question, checks what it says, and hands it back (null on failure).
    HWND Question() {
        HWND box = nullptr;
        EXPECT_TRUE(WaitUntil([&] { return (box = SaveQuestion(app_.Id())) != nullptr; }))
            << "no question";
        if (!box) return nullptr;
        const std::wstring text = BoxText(box);
        EXPECT_NE(text.find(iniPath_), std::wstring::npos) << fs::path(text).string();
        EXPECT_NE(text.find(kRefusedReason), std::wstring::npos) << fs::path(text).string();
        // The program is still there, in the notification area too, until the user answers.
        EXPECT_TRUE(app_.Running());
        EXPECT_TRUE(TrayIconPresent(window_));
        return box;
    }

    std::optional<UnixChange> flag_;
};

class SaveQuestionTest : public RefusingFileTest, public ::testing::WithParamInterface<WayOut> {};

TEST_P(SaveQuestionTest, RefusedSaveOnTheWayOutAsksAndTheAnswerDecides) {
    const WayOut& way = GetParam();
    flag_.emplace(UnixChange::Immutable(iniPath_));
    if (!flag_->Made()) GTEST_SKIP() << "chattr +i is not available here";
    ASSERT_NO_FATAL_FAILURE(AssignCopyToX2(window_, app_.Id()));
    PostMessageW(window_, way.message, way.wParam, 0);

    HWND box = Question();
    ASSERT_NE(box, nullptr);
    if (way.reply == Reply::RetryWhileRefusedFirst) {
        ASSERT_TRUE(Answer(box, IDRETRY));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
        box = Question();
        ASSERT_NE(box, nullptr) << "a refused retry did not ask again";
    }
    if (way.reply == Reply::Cancel) {
        ASSERT_TRUE(Answer(box, IDCANCEL));
    } else {
        flag_->Undo();
        ASSERT_TRUE(Answer(box, IDRETRY));
    }
    DWORD exitCode = 99;
    ASSERT_TRUE(app_.WaitForExit(exitCode)) << "the program did not end";
    EXPECT_EQ(exitCode, 0u);
    if (way.reply == Reply::Cancel) {
        EXPECT_EQ(FileBytes(iniPath_), kOldFile);
    } else {
        EXPECT_TRUE(X2SavedAsCopy(iniPath_)) << "Retry did not save";
        EXPECT_NE(FileBytes(iniPath_).find("; mine"), std::string::npos);
    }
}

class SessionEndTest : public RefusingFileTest {};

INSTANTIATE_TEST_SUITE_P(WaysOut, SaveQuestionTest, ::testing::ValuesIn(kWaysOut),
                         [](const auto& row) { return std::string(row.param.name); });

// The session's end cannot wait for an answer: the program ends without asking, and the next
// start tells in a balloon which file the changes were lost for (the record lives in the real
// per-user store, which the fixture clears before and after).
TEST_F(SessionEndTest, RefusedSaveAtTheSessionEndIsToldAtTheNextStart) {
    flag_.emplace(UnixChange::Immutable(iniPath_));
    if (!flag_->Made()) GTEST_SKIP() << "chattr +i is not available here";
    ASSERT_NO_FATAL_FAILURE(AssignCopyToX2(window_, app_.Id()));
    DWORD_PTR answer = 0;
    ASSERT_TRUE(
        SendMessageTimeoutW(window_, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 20000, &answer));
    // The program ends while it handles this; the call's result says nothing.
    SendMessageTimeoutW(window_, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 20000, &answer);
    DWORD exitCode = 99;
    ASSERT_TRUE(app_.WaitForExit(exitCode)) << "the program waited at the session's end";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(FileBytes(iniPath_), kOldFile);

    flag_->Undo();
    ASSERT_NO_FATAL_FAILURE(StartTressel());
    std::wstring balloon;
    EXPECT_TRUE(WaitUntil([&] {
        return !(balloon = BalloonContaining(L"when Windows ended the session")).empty();
    })) << "the next start told nothing";
    EXPECT_NE(balloon.find(iniPath_), std::wstring::npos) << fs::path(balloon).string();
}

// The folder the program asks Windows for (SHGetKnownFolderPath), as the test process sees it in
// the same prefix; empty when there is none.
std::wstring LocalAppData() {
    PWSTR path = nullptr;
    const HRESULT result =
        SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DEFAULT, nullptr, &path);
    std::wstring folder = SUCCEEDED(result) && path ? path : L"";
    CoTaskMemFree(path);
    return folder;
}

struct PlaceCase {
    const char* name;
    // The program folder and its settings file take no writes (unpacked under Program Files).
    bool programFolderLocked;
};

void PrintTo(const PlaceCase& c, std::ostream* out) { *out << c.name; }

class SettingsPlaceTest : public RunningTresselTest,
                          public ::testing::WithParamInterface<PlaceCase> {
  protected:
    SettingsPlaceTest() : RunningTresselTest({.startAtSetUp = false}) {}

    // The local folder is the program's everywhere in the prefix: none before, none after, so
    // that every other test keeps the program folder's file.
    void BeforeStart() override {
        local_ = LocalAppData();
        ASSERT_FALSE(local_.empty());
        local_ += L"\\Tressel";
        fs::remove_all(fs::path(local_));
        WriteBytes(iniPath_, kOldFile);
    }
    void TearDown() override {
        fileFlag_.reset();
        folderFlag_.reset();
        RunningTresselTest::TearDown();
        std::error_code ignored;
        fs::remove_all(fs::path(local_), ignored);
    }

    std::wstring local_;
    std::optional<UnixChange> folderFlag_, fileFlag_;
};

TEST_P(SettingsPlaceTest, SettingsLiveWhereTheyCanBeWrittenAndStayThere) {
    const bool locked = GetParam().programFolderLocked;
    if (locked) {
        folderFlag_.emplace(UnixChange::Immutable(folder_));
        fileFlag_.emplace(UnixChange::Immutable(iniPath_));
        if (!folderFlag_->Made() || !fileFlag_->Made())
            GTEST_SKIP() << "chattr +i is not available here";
    }
    const std::wstring localFile = local_ + L"\\ZornSetting.ini";
    const std::wstring kept = locked ? localFile : iniPath_;
    ASSERT_NO_FATAL_FAILURE(StartTressel());
    ASSERT_NO_FATAL_FAILURE(AssignCopyToX2(window_, app_.Id()));
    ASSERT_TRUE(WaitUntil([&] { return X2SavedAsCopy(kept); }) && RoundTrip()) << "not saved";
    // Whatever else the program folder's file held came along.
    EXPECT_NE(FileBytes(kept).find("; mine"), std::string::npos);
    if (locked) {
        std::wstring balloon;
        EXPECT_TRUE(WaitUntil([&] {
            return !(balloon = BalloonContaining(L"your settings are now kept in")).empty();
        })) << "no balloon tells of the move";
        EXPECT_NE(balloon.find(localFile), std::wstring::npos) << fs::path(balloon).string();
        EXPECT_EQ(FileBytes(iniPath_), kOldFile);
    } else {
        EXPECT_FALSE(fs::exists(fs::path(local_))) << "a writable program folder lost its settings";
    }

    ASSERT_NO_FATAL_FAILURE(EndByCancel());
    ASSERT_NO_FATAL_FAILURE(StartTressel());
    wchar_t caption[64] = {};
    GetDlgItemTextW(window_, InfoOf(ButtonId::X2).controlId, caption, 64);
    EXPECT_STREQ(caption, L"Copy") << "the next start did not read the kept settings";
    if (locked) {
        EXPECT_EQ(FileBytes(iniPath_), kOldFile);
    }
}

// clang-format off
const PlaceCase kPlaces[] = {
    {"WritableProgramFolder",     false},
    {"ProgramFolderTakesNoWrites", true},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Places, SettingsPlaceTest, ::testing::ValuesIn(kPlaces),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace tressel::testing
