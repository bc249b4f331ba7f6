// The profile-store contract against the real GetPrivateProfileStringW and
// WritePrivateProfileStringW.
#include <windows.h>

#include <atomic>
#include <filesystem>
#include <string>

#include "contract/ProfileStoreContract.h"
#include "seam/win32/Win32ProfileStore.h"

namespace tressel::testing {
namespace {

bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

std::wstring MakeTempFolder() {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::filesystem::path folder =
        std::filesystem::path(temp) /
        (L"tressel-profile-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(counter++));
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder);
    return folder.wstring();
}

ProfileStoreTarget Win32Target() {
    ProfileStoreTarget target;
    target.name = "Win32ProfileStore";
    target.makeStore = [] { return std::make_unique<Win32ProfileStore>(); };
    target.makeFolder = MakeTempFolder;
    target.separator = L"\\";
    target.hostPath = [](const std::wstring& path) { return std::filesystem::path(path); };
    target.writeDropsLeadingBlanks = RunningUnderWine();
    target.writeNormalisesSectionHeaders = RunningUnderWine();
    return target;
}

INSTANTIATE_TEST_SUITE_P(Win32, ProfileStoreContract, ::testing::Values(Win32Target()),
                         ProfileStoreTargetName);

}  // namespace
}  // namespace tressel::testing
