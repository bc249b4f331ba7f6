// The profile-store contract against the portable file implementation.
#include <atomic>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "contract/ProfileStoreContract.h"
#include "seam/portable/IniProfileStore.h"
#include "seam/portable/PortablePath.h"

namespace tressel::testing {
namespace {

std::wstring MakeNativeFolder() {
    static std::atomic<int> counter{0};
    const auto folder =
        std::filesystem::temp_directory_path() /
        ("tressel-ini-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.wstring();
}

ProfileStoreTarget NativeTarget() {
    ProfileStoreTarget target;
    target.name = "IniProfileStore";
    target.makeStore = [] { return std::make_unique<IniProfileStore>(); };
    target.makeFolder = MakeNativeFolder;
    // The store maps Windows separators to '/', so files are named the way the program names them.
    target.separator = L"\\";
    target.hostPath = [](const std::wstring& path) { return ToHostPath(path); };
    target.writeDropsLeadingBlanks = false;
    return target;
}

INSTANTIATE_TEST_SUITE_P(Native, ProfileStoreContract, ::testing::Values(NativeTarget()),
                         ProfileStoreTargetName);

}  // namespace
}  // namespace tressel::testing
