#include "config/AssignmentCommands.h"

#include "config/FunctionCatalogue.h"

namespace tressel {
namespace {

std::wstring CaptionOf(const FunctionEntry& function, ButtonId input,
                       const std::wstring& chosenProgram) {
    switch (function.captionRule) {
        case CaptionRule::DefaultCaption:
            return std::wstring(InfoOf(input).defaultCaption);
        case CaptionRule::ChosenFileName:
            return ProgramCaption(chosenProgram);
        case CaptionRule::Fixed:
            break;
    }
    return std::wstring(function.caption);
}

// Writes the fields the function's kind selects; every other field keeps its value.
void WriteFields(ButtonSetting& record, const FunctionEntry& function,
                 const std::wstring& chosenProgram) {
    switch (function.kind) {
        case FunctionKind::Native:
            return;
        case FunctionKind::MouseEvent:
            record.category = MouseButton;
            record.mouseAction = function.mouseAction;
            return;
        case FunctionKind::Key:
            record.category = KeyOrCommand;
            record.keyAction = function.keyAction;
            record.keyCode = function.keyCode;
            return;
        case FunctionKind::FixedLaunch:
            record.category = KeyOrCommand;
            record.keyAction = Launch;
            record.launchTarget = function.launchTarget;
            return;
        case FunctionKind::ChosenProgram:
            record.category = KeyOrCommand;
            record.keyAction = Launch;
            record.launchTarget = chosenProgram;
            return;
        case FunctionKind::Script:
            record.category = KeyOrCommand;
            record.keyAction = Script;
            record.scriptFile = function.scriptFile;
            return;
    }
}

}  // namespace

bool RunAssignmentCommand(AssignmentHost& host, int commandId) {
    const FunctionEntry* function = FindFunction(commandId);
    if (function == nullptr) return false;

    std::wstring chosenProgram;
    if (function->kind == FunctionKind::ChosenProgram) {
        std::optional<std::wstring> picked = host.PickProgramFile();
        if (!picked) return true;  // cancelled: nothing changes, nothing is saved
        chosenProgram = std::move(*picked);
    } else if (function->kind == FunctionKind::Script) {
        host.CompileMacroScript(std::wstring(function->scriptFile));
    }

    if (const std::optional<ButtonId> input = ButtonFromInt(host.SelectedButton())) {
        host.SetCaption(*input, CaptionOf(*function, *input, chosenProgram));
        if (RemapsInput(*function, *input)) {
            host.InstallHook(*input);
            WriteFields(host.Record(*input), *function, chosenProgram);
        } else {
            host.RemoveHook(*input);
        }
    }

    RedrawInputButtons(host.Window());
    host.ScheduleSave(function->kind == FunctionKind::Native ? kNoSettingsSaveDelayMs
                                                             : kSaveDelayMs);
    return true;
}

void RedrawInputButtons(WindowHost& window) {
    for (ButtonId input : kAllButtons) {
        const Rect screen = window.GetControlWindowRect(ControlIdOf(input));
        window.InvalidateRect(window.ScreenToClient(screen), false);
    }
}

}  // namespace tressel
