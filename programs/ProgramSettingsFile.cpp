#include "programs/ProgramSettingsFile.h"

#include "programs/ProgramFileName.h"

namespace tressel {
namespace {

// Section names compare without case, as the profile functions compare them.
bool SameSectionName(std::wstring_view a, std::wstring_view b) {
    return FoldProgramName(a) == FoldProgramName(b);
}

// More than any user lists; a list is read up to its first gap.
constexpr int kMostListed = 1000;

}  // namespace

std::wstring ProgramSectionName(ButtonId input, const std::wstring& fileName) {
    return std::wstring(InfoOf(input).section) + L":" + fileName;
}

std::optional<ProgramSection> ParseProgramSection(const std::wstring& sectionName) {
    const std::size_t colon = sectionName.find(L':');
    if (colon == std::wstring::npos) return std::nullopt;
    const std::wstring_view inputPart = std::wstring_view(sectionName).substr(0, colon);
    const std::wstring_view namePart = std::wstring_view(sectionName).substr(colon + 1);
    // A file name holds no folder: "X1ButtonSetting:C:\x.exe" names none.
    if (namePart.find_first_of(L"\\/:") != std::wstring_view::npos) return std::nullopt;
    std::wstring fileName = ProgramFileName(namePart);
    if (fileName.empty()) return std::nullopt;
    for (ButtonId input : kAllButtons) {
        if (SameSectionName(inputPart, InfoOf(input).section))
            return ProgramSection{input, std::move(fileName)};
    }
    return std::nullopt;
}

ProgramSettingsTable ReadProgramSettings(ProfileStore& profiles, const std::wstring& path) {
    ProgramSettingsTable table;
    for (int n = 1; n <= kMostListed; ++n) {
        const std::wstring listed = profiles.GetString(path, kProgramsSection, std::to_wstring(n),
                                                       L"", kSettingsReadBuffer);
        if (listed.empty()) break;
        table.Add(listed);  // a name that is no file name is passed over
    }
    for (const std::wstring& name : profiles.SectionNames(path)) {
        const std::optional<ProgramSection> section = ParseProgramSection(name);
        if (!section) continue;
        ProgramSettings* program = table.Add(section->fileName);
        // A section named twice (in other cases, say) counts once, as the profile functions
        // read the first.
        if (!program || program->Own(section->input)) continue;
        program->Own(section->input) = ReadStoredInput(profiles, path, name);
    }
    return table;
}

bool WriteProgramSettings(const ProgramSettingsTable& table, ProfileStore& profiles,
                          const std::wstring& file) {
    // A file without programs' settings stays without a trace of them.
    bool listThere = false;
    for (const std::wstring& name : profiles.SectionNames(file)) {
        listThere = listThere || SameSectionName(name, kProgramsSection);
        if (ParseProgramSection(name)) profiles.WriteString(file, name, std::nullopt, std::nullopt);
    }
    if (listThere || !table.Empty())
        profiles.WriteString(file, kProgramsSection, std::nullopt, std::nullopt);
    bool written = true;
    int n = 0;
    for (const ProgramSettings& program : table.Programs()) {
        written =
            profiles.WriteString(file, kProgramsSection, std::to_wstring(++n), program.fileName) &&
            written;
    }
    for (const ProgramSettings& program : table.Programs()) {
        for (ButtonId input : kAllButtons) {
            const std::optional<StoredInput>& own = program.Own(input);
            if (!own) continue;
            written = WriteStoredInput(profiles, file, ProgramSectionName(input, program.fileName),
                                       own->caption, own->record) &&
                      written;
        }
    }
    return written;
}

}  // namespace tressel
