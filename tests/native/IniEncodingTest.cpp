// The INI file's encoding survives a rewrite: ANSI text stays ANSI whatever it begins with.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "seam/portable/IniEncoding.h"
#include "seam/portable/IniProfileStore.h"

namespace tressel {
namespace {

using testing::TempFolder;
using testing::WriteFileBytes;

// Text that begins with the characters of the byte-order mark is written behind a blank line,
// which the profile functions skip.
TEST(IniEncoding, AnsiTextStaysAnsiWhateverItBeginsWith) {
    const struct {
        std::wstring text;
        std::wstring readBack;
    } rows[] = {
        {L"[S]\r\nk=v\r\n", L"[S]\r\nk=v\r\n"},
        {L"\u00FF\u00FE=1\r\n[S]\r\nk=v\r\n", L"\r\n\u00FF\u00FE=1\r\n[S]\r\nk=v\r\n"},
        {L"\u00FF\u00FE", L"\r\n\u00FF\u00FE"},
        {L"\u00FF\u00FF[S]\r\n", L"\u00FF\u00FF[S]\r\n"},
    };
    for (const auto& row : rows) {
        const DecodedIni decoded = DecodeIniBytes(EncodeIniText(IniEncoding::Ansi, row.text));
        EXPECT_EQ(decoded.encoding, IniEncoding::Ansi);
        EXPECT_EQ(decoded.text, row.readBack);
    }
}

// Found by fuzzing: the blank first line was dropped on a write, and the file, now beginning
// with the bytes of the byte-order mark, read back as UTF-16: every value was lost.
TEST(IniEncoding, AWriteKeepsAnAnsiFileWhoseFirstLineBeginsLikeAByteOrderMark) {
    const TempFolder folder("ini-encoding");
    const auto file = folder / "settings.ini";
    WriteFileBytes(file, "\r\n\xFF\xFE=1\r\n[S]\r\nk=v\r\n");
    const std::wstring path = file.wstring();

    IniProfileStore store;
    ASSERT_TRUE(store.WriteString(path, L"S", L"k2", L"x"));
    EXPECT_EQ(store.GetString(path, L"S", L"k", L"", 64), L"v");
    EXPECT_EQ(store.GetString(path, L"S", L"k2", L"", 64), L"x");
}

}  // namespace
}  // namespace tressel
