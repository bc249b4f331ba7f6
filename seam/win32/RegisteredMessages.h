#pragma once
// The six registered window messages of the hook libraries, one per input.
//
// They are registered during process start-up, before main runs, by a namespace-scope
// initialiser in RegisteredMessages.cpp, in the order M, R, X1, X2, WD, WU. The accessor lives
// in the same file, so any user of it pulls that object file (and its initialiser) out of the
// static library; the table is also built on first use, so a caller from another static
// initialiser gets the same ids.

#include <windows.h>

#include "config/ButtonId.h"

namespace tressel {

UINT RegisteredMessageFor(ButtonId input);

}  // namespace tressel
