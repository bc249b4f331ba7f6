// INI files as the profile functions see them: the bytes decoded (ANSI or UTF-16LE), parsed,
// written back and read again, then profile reads and writes on the same bytes as a file.
// A document written back must read as itself, and a plain value written must read back.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "FuzzSupport.h"
#include "seam/portable/IniDocument.h"
#include "seam/portable/IniEncoding.h"
#include "seam/portable/IniProfileStore.h"

using namespace tressel;

namespace {

// A name or value the profile functions keep as it is: no blanks at its ends, no quotes, no
// line ends, no '=' or brackets.
std::wstring PlainText(FuzzedDataProvider& provider) {
    static constexpr char kAlphabet[] = "abcXYZ019 _.-";
    std::wstring text;
    for (const char c : provider.ConsumeRandomLengthString(12)) {
        text +=
            static_cast<wchar_t>(kAlphabet[static_cast<unsigned char>(c) % (sizeof kAlphabet - 1)]);
    }
    while (!text.empty() && text.back() == L' ') text.pop_back();
    while (!text.empty() && text.front() == L' ') text.erase(0, 1);
    return text.empty() ? L"k" : text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const int operations = provider.ConsumeIntegralInRange<int>(0, 4);
    std::vector<std::wstring> texts;
    for (int i = 0; i < 3 * operations; ++i) texts.push_back(PlainText(provider));
    std::vector<int> kinds;
    for (int i = 0; i < operations; ++i)
        kinds.push_back(provider.ConsumeIntegralInRange<int>(0, 3));
    const std::string bytes = provider.ConsumeRemainingBytesAsString();

    // Decoding, parsing and writing back.
    const DecodedIni decoded = DecodeIniBytes(bytes);
    const std::wstring serialized = IniDocument::Parse(decoded.text).Serialize();
    if (IniDocument::Parse(serialized).Serialize() != serialized) std::abort();
    const DecodedIni again = DecodeIniBytes(EncodeIniText(decoded.encoding, serialized));
    if (again.encoding != decoded.encoding) std::abort();
    if (decoded.encoding == IniEncoding::Utf16Le && again.text != serialized) std::abort();

    // The profile functions on the same bytes as a file.
    const fuzz::ScratchFolder& folder = fuzz::ScratchFolder::Instance();
    folder.Write("fuzz.ini", bytes);
    const std::wstring file = folder.Wide("fuzz.ini");
    IniProfileStore store;
    for (int i = 0; i < operations; ++i) {
        const std::wstring& section = texts[3 * i];
        const std::wstring& key = texts[3 * i + 1];
        const std::wstring& value = texts[3 * i + 2];
        switch (kinds[i]) {
            case 0:
                if (!store.WriteString(file, section, key, value)) std::abort();
                if (store.GetString(file, section, key, L"", 512) != value) std::abort();
                break;
            case 1:
                if (!store.WriteString(file, section, key, std::nullopt)) std::abort();
                if (store.GetString(file, section, key, L"none", 512) != L"none") std::abort();
                break;
            case 2:
                if (!store.WriteString(file, section, std::nullopt, std::nullopt)) std::abort();
                if (store.GetString(file, section, key, L"none", 512) != L"none") std::abort();
                break;
            default:
                store.GetString(file, section, key, value, 1 + value.size() % 8);
                break;
        }
    }
    return 0;
}
