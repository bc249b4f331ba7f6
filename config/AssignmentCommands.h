#pragma once
// The function menu's commands: give the function of a command id to the selected input, then
// redraw the input buttons and schedule the settings file to be saved.

#include <cstdint>
#include <optional>
#include <string>

#include "config/ButtonId.h"
#include "config/ButtonSetting.h"
#include "seam/WindowHost.h"

namespace tressel {

// The save timer: started by every assignment, its expiry saves the settings file. Restarting
// it while pending replaces the delay, so a burst of assignments leads to one write.
inline constexpr std::uintptr_t kSaveTimerId = 7;
inline constexpr std::uint32_t kSaveDelayMs = 10;
inline constexpr std::uint32_t kNoSettingsSaveDelayMs = 1000;

// What an assignment needs of the main dialog.
class AssignmentHost {
  public:
    virtual ~AssignmentHost() = default;
    // The dialog's selectedButton: a ButtonId 1..6, or anything else when no input is selected.
    virtual int SelectedButton() = 0;
    virtual ButtonSetting& Record(ButtonId input) = 0;
    virtual void SetCaption(ButtonId input, const std::wstring& caption) = 0;
    // Guarded by and paired with the record's `hooked` flag (see HookGuard.h).
    virtual void InstallHook(ButtonId input) = 0;
    virtual void RemoveHook(ButtonId input) = 0;
    // Rebuilds the selected input's macro from the script file.
    virtual void CompileMacroScript(const std::wstring& scriptFile) = 0;
    // The modal "EXE files(*.exe)" open dialog; the full path, or nothing when cancelled.
    virtual std::optional<std::wstring> PickProgramFile() = 0;
    virtual WindowHost& Window() = 0;
    // (Re)starts the save timer kSaveTimerId with `delayMs`; the host remembers that a save is
    // pending until the timer fires, so that ending the program can still run it.
    virtual void ScheduleSave(std::uint32_t delayMs) = 0;
};

// Runs the assignment of `commandId`. Returns false, having done nothing, when the id carries
// no function.
bool RunAssignmentCommand(AssignmentHost& host, int commandId);

// Invalidates, without erasing, the area of the six input buttons in the dialog's client area.
void RedrawInputButtons(WindowHost& window);

}  // namespace tressel
