// INI files as the profile functions see them: the bytes decoded (ANSI or UTF-16LE), parsed,
// written back and read again, then profile reads and writes on the same bytes as a file.
// A document written back must read as itself, a plain value written must read back, and a
// deleted key or section must give way to the default.

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

// A delete takes away the first of several keys (or sections) of the same name only, as the
// profile functions do, so in a file that holds one twice the next one shows afterwards.
// Deleting again must uncover the default before every line of the file is gone. A key is gone
// when reads with two different defaults give each its own (a stored value may equal either).
bool DeletesEndInTheDefault(IniProfileStore& store, const std::wstring& file,
                            const std::wstring& section, const std::wstring& key, bool wholeSection,
                            std::size_t lines) {
    for (std::size_t i = 0; i <= lines; ++i) {
        const std::optional<std::wstring> deleted =
            wholeSection ? std::nullopt : std::optional<std::wstring>(key);
        if (!store.WriteString(file, section, deleted, std::nullopt)) return false;
        if (store.GetString(file, section, key, L"none", 512) == L"none" &&
            store.GetString(file, section, key, L"nil", 512) == L"nil")
            return true;
    }
    return false;
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
    // Every line of the file, and every one the writes below may add.
    const std::size_t lines = bytes.size() + 1 + static_cast<std::size_t>(operations);
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
            case 2:
                if (!DeletesEndInTheDefault(store, file, section, key, kinds[i] == 2, lines))
                    std::abort();
                break;
            default:
                store.GetString(file, section, key, value, 1 + value.size() % 8);
                break;
        }
    }
    return 0;
}
