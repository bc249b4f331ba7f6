// The settings file against the real profile functions: round trips with non-ANSI text, an
// existing ANSI file, a failed replace, the file-system probes and what a refusal says of its
// obstacle, the long module path, and crash safety under repeated kills of a process that saves
// in a tight loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/SettingsFile.h"
#include "fakes/CallLog.h"
#include "fakes/FakeSettingsHost.h"
#include "framework/UniqueHandle.h"
#include "seam/win32/Win32FileSystem.h"
#include "seam/win32/Win32ProcessInfo.h"
#include "seam/win32/Win32ProfileStore.h"
#include "wine/support/FileBytes.h"
#include "wine/support/StartProcess.h"
#include "wine/support/UnixFiles.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {
namespace {

namespace fs = std::filesystem;

std::wstring ToolPath() { return DosPathOf(TRESSEL_TEST_BIN_DIR) + L"\\SettingsSaveLoop.exe"; }

StartedProcess StartTool(const std::wstring& arguments) {
    return StartProcess(L"\"" + ToolPath() + L"\" " + arguments);
}

// Runs the tool to its end; its exit code, or -1 when it did not end in time.
int RunTool(const std::wstring& arguments) {
    StartedProcess tool = StartTool(arguments);
    if (!tool.process || WaitForSingleObject(tool.process.get(), 30000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(tool.process.get(), &code);
    return static_cast<int>(code);
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

class SettingsFileTest : public ::testing::Test {
  protected:
    SettingsFileTest() {
        static std::atomic<int> counter{0};
        wchar_t tempRoot[MAX_PATH];
        GetTempPathW(MAX_PATH, tempRoot);
        // A folder name outside every ANSI code page.
        folder = fs::path(tempRoot) /
                 (L"tressel-J\u00f6rg-\u5de5\u5177-" + std::to_wstring(GetCurrentProcessId()) +
                  L"-" + std::to_wstring(counter++));
        std::error_code ignored;
        fs::remove_all(folder, ignored);
        fs::create_directories(folder);
        path = (folder / L"ZornSetting.ini").wstring();
    }
    ~SettingsFileTest() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    CallLog log;
    FakeSettingsHost host{log};
    Win32ProfileStore profiles;
    Win32FileSystem files;
    fs::path folder;
    std::wstring path;
};

TEST_F(SettingsFileTest, NewFileKeepsNonAnsiTextThroughSaveAndLoad) {
    host.captions = {L"Copy",      L"Middle Button", L"X1 Button",
                     L"X2 Button", L"\u5de5\u5177",  L"Wheel Up"};
    host.records[0] = {true, CtrlChord, 0x43, 0, L"", KeyOrCommand, L"", L""};
    host.records[4] = {true,
                       Launch,
                       0,
                       0,
                       L"C:\\Users\\J\u00f6rg\\\u5de5\u5177\\app.exe",
                       KeyOrCommand,
                       L"",
                       L"\u00e9t\u00e9 \U0001F600"};
    ASSERT_TRUE(SaveButtonSettings(host, profiles, files, path));
    EXPECT_EQ(FileBytes(path).substr(0, 2), "\xFF\xFE");
    EXPECT_FALSE(fs::exists(SettingsTempPath(path)));

    CallLog otherLog;
    FakeSettingsHost loaded(otherLog);
    LoadButtonSettings(loaded, profiles, path);
    EXPECT_EQ(loaded.records, host.records);
    EXPECT_EQ(loaded.captions, host.captions);
}

TEST_F(SettingsFileTest, ExistingAnsiFileKeepsWorkingAndKeepsItsOtherSections) {
    WriteBytes(path,
               "; by hand\r\n[Mine]\r\nkeep=J\xF6rg\r\n"
               "[RButtonSetting]\r\n0=  Copy \r\n1=7\r\n2=2\r\n3=300\r\n6=1\r\n9=hand\r\n");
    LoadButtonSettings(host, profiles, path);
    EXPECT_EQ(host.captions[0], L"Copy");
    EXPECT_EQ(host.records[0],
              (ButtonSetting{true, CtrlChord, 44, 0, L"", KeyOrCommand, L"", L""}));
    ASSERT_TRUE(SaveButtonSettings(host, profiles, files, path));
    const std::string bytes = FileBytes(path);
    EXPECT_EQ(
        bytes.rfind("; by hand\r\n[Mine]\r\nkeep=J\xF6rg\r\n[RButtonSetting]\r\n0=Copy\r\n1=1\r\n"
                    "2=2\r\n3=44\r\n4=0\r\n5=\r\n6=1\r\n8=\r\n[MButtonSetting]\r\n",
                    0),
        0u)
        << bytes;
}

TEST_F(SettingsFileTest, FailedReplaceLeavesTheFileAsItWas) {
    const std::string original = "[RButtonSetting]\r\n0=Old\r\n";
    WriteBytes(path, original);
    {
        // Held open without sharing: the copy or the rename must fail.
        UniqueFileHandle holder(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder);
        host.captions[0] = L"New";
        EXPECT_FALSE(SaveButtonSettings(host, profiles, files, path));
    }
    EXPECT_EQ(FileBytes(path), original);
    EXPECT_FALSE(fs::exists(SettingsTempPath(path)));
}

TEST_F(SettingsFileTest, FileSystemProbesRenamesWithoutReplacingAndRemovesReadOnlyFiles) {
    const std::wstring backup = path + L".bak";
    EXPECT_FALSE(files.CanRead(path));  // missing
    WriteBytes(path, "settings");
    WriteBytes(backup, "earlier");
    EXPECT_TRUE(files.CanRead(path));
    {
        UniqueFileHandle holder(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder);
        EXPECT_FALSE(files.CanRead(path));  // held without sharing
    }
    EXPECT_FALSE(files.RenameNoReplace(path, backup));
    EXPECT_EQ(FileBytes(path), "settings");
    EXPECT_EQ(FileBytes(backup), "earlier");
    const std::wstring free = path + L".bak2";
    EXPECT_TRUE(files.RenameNoReplace(path, free));
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(FileBytes(free), "settings");

    // A read-only settings file. First what the platform does with one: a plain delete is
    // refused and a plain copy carries the attribute. Then the probes: Copy's copy, written next,
    // is writable, and Remove takes the file.
    ASSERT_TRUE(SetFileAttributesW(free.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_FALSE(DeleteFileW(free.c_str())) << "a read-only file is deleted like any other";
    ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    const std::wstring plainCopy = path + L".plain";
    ASSERT_TRUE(CopyFileW(free.c_str(), plainCopy.c_str(), FALSE));
    const DWORD plainAttributes = GetFileAttributesW(plainCopy.c_str());
    SetFileAttributesW(plainCopy.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_NE(plainAttributes & FILE_ATTRIBUTE_READONLY, 0u) << "a copy is made writable anyway";
    const std::wstring copy = path + L".tmp";
    ASSERT_TRUE(files.Copy(free, copy));
    EXPECT_EQ(GetFileAttributesW(copy.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(FileBytes(copy), "settings");
    EXPECT_TRUE(files.Remove(free));
    EXPECT_FALSE(fs::exists(free));
    SetFileAttributesW(free.c_str(), FILE_ATTRIBUTE_NORMAL);  // for the folder's removal
}

// What a refused write says of its obstacle: a file another program holds without sharing lets go
// by itself; an immutable file (root's stand-in for a read-only one, see SaveObstaclesTest), a
// read-only attribute and a folder that takes no new file do not. Both the probe a save starts
// with and the atomic replace it ends with must tell them apart.
enum class Refusal { None, HeldWithoutSharing, ImmutableFile, ReadOnlyAttribute, ImmutableFolder };

struct RefusalCase {
    const char* name;
    Refusal refusal;
    bool fileExists;
    bool canWrite;
    bool passes;  // LastRefusalPasses after the refused call
};

// clang-format off
const RefusalCase kRefusals[] = {
    // The file every other Wine test saves in: its folder keeps the settings.
    {"WritableFile",            Refusal::None,               true,  true,  false},
    {"NoFileInWritableFolder",  Refusal::None,               false, true,  false},
    {"HeldWithoutSharing",      Refusal::HeldWithoutSharing, true,  false, true},
    {"ImmutableFile",           Refusal::ImmutableFile,      true,  false, false},
    {"ReadOnlyAttribute",       Refusal::ReadOnlyAttribute,  true,  false, false},
    {"NoFileInImmutableFolder", Refusal::ImmutableFolder,    false, false, false},
};
// clang-format on

TEST_F(SettingsFileTest, RefusedWritesTellWhetherTheirObstaclePasses) {
    const std::wstring temp = SettingsTempPath(path);
    int withoutFlag = 0;
    for (const RefusalCase& c : kRefusals) {
        SCOPED_TRACE(c.name);
        fs::remove(path);
        if (c.fileExists) WriteBytes(path, "old");
        std::optional<UnixChange> change;
        UniqueFileHandle holder;
        if (c.refusal == Refusal::HeldWithoutSharing) {
            holder.reset(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
            ASSERT_TRUE(holder);
        } else if (c.refusal == Refusal::ReadOnlyAttribute) {
            ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
        } else if (c.refusal != Refusal::None) {
            WriteBytes(temp, "new");
            change.emplace(UnixChange::Immutable(
                c.refusal == Refusal::ImmutableFile ? path : folder.wstring()));
            if (!change->Made()) {
                fs::remove(temp);
                ++withoutFlag;
                continue;
            }
        }
        EXPECT_EQ(files.CanWrite(path), c.canWrite);
        if (!c.canWrite) {
            EXPECT_EQ(files.LastRefusalPasses(), c.passes);
        }
        // The replace is refused alike where the flag keeps the rename out (the read-only
        // attribute binds no rename of root's under Wine).
        if (c.fileExists && c.refusal != Refusal::None && c.refusal != Refusal::ReadOnlyAttribute) {
            if (c.refusal == Refusal::HeldWithoutSharing) WriteBytes(temp, "new");
            EXPECT_FALSE(files.ReplaceAtomically(temp, path));
            EXPECT_EQ(files.LastRefusalPasses(), c.passes);
        }
        change.reset();
        holder.reset();
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (c.fileExists) {
            EXPECT_EQ(FileBytes(path), "old");
        }
        fs::remove(temp);
    }
    if (withoutFlag > 0) GTEST_SKIP() << withoutFlag << " rows need chattr +i, not available here";
}

// The hold of a load shares everything, yet keeps out an open that shares no reading (which
// would leave the profile functions reading defaults), and only while it lives.
TEST_F(SettingsFileTest, ReadHoldKeepsOutAnOpenThatSharesNothing) {
    WriteBytes(path, "settings");
    const auto openAlone = [&] {
        return UniqueFileHandle(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    };
    std::unique_ptr<ReadHold> hold = files.HoldReadable(path);
    ASSERT_NE(hold, nullptr);
    EXPECT_FALSE(openAlone());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    hold.reset();
    EXPECT_TRUE(openAlone());
}

// Wine cannot start a program whose path exceeds MAX_PATH, so the growing buffer is driven
// with GetModuleFileNameW's contract for a long name instead.
TEST(ModuleFileNameTest, LongNameIsReadWholeThroughAGrowingBuffer) {
    const std::wstring longName = L"C:\\" + std::wstring(300, L'd') + L"\\Tressel.exe";
    std::vector<DWORD> sizesAsked;
    const std::wstring read = ReadWholeModuleFileName([&](wchar_t* buffer, DWORD size) {
        sizesAsked.push_back(size);
        const DWORD copied = static_cast<DWORD>(std::min<std::size_t>(longName.size(), size - 1));
        std::copy_n(longName.data(), copied, buffer);
        buffer[copied] = L'\0';
        return copied == longName.size() ? copied : size;  // cut: the whole buffer size
    });
    EXPECT_EQ(read, longName);
    EXPECT_EQ(sizesAsked, (std::vector<DWORD>{260, 520}));
    EXPECT_EQ(SettingsFilePath(read), L"C:\\" + std::wstring(300, L'd') + L"\\ZornSetting.ini");

    EXPECT_EQ(ReadWholeModuleFileName([](wchar_t*, DWORD) -> DWORD { return 0; }), L"");
    // A name that never fits gives nothing rather than a cut one.
    EXPECT_EQ(ReadWholeModuleFileName([](wchar_t*, DWORD size) { return size; }), L"");
}

TEST(ModuleFileNameTest, ReadsThisProgramsOwnPath) {
    std::vector<wchar_t> buffer(32768);
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), 32768);
    Win32ProcessInfo process;
    EXPECT_EQ(process.ModuleFileName(), std::wstring(buffer.data(), length));
}

class SharedCounter {
  public:
    explicit SharedCounter(const std::wstring& name)
        : mapping_(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(LONG), name.c_str())),
          view_(mapping_ ? static_cast<volatile LONG*>(
                               MapViewOfFile(mapping_.get(), FILE_MAP_WRITE, 0, 0, sizeof(LONG)))
                         : nullptr) {}
    ~SharedCounter() {
        if (view_) UnmapViewOfFile(const_cast<LONG*>(view_));
    }
    SharedCounter(const SharedCounter&) = delete;
    SharedCounter& operator=(const SharedCounter&) = delete;

    bool Valid() const { return view_ != nullptr; }
    LONG Value() const { return InterlockedCompareExchange(view_, 0, 0); }

  private:
    UniqueKernelHandle mapping_;
    volatile LONG* view_;
};

void SpinMicroseconds(LONGLONG microseconds) {
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    do {
        QueryPerformanceCounter(&now);
    } while ((now.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart < microseconds);
}

// Seeds `file` as a Unicode file with a hand-added section, as the loop's target starts.
void Seed(Win32FileSystem& files, Win32ProfileStore& profiles, const std::wstring& file) {
    ASSERT_TRUE(files.CreateUnicodeFile(file));
    ASSERT_TRUE(
        profiles.WriteString(file, L"Mine", std::wstring(L"keep"), std::wstring(L"\u5de5")));
}

TEST_F(SettingsFileTest, KilledWhileSavingLeavesTheOldOrTheNewFileWhole) {
    constexpr int kKills = 200;
    const auto began = std::chrono::steady_clock::now();
    const std::wstring referenceA = (folder / L"A.ini").wstring();
    const std::wstring referenceB = (folder / L"B.ini").wstring();
    Seed(files, profiles, referenceA);
    Seed(files, profiles, referenceB);
    ASSERT_EQ(RunTool(L"once A " + Quoted(referenceA)), 0);
    ASSERT_EQ(RunTool(L"once B " + Quoted(referenceB)), 0);
    const std::string bytesA = FileBytes(referenceA);
    const std::string bytesB = FileBytes(referenceB);
    ASSERT_NE(bytesA, bytesB);

    const std::wstring counterName = L"tressel-save-loop-" + std::to_wstring(GetCurrentProcessId());
    SharedCounter counter(counterName);
    ASSERT_TRUE(counter.Valid());
    Seed(files, profiles, path);

    int sawA = 0, sawB = 0, leftTemp = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        StartedProcess tool = StartTool(L"loop " + Quoted(path) + L" " + counterName);
        ASSERT_TRUE(tool.process) << "round " << kill;
        const LONG target = counter.Value() + 1 + kill % 4;
        ASSERT_TRUE(WaitUntil([&] {
            return counter.Value() >= target ||
                   WaitForSingleObject(tool.process.get(), 0) == WAIT_OBJECT_0;
        })) << "no progress in round "
            << kill;
        ASSERT_NE(WaitForSingleObject(tool.process.get(), 0), WAIT_OBJECT_0)
            << "the save loop ended by itself in round " << kill;
        SpinMicroseconds((kill * 997) % 3000);  // land the kill anywhere inside a save
        ASSERT_TRUE(TerminateProcess(tool.process.get(), 9));
        ASSERT_EQ(WaitForSingleObject(tool.process.get(), 10000), WAIT_OBJECT_0);

        const std::string bytes = FileBytes(path);
        const bool isA = bytes == bytesA;
        const bool isB = bytes == bytesB;
        ASSERT_TRUE(isA || isB) << "round " << kill << ": " << bytes.size() << " bytes";
        sawA += isA;
        sawB += isB;
        leftTemp += fs::exists(SettingsTempPath(path));

        CallLog loadLog;
        FakeSettingsHost loaded(loadLog);
        LoadButtonSettings(loaded, profiles, path);
        EXPECT_EQ(loaded.captions[0], isA ? L"Copy" : L"Paste");
    }
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - began);
    std::printf(
        "kills: %d, file A %d times, B %d times, torn 0, temporary file left behind %d times, "
        "%lld ms\n",
        kKills, sawA, sawB, leftTemp, static_cast<long long>(took.count()));
    EXPECT_GT(sawA, 0);
    EXPECT_GT(sawB, 0);
}

}  // namespace
}  // namespace tressel::testing
