// The "-run" start argument and the program folder.
#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace tressel {
namespace {

TEST(StartArguments, OnlyAnExactTrailingRunArgumentStartsHidden) {
    EXPECT_FALSE(ShowAllowedByCommandLine(L"\"C:\\Tools\\Tressel.exe\" -run"));
    EXPECT_FALSE(ShowAllowedByCommandLine(L"C:\\Tools\\Tressel.exe -run"));
    EXPECT_FALSE(ShowAllowedByCommandLine(L"-run"));

    EXPECT_TRUE(ShowAllowedByCommandLine(L"\"C:\\Tools\\Tressel.exe\" -Run"));
    EXPECT_TRUE(ShowAllowedByCommandLine(L"\"C:\\Tools\\Tressel.exe\" -run "));
    EXPECT_TRUE(ShowAllowedByCommandLine(L"\"C:\\Tools\\Tressel.exe\" -run -x"));
    EXPECT_TRUE(ShowAllowedByCommandLine(L"\"C:\\Tools\\Tressel.exe\" -running"));
}

// Only the text from the last dash on counts: dashes in the program's folder, even a folder
// named like the argument, must not hide the argument or stand in for it.
TEST(StartArguments, DashesInTheProgramFolderNeitherHideNorFakeTheRunArgument) {
    const struct {
        const wchar_t* commandLine;
        bool showAllowed;
    } cases[] = {
        {L"\"C:\\Tools\\my-run\\Tressel.exe\" -run", false},
        {L"\"C:\\a-run\\Tressel.exe\" -run", false},
        {L"C:\\a-run\\Tressel.exe -run", false},
        {L"\"C:\\my-tools\\x-y\\Tressel.exe\" -run", false},
        {L"\"C:\\a-run\\Tressel.exe\"", true},
        {L"\"C:\\Tools\\my-run\\Tressel.exe\"", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShowAllowedByCommandLine(c.commandLine), c.showAllowed)
            << ::testing::PrintToString(std::wstring(c.commandLine));
    }
}

TEST(StartArguments, DashesInThePathAloneStartVisible) {
    EXPECT_TRUE(ShowAllowedByCommandLine(L"\"C:\\my-tools\\Tressel.exe\""));
    EXPECT_TRUE(ShowAllowedByCommandLine(L"C:\\Tools\\Tressel.exe"));
    EXPECT_TRUE(ShowAllowedByCommandLine(L""));
    // A folder named "-run" is not the argument: the text after it goes on to the file name.
    EXPECT_TRUE(ShowAllowedByCommandLine(L"\"C:\\-run\\Tressel.exe\""));
}

TEST(StartArguments, ProgramFolderIsThePathBeforeTheLastBackslash) {
    EXPECT_EQ(FolderOf(L"C:\\Tools\\Tressel\\Tressel.exe"), L"C:\\Tools\\Tressel");
    EXPECT_EQ(FolderOf(L"C:\\Tressel.exe"), L"C:");
    EXPECT_EQ(FolderOf(L"Tressel.exe"), L"");
    std::wstring longFolder = L"C:\\" + std::wstring(300, L'd');
    EXPECT_EQ(FolderOf(longFolder + L"\\Tressel.exe"), longFolder);
}

}  // namespace
}  // namespace tressel
