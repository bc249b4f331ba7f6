#pragma once
// What a `Launch` press does: a power token switches the computer off, to standby or to
// hibernation; any other text is opened by the shell.

#include <string>

#include "seam/SystemActions.h"

namespace tressel {

inline constexpr wchar_t kShutdownToken[] = L"#jsjshutoff#";
inline constexpr wchar_t kHibernateToken[] = L"#jsjsleep#";
inline constexpr wchar_t kStandbyToken[] = L"#jsjstandby#";

// Compares `launchTarget` with the three tokens (exact, case-sensitive, whole string) and
// performs the matching action, or opens the target with the shell's "open" verb.
void PerformLaunch(const std::wstring& launchTarget, SystemActions& system);

// Enables the shutdown privilege when it can and asks for the power state whatever happened.
void RequestPowerState(SystemActions& system, bool suspend);

void RunShutdownCommand(SystemActions& system);

}  // namespace tressel
