#pragma once
// The power functions a press can ask for: Stand By, hibernation and shutting down. Each asks
// only for what the computer has (many today have modern standby and no classic one, and
// hibernation can be turned off), takes the shutdown privilege first, and returns what the user
// is to be told when the computer did not do it.

#include <optional>
#include <string>

#include "seam/SystemActions.h"

namespace tressel {

// A balloon's title and text.
struct PowerRefusal {
    std::wstring title;
    std::wstring text;
    bool operator==(const PowerRefusal&) const = default;
};

// SetSuspendState(FALSE) when the computer has a standby state S1 to S3; nothing without one.
std::optional<PowerRefusal> StandBy(SystemActions& system);

// SetSuspendState(TRUE) when hibernation is supported and its file is there.
std::optional<PowerRefusal> Hibernate(SystemActions& system);

// InitiateShutdownW: switched off, programs asked to close as the Start menu's Shut down does,
// other users' sessions never ended; a planned shutdown of the "other" kind.
std::optional<PowerRefusal> ShutDown(SystemActions& system);

}  // namespace tressel
