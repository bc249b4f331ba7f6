#include "programs/ProgramView.h"

#include "config/AssignmentCommands.h"
#include "programs/ProgramFileName.h"

namespace tressel {

bool ProgramView::Show(std::wstring_view program) {
    std::wstring next;
    if (!program.empty()) {
        ProgramSettings* settings = programs_.Add(program);
        if (!settings) return false;
        next = settings->fileName;
    }
    for (ButtonId input : kAllButtons) {
        const int control = ControlIdOf(input);
        if (shown_.empty() && !next.empty())
            allCaptions_[ToIndex(input)] = window_.GetControlText(control);
        if (!shown_.empty() && next.empty())
            window_.SetControlText(control, allCaptions_[ToIndex(input)]);
    }
    shown_ = std::move(next);
    for (ButtonId input : kAllButtons) ShowInput(input);
    window_.SetControlText(kProgramsControlId, shown_.empty() ? kAllProgramsTitle : shown_);
    Changed();
    return true;
}

std::optional<StoredInput>& ProgramView::Own(ButtonId input) {
    std::optional<StoredInput>& own = ShownProgram()->Own(input);
    if (!own) own = StoredInput{allCaptions_[ToIndex(input)], all_[ToIndex(input)]};
    return own;
}

ButtonSetting& ProgramView::Record(ButtonId input) {
    if (!ShowsAProgram()) return all_[ToIndex(input)];
    return Own(input)->record;
}

void ProgramView::SetCaption(ButtonId input, const std::wstring& caption) {
    if (ShowsAProgram()) {
        Own(input)->caption = caption;
        ShowInput(input);
    } else {
        window_.SetControlText(ControlIdOf(input), caption);
    }
}

void ProgramView::InstallHook(ButtonId input) {
    if (!ShowsAProgram()) return switch_.InstallForAllPrograms(input, window_.Handle());
    Own(input)->record.hooked = true;
    ShowInput(input);
    Changed();
}

void ProgramView::RemoveHook(ButtonId input) {
    if (!ShowsAProgram()) return switch_.RemoveForAllPrograms(input, window_.Handle());
    Own(input)->record.hooked = false;
    ShowInput(input);
    Changed();
}

void ProgramView::DropOwn(ButtonId input) {
    if (!ShowsAProgram()) return;
    ShownProgram()->Own(input).reset();
    ShowInput(input);
    Changed();
}

void ProgramView::DropAllOwn() {
    for (ButtonId input : kAllButtons) DropOwn(input);
}

void ProgramView::MakeAllNative() {
    if (!ShowsAProgram()) return;
    for (ButtonId input : kAllButtons) {
        std::optional<StoredInput>& own = ShownProgram()->Own(input);
        own = StoredInput{std::wstring(InfoOf(input).defaultCaption), all_[ToIndex(input)]};
        own->record.hooked = false;
        ShowInput(input);
    }
    Changed();
}

void ProgramView::RemoveShown() {
    if (!ShowsAProgram()) return;
    const std::wstring removed = shown_;
    Show(L"");
    programs_.Remove(removed);
    Changed();
}

bool ProgramView::Run(const ProgramsMenuChoice& choice,
                      const std::function<std::optional<std::wstring>()>& pickProgramFile) {
    using C = ProgramsMenuChoice;
    std::wstring program = choice.program;
    switch (choice.kind) {
        case C::Nothing:
            return false;
        case C::ShowAllPrograms:
            Show(L"");
            return false;
        case C::Off:
            MakeAllNative();
            return true;
        case C::Remove:
            RemoveShown();
            return true;
        case C::Browse:
            if (std::optional<std::wstring> picked = pickProgramFile()) {
                program = std::move(*picked);
                break;
            }
            return false;
        case C::ShowProgram:
            break;
    }
    // A program just added is listed in the file at once, though it has nothing of its own yet.
    const bool added = programs_.Find(program) == nullptr;
    return Show(program) && added;
}

std::wstring ProgramView::AllProgramsCaption(ButtonId input) {
    if (ShowsAProgram()) return allCaptions_[ToIndex(input)];
    return window_.GetControlText(ControlIdOf(input));
}

void ProgramView::SetAllProgramsCaption(ButtonId input, const std::wstring& caption) {
    if (!ShowsAProgram()) return window_.SetControlText(ControlIdOf(input), caption);
    allCaptions_[ToIndex(input)] = caption;
    ShowInput(input);
}

void ProgramView::ShowInput(ButtonId input) {
    if (!ShowsAProgram()) {
        shell_.SetCaptionColour(ControlIdOf(input), kCaptionColour);
        return;
    }
    const std::optional<StoredInput>& own = ShownProgram()->Own(input);
    window_.SetControlText(ControlIdOf(input), own ? own->caption : allCaptions_[ToIndex(input)]);
    shell_.SetCaptionColour(ControlIdOf(input), own ? kCaptionColour : kInheritedCaptionColour);
}

void ProgramView::Changed() {
    switch_.Refresh(window_.Handle());
    RedrawInputButtons(window_);
}

}  // namespace tressel
