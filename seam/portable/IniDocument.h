#pragma once
// An INI file held as the profile functions hold it: sections in file order, each an ordered
// list of entries. Lines before the first section header form a nameless section; lines
// without '=' (comments and the like) are entries without a value, kept and written back as
// they were. A section header is written back as it was read ("[ name ]" stays so, as Windows
// leaves it); the name is what lies between the brackets without surrounding blanks. Blank
// lines are dropped, and whitespace around entry names and values is normalised away when the
// file is read.

#include <optional>
#include <string>
#include <vector>

namespace tressel {

class IniDocument {
  public:
    static IniDocument Parse(const std::wstring& text);
    // Lines end in CR LF.
    std::wstring Serialize() const;

    // The stored value of `key` (case-insensitive names), untouched: no quotes removed.
    std::optional<std::wstring> Find(const std::wstring& section, const std::wstring& key) const;
    // The names of the named sections, in file order.
    std::vector<std::wstring> SectionNames() const;
    // Each returns whether the document changed.
    bool DeleteSection(const std::wstring& section);
    bool DeleteKey(const std::wstring& section, const std::wstring& key);
    // Adds the section at the end and the key at the end of its section when they are new.
    bool Set(const std::wstring& section, const std::wstring& key, const std::wstring& value);

  private:
    struct Entry {
        std::wstring name;
        std::optional<std::wstring> value;
    };
    struct Section {
        std::optional<std::wstring> name;  // none: the lines before the first header
        std::wstring header;               // the header line as read; empty for a new section
        std::vector<Entry> entries;
    };

    Section* FindSection(const std::wstring& name);
    const Section* FindSection(const std::wstring& name) const;

    std::vector<Section> sections_;
};

}  // namespace tressel
