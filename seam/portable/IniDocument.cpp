#include "seam/portable/IniDocument.h"

#include <algorithm>
#include <cwctype>
#include <utility>

namespace tressel {
namespace {

bool IsIniSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

std::wstring_view TrimmedView(std::wstring_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsIniSpace(text[begin])) ++begin;
    while (end > begin && IsIniSpace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

std::wstring Trim(std::wstring_view text) { return std::wstring(TrimmedView(text)); }

wchar_t FoldCase(wchar_t c) {
    if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 32);
    if (c < 0x80) return c;
    return static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c)));
}

bool SameName(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return FoldCase(x) == FoldCase(y); });
}

}  // namespace

IniDocument IniDocument::Parse(const std::wstring& text) {
    IniDocument document;
    Section* current = nullptr;
    std::size_t lineStart = 0;
    while (lineStart <= text.size()) {
        std::size_t lineEnd = text.find_first_of(L"\r\n", lineStart);
        if (lineEnd == std::wstring::npos) lineEnd = text.size();
        const std::wstring_view line =
            TrimmedView(std::wstring_view(text).substr(lineStart, lineEnd - lineStart));
        lineStart = lineEnd + 1;
        if (line.empty()) continue;

        if (line.front() == L'[') {
            if (const auto close = line.rfind(L']'); close != std::wstring_view::npos) {
                document.sections_.push_back(
                    {Trim(line.substr(1, close - 1)), std::wstring(line), {}});
                current = &document.sections_.back();
                continue;
            }
        }
        if (!current) {
            document.sections_.push_back({std::nullopt, {}, {}});
            current = &document.sections_.back();
        }
        if (const auto equals = line.find(L'='); equals != std::wstring_view::npos) {
            current->entries.push_back(
                {Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))});
        } else {
            current->entries.push_back({std::wstring(line), std::nullopt});
        }
    }
    return document;
}

std::wstring IniDocument::Serialize() const {
    std::wstring text;
    for (const Section& section : sections_) {
        if (section.name) {
            text += section.header.empty() ? L'[' + *section.name + L']' : section.header;
            text += L"\r\n";
        }
        for (const Entry& entry : section.entries) {
            text += entry.name;
            if (entry.value) text += L'=' + *entry.value;
            text += L"\r\n";
        }
    }
    return text;
}

const IniDocument::Section* IniDocument::FindSection(const std::wstring& name) const {
    const std::wstring_view wanted = TrimmedView(name);
    for (const Section& section : sections_) {
        if (section.name && SameName(*section.name, wanted)) return &section;
    }
    return nullptr;
}

std::vector<std::wstring> IniDocument::SectionNames() const {
    std::vector<std::wstring> names;
    for (const Section& section : sections_) {
        if (section.name) names.push_back(*section.name);
    }
    return names;
}

IniDocument::Section* IniDocument::FindSection(const std::wstring& name) {
    return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

std::optional<std::wstring> IniDocument::Find(const std::wstring& section,
                                              const std::wstring& key) const {
    const Section* found = FindSection(section);
    if (!found) return std::nullopt;
    const std::wstring_view wanted = TrimmedView(key);
    for (const Entry& entry : found->entries) {
        if (SameName(entry.name, wanted)) return entry.value.value_or(L"");
    }
    return std::nullopt;
}

bool IniDocument::DeleteSection(const std::wstring& section) {
    const Section* found = FindSection(section);
    if (!found) return false;
    sections_.erase(sections_.begin() + (found - sections_.data()));
    return true;
}

bool IniDocument::DeleteKey(const std::wstring& section, const std::wstring& key) {
    Section* found = FindSection(section);
    if (!found) return false;
    const std::wstring_view wanted = TrimmedView(key);
    const auto entry = std::find_if(found->entries.begin(), found->entries.end(),
                                    [&](const Entry& e) { return SameName(e.name, wanted); });
    if (entry == found->entries.end()) return false;
    found->entries.erase(entry);
    return true;
}

bool IniDocument::Set(const std::wstring& section, const std::wstring& key,
                      const std::wstring& value) {
    Section* found = FindSection(section);
    if (!found) {
        sections_.push_back({Trim(section), {}, {}});
        found = &sections_.back();
    }
    const std::wstring_view wanted = TrimmedView(key);
    for (Entry& entry : found->entries) {
        if (!SameName(entry.name, wanted)) continue;
        if (entry.value == value) return false;
        entry.value = value;
        return true;
    }
    found->entries.push_back({std::wstring(wanted), value});
    return true;
}

}  // namespace tressel
