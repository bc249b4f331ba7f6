#pragma once
// One behaviour contract for every ProfileStore: the portable file implementation runs it
// natively, the real Win32 profile functions run it under Wine. Each side instantiates the
// suite with a target describing how to make its store and where its files live:
//   INSTANTIATE_TEST_SUITE_P(Native, ProfileStoreContract, ::testing::Values(MyTarget()),
//                            ProfileStoreTargetName);

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "seam/ProfileStore.h"

namespace tressel::testing {

struct ProfileStoreTarget {
    std::string name;
    std::function<std::unique_ptr<ProfileStore>()> makeStore;
    // A new empty folder, in the form the store takes paths (no trailing separator).
    std::function<std::wstring()> makeFolder;
    // The separator the store's paths use between folder and file name.
    std::wstring separator;
    // A store path as a path this process can open with std::filesystem.
    std::function<std::filesystem::path(const std::wstring&)> hostPath;
    // Wine drops leading blanks from a value it writes; Windows and the portable store keep them.
    bool writeDropsLeadingBlanks = false;
    // Wine writes a section header it read as "[ name ]" back as "[name]"; Windows and the
    // portable store leave the line as it was.
    bool writeNormalisesSectionHeaders = false;
};

// Failure messages name the target instead of dumping its bytes.
inline void PrintTo(const ProfileStoreTarget& target, std::ostream* os) { *os << target.name; }

std::string ProfileStoreTargetName(const ::testing::TestParamInfo<ProfileStoreTarget>& info);

class ProfileStoreContract : public ::testing::TestWithParam<ProfileStoreTarget> {
  protected:
    void SetUp() override;
    void TearDown() override;

    std::wstring PathOf(const std::wstring& fileName) const;
    std::string ReadBytes(const std::wstring& path) const;
    void WriteBytes(const std::wstring& path, const std::string& bytes) const;
    bool FileExists(const std::wstring& path) const;

    std::unique_ptr<ProfileStore> store;
    std::wstring folder;
};

}  // namespace tressel::testing
