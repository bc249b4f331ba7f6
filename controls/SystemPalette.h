#pragma once
// The system's side of the skinned parts' colours (app/ContrastColours.h): whether high
// contrast is on, and the system colours it draws in, read when a part is drawn so that a
// change of either shows at the next paint.

#include <windows.h>

#include <optional>

#include "app/ContrastColours.h"

namespace tressel {

bool HighContrastOn();
// The test build's stand-in for a high contrast setting that its platform cannot turn on:
// consulted first, high contrast counts as on while it answers true. None by default.
void SetHighContrastStandIn(bool (*standIn)());
SystemColours ReadSystemColours();

// The colour `part` is drawn in now (see PartColour).
std::optional<COLORREF> ShownColour(SkinPart part, std::optional<COLORREF> skin);

}  // namespace tressel
