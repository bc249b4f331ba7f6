#include "programs/ProgramsMenuChoices.h"

#include <algorithm>

#include "programs/ProgramFileName.h"

namespace tressel {
namespace {

constexpr int kAllProgramsId = 1;
constexpr int kBrowseId = 2;
constexpr int kOffId = 3;
constexpr int kRemoveId = 4;
constexpr int kFirstListedId = 100;
constexpr int kFirstRunningId = 10000;

ProgramsMenuItem Separator() { return {}; }

}  // namespace

ProgramsMenuChoices::ProgramsMenuChoices(const ProgramSettingsTable& programs,
                                         std::wstring_view shown,
                                         std::vector<RunningProgram> running) {
    // A listed program shows its icon while it has a window, the only place its path is known.
    auto pathOf = [&](const std::wstring& fileName) {
        for (const RunningProgram& r : running)
            if (ProgramFileName(r.fileName) == fileName) return r.path;
        return std::wstring();
    };
    menu_.push_back({kAllProgramsId, L"All programs", L"", shown.empty(), {}});
    for (const ProgramSettings& program : programs.Programs()) {
        menu_.push_back({kFirstListedId + static_cast<int>(listed_.size()),
                         program.fileName,
                         pathOf(program.fileName),
                         program.fileName == shown,
                         {}});
        listed_.push_back(program.fileName);
    }
    std::erase_if(running, [&](const RunningProgram& r) {
        const std::wstring name = ProgramFileName(r.fileName);
        return name.empty() || programs.Find(name) != nullptr;
    });
    std::sort(running.begin(), running.end(), [](const RunningProgram& a, const RunningProgram& b) {
        return FoldProgramName(a.fileName) < FoldProgramName(b.fileName);
    });
    running_ = std::move(running);
    ProgramsMenuItem add{0, L"Add a program", L"", false, {}};
    for (std::size_t i = 0; i < running_.size(); ++i)
        add.submenu.push_back({kFirstRunningId + static_cast<int>(i),
                               running_[i].fileName,
                               running_[i].path,
                               false,
                               {}});
    if (!running_.empty()) add.submenu.push_back(Separator());
    add.submenu.push_back({kBrowseId, L"Browse\u2026", L"", false, {}});
    menu_.push_back(Separator());
    menu_.push_back(std::move(add));
    if (!shown.empty()) {
        menu_.push_back(Separator());
        menu_.push_back({kOffId, L"Off in this program", L"", false, {}});
        menu_.push_back({kRemoveId, L"Remove this program's settings", L"", false, {}});
    }
}

ProgramsMenuChoice ProgramsMenuChoices::Choice(int id) const {
    using C = ProgramsMenuChoice;
    if (id == kAllProgramsId) return {C::ShowAllPrograms, {}};
    if (id == kBrowseId) return {C::Browse, {}};
    if (id == kOffId) return {C::Off, {}};
    if (id == kRemoveId) return {C::Remove, {}};
    if (id >= kFirstRunningId && id - kFirstRunningId < static_cast<int>(running_.size()))
        return {C::ShowProgram, running_[static_cast<std::size_t>(id - kFirstRunningId)].fileName};
    if (id >= kFirstListedId && id - kFirstListedId < static_cast<int>(listed_.size()))
        return {C::ShowProgram, listed_[static_cast<std::size_t>(id - kFirstListedId)]};
    return {};
}

}  // namespace tressel
