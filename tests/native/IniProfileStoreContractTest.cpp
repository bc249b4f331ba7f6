// The profile-store contract against the portable file implementation.
#include <string>

#include "TempFolder.h"
#include "contract/ProfileStoreContract.h"
#include "seam/portable/IniProfileStore.h"
#include "seam/portable/PortablePath.h"

namespace tressel::testing {
namespace {

ProfileStoreTarget NativeTarget() {
    ProfileStoreTarget target;
    target.name = "IniProfileStore";
    target.makeStore = [] { return std::make_unique<IniProfileStore>(); };
    target.makeFolder = [] { return MakeTempFolder("ini").wstring(); };  // the contract removes it
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
