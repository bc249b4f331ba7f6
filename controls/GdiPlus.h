#pragma once
// The GDI+ C++ interface as the controls include it: the COM stream declarations it needs
// come first, because the lean Windows header leaves them out.

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
