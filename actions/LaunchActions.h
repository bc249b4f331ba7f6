#pragma once
// What a `Launch` press does: a power token switches the computer off, to standby or to
// hibernation; any other text is opened by the shell.

#include <optional>
#include <string>

#include "actions/PowerActions.h"
#include "seam/SystemActions.h"

namespace tressel {

inline constexpr wchar_t kShutdownToken[] = L"#jsjshutoff#";
inline constexpr wchar_t kHibernateToken[] = L"#jsjsleep#";
inline constexpr wchar_t kStandbyToken[] = L"#jsjstandby#";

// Compares `launchTarget` with the three tokens (exact, case-sensitive, whole string) and
// performs the matching power function, or opens the target with the shell's "open" verb.
// Returns what to tell the user when a power function was not carried out.
std::optional<PowerRefusal> PerformLaunch(const std::wstring& launchTarget, SystemActions& system);

}  // namespace tressel
