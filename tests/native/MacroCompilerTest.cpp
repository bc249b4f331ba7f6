// Script files to action lines: keyword recognition, arguments, the right button's exceptions,
// text-mode line reading and what a rebuild leaves in the list.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "MacroScriptFolder.h"
#include "fakes/Describe.h"
#include "macros/MacroCompiler.h"

namespace tressel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace std::string_literals;

class MacroCompilerTest : public ::testing::Test {
  protected:
    std::vector<std::wstring> Compile(std::string_view bytes, ButtonId input = ButtonId::M) {
        folder.Write("script.txt", bytes);
        CompileMacroScript(list, input, ScriptPath(folder.ProgramFolder(), L"script.txt"));
        return list.Current()->ToStrings();
    }

    testing::MacroScriptFolder folder;
    MacroLineList list;
};

TEST_F(MacroCompilerTest, ScriptPathJoinsFolderScriptsFolderAndName) {
    EXPECT_EQ(ScriptPath(L"C:\\Tools\\Tressel", L"TRIPLE SHOT.txt"),
              L"C:\\Tools\\Tressel\\ScriptsMacros\\TRIPLE SHOT.txt");
}

TEST_F(MacroCompilerTest, EveryKeywordAtLineStartBecomesItsLetter) {
    EXPECT_THAT(Compile("LeftDown\nLeftUp\nRightDown\nRightUp\nMiddleDown\nMiddleUp\n"
                        "Delay 40\nMoveL -300 px\nMoveR 12\nKeyDown 17\nKeyUp 17\n"),
                ElementsAre(L"a", L"b", L"c", L"d", L"e", L"f", L"g 40", L"h -300 px", L"i 12",
                            L"j 17", L"k 17"));
}

TEST_F(MacroCompilerTest, ButtonKeywordsIgnoreTheRestOfTheLine) {
    EXPECT_THAT(Compile("LeftDownNow\nLeftUp 25\nMiddleDown-ish\n"), ElementsAre(L"a", L"b", L"e"));
}

TEST_F(MacroCompilerTest, OnlyExactKeywordsAtTheVeryFirstCharacterCount) {
    EXPECT_THAT(Compile(" LeftDown\n\tLeftDown\nleftdown\nLeft Down\nLEFTDOWN\n# LeftDown\n"
                        "; Delay 5\n\nPress LeftDown\nDela 5\nKey Down 5\n"),
                IsEmpty());
}

TEST_F(MacroCompilerTest, ArgumentRunsFromTheFirstBlankToTheLineEnd) {
    EXPECT_THAT(
        Compile("Delay 25\nDelay 25 ms wait\nKeyUp  65\nDelay\t25\nDelay40\nDelay\n"),
        ElementsAre(L"g 25", L"g 25 ms wait", L"k  65", L"gDelay\t25", L"gDelay40", L"gDelay"));
}

TEST_F(MacroCompilerTest, RightButtonKeywordsAreNoCommandsForTheRightButtonOnly) {
    const std::string script = "RightDown\nLeftDown\nRightUp\nLeftUp\n";
    EXPECT_THAT(Compile(script, ButtonId::R), ElementsAre(L"a", L"b"));
    for (ButtonId other : {ButtonId::M, ButtonId::X1, ButtonId::X2, ButtonId::WD, ButtonId::WU}) {
        EXPECT_THAT(Compile(script, other), ElementsAre(L"c", L"a", L"d", L"b"));
    }
}

TEST_F(MacroCompilerTest, CrLfAndLfFilesCompileTheSame) {
    const auto lf = Compile("LeftDown\nDelay 40\nLeftUp\n");
    EXPECT_EQ(Compile("LeftDown\r\nDelay 40\r\nLeftUp\r\n"), lf);
    EXPECT_EQ(Compile("LeftDown\r\nDelay 40\nLeftUp"), lf) << "mixed, no final line end";
}

TEST_F(MacroCompilerTest, OnlyACarriageReturnBeforeALineFeedIsDropped) {
    EXPECT_THAT(Compile("Delay 5\r7\r\nKeyDown 9\r\r\nKeyUp 9\r"),
                ElementsAre(L"g 5\r7", L"j 9\r", L"k 9\r"));
}

TEST_F(MacroCompilerTest, CtrlZEndsTheText) {
    EXPECT_THAT(Compile("LeftDown\nDelay 4\x1a"
                        "0\nLeftUp\n"),
                ElementsAre(L"a", L"g 4"));
    EXPECT_THAT(Compile("LeftDown\r\n\x1aLeftUp\r\n"), ElementsAre(L"a"));
}

TEST_F(MacroCompilerTest, ByteOrderMarkHidesTheFirstLine) {
    EXPECT_THAT(Compile("\xEF\xBB\xBFLeftDown\r\nLeftUp\r\n"), ElementsAre(L"b"));
}

TEST_F(MacroCompilerTest, EveryByteWidensToTheCharacterOfTheSameCode) {
    const auto lines = Compile("KeyDown \x80\xE9\xFF\x01 x\n"s + "Delay 1\0002\n"s);
    EXPECT_THAT(lines, ElementsAre(L"j \u0080\u00E9\u00FF\u0001 x", L"g 1\0002"s));
}

TEST_F(MacroCompilerTest, LinesAcrossReadChunksAreWholeAndCrLfSplitByAChunkEndsAsOne) {
    // A line across the end of the first 64 KiB read, then a line whose CR is the last byte of
    // the second read and whose LF is the first of the third.
    std::string script;
    auto commentsUpTo = [&](std::size_t position) {
        while (position - script.size() > 1002) script += std::string(1000, '#') + "\r\n";
        script += std::string(position - script.size() - 2, '#') + "\r\n";
    };
    commentsUpTo(65536 - 5);
    script += "Delay 12345\r\n";
    commentsUpTo(2 * 65536 - 10);
    script += "KeyDown 9\r\nKeyUp 9";
    ASSERT_EQ(script.find("\r\nKeyUp"), 2u * 65536 - 1);

    EXPECT_THAT(Compile(script), ElementsAre(L"g 12345", L"j 9", L"k 9"));
}

// Only the first 4096 bytes of a line are kept, however long it is and wherever it crosses a
// read; the line after it is whole. A command decided beyond the cut (a blank after it) is the
// one change.
TEST_F(MacroCompilerTest, LongLinesAreCutAtTheLimit) {
    constexpr std::size_t kLimit = 4096;
    const struct {
        std::string line;
        std::wstring action;
    } cases[] = {
        {"Delay 40 " + std::string(2 * kLimit, '-'), L"g 40 " + std::wstring(kLimit - 9, L'-')},
        {"KeyDown " + std::string(200000, '7'), L"j " + std::wstring(kLimit - 8, L'7')},
        {"MoveR 5 " + std::string(kLimit - 8, '.'), L"i 5 " + std::wstring(kLimit - 8, L'.')},
        {"MoveR 5 " + std::string(kLimit - 7, '.'), L"i 5 " + std::wstring(kLimit - 8, L'.')},
        {"Delay" + std::string(kLimit, 'x') + " 40", L"gDelay" + std::wstring(kLimit - 5, L'x')},
        // Exactly 4096 bytes, the wait's last digit the line's last byte: it waits 1234 ms.
        {"Delay " + std::string(kLimit - 10, '0') + "1234",
         L"g " + std::wstring(kLimit - 10, L'0') + L"1234"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.size());
        EXPECT_THAT(Compile(c.line + "\r\nLeftUp\r\n" + c.line),
                    ElementsAre(c.action, L"b", c.action));
    }
}

TEST_F(MacroCompilerTest, ScriptsOverTheSizeLimitAreRefusedWhole) {
    constexpr std::size_t kLimit = 16777216;  // 16 MiB
    std::string script;
    script.reserve(kLimit + 1);
    while (script.size() < kLimit) script += "LeftUp\r\n";
    ASSERT_EQ(script.size(), kLimit);
    folder.Write("big.txt", script);
    const std::wstring path = ScriptPath(folder.ProgramFolder(), L"big.txt");
    EXPECT_EQ(CompileMacroScript(list, ButtonId::M, path), ScriptCompileResult::Compiled);
    EXPECT_EQ(list.Count(), kLimit / 8);

    script += "L";
    folder.Write("big.txt", script);
    EXPECT_EQ(CompileMacroScript(list, ButtonId::M, path), ScriptCompileResult::TooLarge);
    EXPECT_EQ(list.Count(), 0u);
}

// A file whose size says nothing (a device that never ends) is refused by what is read.
TEST_F(MacroCompilerTest, AFileWithoutEndIsRefusedAsTooLarge) {
    if (!std::filesystem::exists("/dev/zero")) GTEST_SKIP() << "no /dev/zero here";
    EXPECT_EQ(CompileMacroScript(list, ButtonId::M, L"/dev/zero"), ScriptCompileResult::TooLarge);
    EXPECT_EQ(list.Count(), 0u);
}

TEST(ScriptRefusalText, ATooLargeScriptIsNamedWithTheLimit) {
    EXPECT_EQ(ScriptRefusalText(ScriptCompileResult::TooLarge, L"big.txt"),
              L"The macro script \"big.txt\" is larger than 16 MB and was not loaded. The input "
              L"plays nothing.");
}

// In a balloon's 255 characters a long name gives up its middle, never the reason or what
// follows it.
TEST(ScriptRefusalText, ALongNameGivesUpItsMiddleNeverTheReasonOrTheOthers) {
    const std::wstring others = L" 2 other macro scripts were not loaded either.";
    const std::wstring longName = std::wstring(200, L'n') + L".txt";
    const std::wstring cut = ScriptRefusalText(ScriptCompileResult::TooLarge, longName, others);
    EXPECT_LE(cut.size(), 255u);
    EXPECT_TRUE(cut.starts_with(L"The macro script \"nnn"));
    EXPECT_TRUE(
        cut.ends_with(L"n.txt\" is larger than 16 MB and was not loaded. The input plays "
                      L"nothing." +
                      others));
    EXPECT_NE(cut.find(L"n\u2026n"), std::wstring::npos);
}

TEST_F(MacroCompilerTest, SecondCompileLeavesOnlyTheSecondScript) {
    Compile("LeftDown\nLeftUp\nDelay 5\n");
    EXPECT_THAT(Compile("KeyDown 17\n"), ElementsAre(L"j 17"));
}

TEST_F(MacroCompilerTest, UnopenableScriptLeavesTheListEmpty) {
    Compile("LeftDown\n");
    EXPECT_EQ(
        CompileMacroScript(list, ButtonId::M, ScriptPath(folder.ProgramFolder(), L"missing.txt")),
        ScriptCompileResult::NotOpened);
    EXPECT_THAT(*list.Current(), IsEmpty());

    Compile("LeftDown\n");
    // An empty name names the scripts folder itself.
    EXPECT_EQ(CompileMacroScript(list, ButtonId::M, ScriptPath(folder.ProgramFolder(), L"")),
              ScriptCompileResult::NotOpened);
    EXPECT_THAT(*list.Current(), IsEmpty());
}

TEST_F(MacroCompilerTest, EmptyAndCommentOnlyFilesGiveEmptyLists) {
    EXPECT_THAT(Compile(""), IsEmpty());
    EXPECT_THAT(Compile("; nothing to do\r\n\r\n"), IsEmpty());
}

// The shipped scripts: every one compiles to a playable macro that releases what it presses.
TEST(ShippedMacroScripts, CompileToBalancedMacros) {
    const std::filesystem::path folder = std::filesystem::path(TRESSEL_SOURCE_DIR) / "resources";
    const std::string narrow = folder.string();
    const std::wstring programFolder(narrow.begin(), narrow.end());
    for (const wchar_t* name :
         {L"TRIPLE SHOT.txt", L"CS_REVERSE.txt", L"CS_4 SHOT.txt", L"CS_MULTI SHOT(40mS).txt",
          L"CS_AUOTMATIC SHOT.txt", L"OFFICE_DOUBLE CLICK.txt", L"LEFT-BUTTOM DOUBLE CLICK.txt",
          L"WC3_SELECT IDLE WORKER.txt"}) {
        SCOPED_TRACE(testing::Narrow(name));
        MacroLineList list;
        CompileMacroScript(list, ButtonId::X1, ScriptPath(programFolder, name));
        const auto lines = list.Current()->ToStrings();
        ASSERT_FALSE(lines.empty());
        auto count = [&](wchar_t letter) {
            return std::count_if(lines.begin(), lines.end(),
                                 [&](const std::wstring& l) { return l[0] == letter; });
        };
        EXPECT_EQ(count(L'a'), count(L'b'));
        EXPECT_EQ(count(L'j'), count(L'k'));
        for (const std::wstring& line : lines) {
            EXPECT_NE(std::wstring_view(L"abgijk").find(line[0]), std::wstring_view::npos);
            EXPECT_EQ(line.find(L'\r'), std::wstring::npos) << "CRLF line ends expected";
        }
    }
}

}  // namespace
}  // namespace tressel
