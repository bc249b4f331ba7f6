#include "contract/ProfileStoreContract.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

namespace tressel::testing {

std::string ProfileStoreTargetName(const ::testing::TestParamInfo<ProfileStoreTarget>& info) {
    return info.param.name;
}

void ProfileStoreContract::SetUp() {
    store = GetParam().makeStore();
    folder = GetParam().makeFolder();
}

void ProfileStoreContract::TearDown() {
    store.reset();
    std::error_code ignored;
    std::filesystem::remove_all(GetParam().hostPath(folder), ignored);
}

std::wstring ProfileStoreContract::PathOf(const std::wstring& fileName) const {
    return folder + GetParam().separator + fileName;
}

std::string ProfileStoreContract::ReadBytes(const std::wstring& path) const {
    std::ifstream in(GetParam().hostPath(path), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void ProfileStoreContract::WriteBytes(const std::wstring& path, const std::string& bytes) const {
    std::ofstream out(GetParam().hostPath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool ProfileStoreContract::FileExists(const std::wstring& path) const {
    std::error_code ignored;
    return std::filesystem::exists(GetParam().hostPath(path), ignored);
}

namespace {

constexpr std::size_t kBuffer = 512;
const std::optional<std::wstring> kNone;

std::string Utf16Le(std::u16string_view text) {
    std::string bytes;
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

}  // namespace

TEST_P(ProfileStoreContract, SectionAndKeyNamesCompareWithoutCase) {
    const std::wstring file = PathOf(L"case.ini");
    WriteBytes(file, "[Buttons]\r\nKey=old\r\n");
    EXPECT_EQ(store->GetString(file, L"BUTTONS", L"kEY", L"-", kBuffer), L"old");

    // A write under other case replaces the value in place; the stored names keep their case.
    ASSERT_TRUE(store->WriteString(file, L"buttons", std::wstring(L"KEY"), std::wstring(L"new")));
    EXPECT_EQ(ReadBytes(file), "[Buttons]\r\nKey=new\r\n");
}

TEST_P(ProfileStoreContract, ReadTrimsBlanksAndTabsAndRemovesOneMatchingQuotePair) {
    const std::wstring file = PathOf(L"trim.ini");
    WriteBytes(file,
               "[S]\r\n"
               "plain = \t value with  inner blanks \t\r\n"
               "double=\"  kept blanks  \"\r\n"
               "single='x'\r\n"
               "mismatched=\"mixed'\r\n"
               "nested=\"\"twice\"\"\r\n"
               "lone=\"\r\n");
    const auto read = [&](const wchar_t* key) {
        return store->GetString(file, L"S", key, L"-", kBuffer);
    };
    EXPECT_EQ(read(L"plain"), L"value with  inner blanks");
    EXPECT_EQ(read(L"double"), L"  kept blanks  ");
    EXPECT_EQ(read(L"single"), L"x");
    EXPECT_EQ(read(L"mismatched"), L"\"mixed'");
    EXPECT_EQ(read(L"nested"), L"\"twice\"");
    EXPECT_EQ(read(L"lone"), L"\"");
}

TEST_P(ProfileStoreContract, AbsentFileSectionOrKeyGivesTheDefaultButAnEmptyValueDoesNot) {
    const std::wstring file = PathOf(L"absent.ini");
    EXPECT_EQ(store->GetString(PathOf(L"missing.ini"), L"S", L"k", L"dflt", kBuffer), L"dflt");
    WriteBytes(file, "[S]\r\nempty=\r\n");
    EXPECT_EQ(store->GetString(file, L"Other", L"empty", L"dflt", kBuffer), L"dflt");
    EXPECT_EQ(store->GetString(file, L"S", L"k", L"dflt", kBuffer), L"dflt");
    EXPECT_EQ(store->GetString(file, L"S", L"empty", L"dflt", kBuffer), L"");
    // Trailing blanks of a default are dropped.
    EXPECT_EQ(store->GetString(file, L"S", L"k", L"dflt  ", kBuffer), L"dflt");
    EXPECT_FALSE(FileExists(PathOf(L"missing.ini")));
}

TEST_P(ProfileStoreContract, ReadIsCutToOneLessThanTheBufferSize) {
    const std::wstring file = PathOf(L"cut.ini");
    WriteBytes(file, "[S]\r\nk=abcdefgh\r\n");
    EXPECT_EQ(store->GetString(file, L"S", L"k", L"", 9), L"abcdefgh");
    EXPECT_EQ(store->GetString(file, L"S", L"k", L"", 8), L"abcdefg");
    EXPECT_EQ(store->GetString(file, L"S", L"k", L"", 4), L"abc");
    EXPECT_EQ(store->GetString(file, L"S", L"k", L"", 1), L"");
    EXPECT_EQ(store->GetString(file, L"S", L"absent", L"default", 4), L"def");
}

TEST_P(ProfileStoreContract, NoKeyDeletesTheWholeSectionAndKeepsTheRest) {
    const std::wstring file = PathOf(L"sections.ini");
    WriteBytes(file, "; hand comment\r\n[A]\r\na=1\r\n[B]\r\n;inside\r\nb=2\r\n[C]\r\nc=3\r\n");
    ASSERT_TRUE(store->WriteString(file, L"b", kNone, kNone));
    EXPECT_EQ(ReadBytes(file), "; hand comment\r\n[A]\r\na=1\r\n[C]\r\nc=3\r\n");
    EXPECT_EQ(store->GetString(file, L"B", L"b", L"gone", kBuffer), L"gone");

    // Deleting what is not there succeeds, and creates no file.
    EXPECT_TRUE(store->WriteString(file, L"Absent", kNone, kNone));
    EXPECT_EQ(ReadBytes(file), "; hand comment\r\n[A]\r\na=1\r\n[C]\r\nc=3\r\n");
    EXPECT_TRUE(store->WriteString(PathOf(L"never.ini"), L"S", kNone, kNone));
    EXPECT_FALSE(FileExists(PathOf(L"never.ini")));
}

TEST_P(ProfileStoreContract, NoValueDeletesTheKey) {
    const std::wstring file = PathOf(L"keys.ini");
    WriteBytes(file, "[A]\r\nx=1\r\ny=2\r\nz=3\r\n[B]\r\ny=4\r\n");
    ASSERT_TRUE(store->WriteString(file, L"A", std::wstring(L"Y"), kNone));
    EXPECT_EQ(ReadBytes(file), "[A]\r\nx=1\r\nz=3\r\n[B]\r\ny=4\r\n");
    EXPECT_TRUE(store->WriteString(file, L"A", std::wstring(L"absent"), kNone));
    EXPECT_EQ(ReadBytes(file), "[A]\r\nx=1\r\nz=3\r\n[B]\r\ny=4\r\n");
}

// A hand-edited file may hold a key or a section twice: only the first counts, and a delete
// takes the first away, which uncovers the next.
TEST_P(ProfileStoreContract, OfAKeyOrSectionStandingTwiceTheFirstCountsAndADeleteTakesTheFirst) {
    const std::wstring file = PathOf(L"twice.ini");
    WriteBytes(file, "[S]\r\nk=1\r\nk=2\r\n[T]\r\nt=1\r\n[T]\r\nt=2\r\nu=3\r\n");
    EXPECT_EQ(store->GetString(file, L"S", L"k", L"none", kBuffer), L"1");
    EXPECT_EQ(store->GetString(file, L"T", L"u", L"none", kBuffer), L"none");

    ASSERT_TRUE(store->WriteString(file, L"S", std::wstring(L"k"), kNone));
    EXPECT_EQ(store->GetString(file, L"S", L"k", L"none", kBuffer), L"2");
    ASSERT_TRUE(store->WriteString(file, L"T", kNone, kNone));
    EXPECT_EQ(store->GetString(file, L"T", L"t", L"none", kBuffer), L"2");
    EXPECT_EQ(store->GetString(file, L"T", L"u", L"none", kBuffer), L"3");
}

TEST_P(ProfileStoreContract, SectionNamesComeInFileOrderWithoutTheBlanksAroundThemAndKeepUnicode) {
    const std::wstring file = PathOf(L"names.ini");
    EXPECT_TRUE(store->SectionNames(file).empty());
    WriteBytes(file, "\xFF\xFE" + Utf16Le(u"k=before any\r\n[Programs]\r\n1=a.exe\r\n"
                                          u"[ X1ButtonSetting:Блокнот 記事本.exe ]\r\n1=1\r\n"
                                          u"[RButtonSetting]\r\n"));
    EXPECT_EQ(store->SectionNames(file),
              (std::vector<std::wstring>{L"Programs", L"X1ButtonSetting:Блокнот 記事本.exe",
                                         L"RButtonSetting"}));
}

TEST_P(ProfileStoreContract, WritingCreatesAMissingFileAsAnsiAndAppendsNewKeysAndSections) {
    const std::wstring file = PathOf(L"new.ini");
    ASSERT_TRUE(store->WriteString(file, L"S", std::wstring(L"k"), std::wstring(L"v")));
    EXPECT_EQ(ReadBytes(file), "[S]\r\nk=v\r\n");
    ASSERT_TRUE(store->WriteString(file, L"S", std::wstring(L"empty"), std::wstring(L"")));
    ASSERT_TRUE(store->WriteString(file, L"T", std::wstring(L"0"), std::wstring(L"x")));
    ASSERT_TRUE(store->WriteString(file, L"s", std::wstring(L"late"), std::wstring(L"1")));
    EXPECT_EQ(ReadBytes(file), "[S]\r\nk=v\r\nempty=\r\nlate=1\r\n[T]\r\n0=x\r\n");
}

TEST_P(ProfileStoreContract, CommentsAndForeignSectionsSurviveAWrite) {
    const std::wstring file = PathOf(L"keep.ini");
    WriteBytes(file, "; made by hand\r\n[Mine]\r\n;why=because\r\nnote=keep me\r\n[S]\r\nk=v\r\n");
    ASSERT_TRUE(store->WriteString(file, L"S", std::wstring(L"k"), std::wstring(L"w")));
    EXPECT_EQ(ReadBytes(file),
              "; made by hand\r\n[Mine]\r\n;why=because\r\nnote=keep me\r\n[S]\r\nk=w\r\n");
}

TEST_P(ProfileStoreContract, LeadingBlanksOfAWrittenValueDoNotComeBackOnRead) {
    const std::wstring file = PathOf(L"blanks.ini");
    ASSERT_TRUE(store->WriteString(file, L"S", std::wstring(L"k"), std::wstring(L"  prog.exe")));
    EXPECT_EQ(ReadBytes(file), GetParam().writeDropsLeadingBlanks ? "[S]\r\nk=prog.exe\r\n"
                                                                  : "[S]\r\nk=  prog.exe\r\n");
    // Either way the read trims them; only quotes in the file keep blanks.
    EXPECT_EQ(store->GetString(file, L"S", L"k", L"", kBuffer), L"prog.exe");
}

TEST_P(ProfileStoreContract, UnicodeFileKeepsEveryCharacter) {
    const std::wstring file = PathOf(L"unicode.ini");
    WriteBytes(file, "\xFF\xFE");
    const std::wstring path = L"C:\\Users\\J\u00f6rg\\\u5de5\u5177\\app.exe";
    const std::wstring emoji = L"smile \U0001F600";
    ASSERT_TRUE(store->WriteString(file, L"S", std::wstring(L"p"), path));
    ASSERT_TRUE(store->WriteString(file, L"S", std::wstring(L"e"), emoji));
    EXPECT_EQ(ReadBytes(file),
              "\xFF\xFE" + Utf16Le(u"[S]\r\np=C:\\Users\\J\u00f6rg\\\u5de5\u5177\\app.exe\r\n"
                                   u"e=smile \U0001F600\r\n"));
    EXPECT_EQ(store->GetString(file, L"s", L"P", L"", kBuffer), path);
    EXPECT_EQ(store->GetString(file, L"S", L"e", L"", kBuffer), emoji);
}

TEST_P(ProfileStoreContract, AnsiFileReadsEightBitTextAndLosesCharactersOutsideIt) {
    const std::wstring file = PathOf(L"ansi.ini");
    WriteBytes(file, "[S]\r\nname=J\xF6rg\r\n");
    EXPECT_EQ(store->GetString(file, L"S", L"name", L"", kBuffer), L"J\u00f6rg");
    ASSERT_TRUE(store->WriteString(file, L"S", std::wstring(L"path"),
                                   std::wstring(L"C:\\\u5de5\\\u00e9.exe")));
    EXPECT_EQ(ReadBytes(file), "[S]\r\nname=J\xF6rg\r\npath=C:\\?\\\xE9.exe\r\n");
    EXPECT_EQ(store->GetString(file, L"S", L"path", L"", kBuffer), L"C:\\?\\\u00e9.exe");
}

TEST_P(ProfileStoreContract, BlanksInsideASectionHeadersBracketsAreNotPartOfTheName) {
    const std::wstring file = PathOf(L"header.ini");
    WriteBytes(file, "[ RButtonSetting ]\r\n0=Copy\r\n[\tT\t]\r\nk=1\r\n");
    EXPECT_EQ(store->GetString(file, L"RButtonSetting", L"0", L"-", kBuffer), L"Copy");
    EXPECT_EQ(store->GetString(file, L"T", L"k", L"-", kBuffer), L"1");

    // The write finds the section instead of adding a second one. Windows edits the file in
    // place and leaves the header as it was; Wine writes the whole file anew from the names.
    ASSERT_TRUE(
        store->WriteString(file, L"RButtonSetting", std::wstring(L"0"), std::wstring(L"Cut")));
    EXPECT_EQ(ReadBytes(file), GetParam().writeNormalisesSectionHeaders
                                   ? "[RButtonSetting]\r\n0=Cut\r\n[T]\r\nk=1\r\n"
                                   : "[ RButtonSetting ]\r\n0=Cut\r\n[\tT\t]\r\nk=1\r\n");
    EXPECT_EQ(store->GetString(file, L"RButtonSetting", L"0", L"-", kBuffer), L"Cut");
}

TEST_P(ProfileStoreContract, AValueEndsAtTheLineNotAtAFurtherEqualsSign) {
    const std::wstring file = PathOf(L"equals.ini");
    WriteBytes(file, "[S]\r\nk=a=b\r\nx = y=z \r\n");
    EXPECT_EQ(store->GetString(file, L"S", L"k", L"-", kBuffer), L"a=b");
    EXPECT_EQ(store->GetString(file, L"S", L"x", L"-", kBuffer), L"y=z");

    const std::wstring target = L"C:\\x=y\\run.exe";
    ASSERT_TRUE(store->WriteString(file, L"S", std::wstring(L"k"), std::wstring(L"c=d")));
    ASSERT_TRUE(store->WriteString(file, L"S", std::wstring(L"5"), target));
    EXPECT_EQ(store->GetString(file, L"S", L"k", L"-", kBuffer), L"c=d");
    EXPECT_EQ(store->GetString(file, L"S", L"5", L"-", kBuffer), target);
    EXPECT_EQ(store->GetString(file, L"S", L"x", L"-", kBuffer), L"y=z");
}

// A Unicode file whose last byte is half a character (a stray byte, a cut-off copy).
TEST_P(ProfileStoreContract, UnicodeFileWithAnOddLastByteKeepsItsValuesAndItsEncoding) {
    const std::wstring file = PathOf(L"odd.ini");
    const std::string lines = "\xFF\xFE" + Utf16Le(u"[S]\r\nk=v\r\n");
    WriteBytes(file, lines + "A");
    EXPECT_EQ(store->GetString(file, L"S", L"k", L"-", kBuffer), L"v");

    ASSERT_TRUE(store->WriteString(file, L"S", std::wstring(L"n"), std::wstring(L"w")));
    EXPECT_EQ(store->GetString(file, L"S", L"k", L"-", kBuffer), L"v");
    EXPECT_EQ(store->GetString(file, L"S", L"n", L"-", kBuffer), L"w");
    // What becomes of the odd byte differs, so only the lines around it are pinned: Wine reads it
    // as a character completed by whatever byte follows the file's data in its buffer and keeps
    // that as a line of its own; the portable store reads whole UTF-16 units only and drops it.
    const std::string bytes = ReadBytes(file);
    EXPECT_EQ(bytes.substr(0, lines.size()), lines);
    EXPECT_NE(bytes.find(Utf16Le(u"n=w\r\n")), std::string::npos);
}

}  // namespace tressel::testing
