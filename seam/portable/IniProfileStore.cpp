#include "seam/portable/IniProfileStore.h"

#include <fstream>
#include <iterator>

#include "seam/portable/IniDocument.h"
#include "seam/portable/IniEncoding.h"
#include "seam/portable/PortablePath.h"

namespace tressel {
namespace {

struct LoadedFile {
    bool exists = false;
    IniEncoding encoding = IniEncoding::Ansi;
    IniDocument document;
};

LoadedFile Load(const std::wstring& file) {
    LoadedFile loaded;
    std::ifstream in(ToHostPath(file), std::ios::binary);
    if (!in) return loaded;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const DecodedIni decoded = DecodeIniBytes(bytes);
    loaded.exists = true;
    loaded.encoding = decoded.encoding;
    loaded.document = IniDocument::Parse(decoded.text);
    return loaded;
}

bool Store(const std::wstring& file, const LoadedFile& loaded) {
    const std::string bytes = EncodeIniText(loaded.encoding, loaded.document.Serialize());
    std::ofstream out(ToHostPath(file), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

// One matching pair of outer quotes ('...' or "...") is not part of the value.
std::wstring WithoutOuterQuotes(const std::wstring& value) {
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::wstring WithoutTrailingBlanks(std::wstring text) {
    while (!text.empty() && text.back() == L' ') text.pop_back();
    return text;
}

}  // namespace

std::wstring ProfileValueAsRead(const std::optional<std::wstring>& stored,
                                const std::wstring& defaultValue, std::size_t bufferSize) {
    if (bufferSize == 0) return {};
    // The default loses its trailing blanks, as with the platform's functions.
    std::wstring value = stored ? WithoutOuterQuotes(*stored) : WithoutTrailingBlanks(defaultValue);
    if (value.size() > bufferSize - 1) value.resize(bufferSize - 1);
    return value;
}

std::wstring IniProfileStore::GetString(const std::wstring& file, const std::wstring& section,
                                        const std::wstring& key, const std::wstring& defaultValue,
                                        std::size_t bufferSize) {
    if (bufferSize == 0) return {};
    return ProfileValueAsRead(Load(file).document.Find(section, key), defaultValue, bufferSize);
}

bool ApplyProfileWrite(IniDocument& document, const std::wstring& section,
                       const std::optional<std::wstring>& key,
                       const std::optional<std::wstring>& value) {
    if (!key) return document.DeleteSection(section);
    if (!value) return document.DeleteKey(section, *key);
    return document.Set(section, *key, *value);
}

bool IniProfileStore::WriteString(const std::wstring& file, const std::wstring& section,
                                  const std::optional<std::wstring>& key,
                                  const std::optional<std::wstring>& value) {
    LoadedFile loaded = Load(file);
    // Deleting what is not there succeeds and leaves the file (even a missing one) alone.
    if (!ApplyProfileWrite(loaded.document, section, key, value)) return true;
    return Store(file, loaded);
}

void IniProfileStore::Flush(const std::wstring&) {}

std::vector<std::wstring> IniProfileStore::SectionNames(const std::wstring& file) {
    return Load(file).document.SectionNames();
}

}  // namespace tressel
