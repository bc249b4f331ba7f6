#include "programs/ProgramSettings.h"

#include <algorithm>
#include <utility>

#include "programs/ProgramFileName.h"

namespace tressel {

const ProgramSettings* ProgramSettingsTable::Find(std::wstring_view fileName) const {
    const std::wstring folded = ProgramFileName(fileName);
    if (folded.empty()) return nullptr;
    const auto found = std::find_if(programs_.begin(), programs_.end(),
                                    [&](const ProgramSettings& p) { return p.fileName == folded; });
    return found == programs_.end() ? nullptr : &*found;
}

ProgramSettings* ProgramSettingsTable::Find(std::wstring_view fileName) {
    return const_cast<ProgramSettings*>(std::as_const(*this).Find(fileName));
}

ProgramSettings* ProgramSettingsTable::Add(std::wstring_view fileName) {
    if (ProgramSettings* known = Find(fileName)) return known;
    std::wstring folded = ProgramFileName(fileName);
    if (folded.empty()) return nullptr;
    programs_.push_back({std::move(folded), {}});
    return &programs_.back();
}

void ProgramSettingsTable::Remove(std::wstring_view fileName) {
    const std::wstring folded = ProgramFileName(fileName);
    std::erase_if(programs_, [&](const ProgramSettings& p) { return p.fileName == folded; });
}

const ButtonSetting* ProgramSettingsTable::OwnRecord(std::wstring_view fileName,
                                                     ButtonId input) const {
    const ProgramSettings* program = Find(fileName);
    if (!program || !program->Own(input)) return nullptr;
    return &program->Own(input)->record;
}

bool ProgramSettingsTable::RemapsAnywhere(ButtonId input) const {
    return std::any_of(programs_.begin(), programs_.end(), [&](const ProgramSettings& p) {
        return p.Own(input) && p.Own(input)->record.hooked;
    });
}

}  // namespace tressel
