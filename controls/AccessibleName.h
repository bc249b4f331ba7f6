#pragma once
// Accessible names for controls that draw their own faces. The control answers the
// accessibility request for its client object (WM_GETOBJECT with OBJID_CLIENT) itself: with the
// system's accessible object for it, whose name comes from the control's current text through a
// naming rule. Everything else (role, state, location, default action) stays the system's.
//
// The object is served by the control's own window (rather than left to the client's process)
// because Wine 8 has no standard object for our buttons in another process, and no dynamic
// annotation (SetHwndPropStr is not implemented there) to rename one.

#include <windows.h>
// windows.h first: oleacc.h relies on its types.
#include <oleacc.h>

#include <functional>
#include <string>

#include "framework/UniqueHandle.h"

namespace tressel {

// From a control's window text to the name a screen reader announces for it.
using AccessibleNameRule = std::function<std::wstring(const std::wstring& windowText)>;

// The system's accessible object of `control`, named by `rule` (without a rule, the system's
// name stands). Null when the system has no object for the control.
UniqueComPtr<IAccessible> CreateNamedAccessible(HWND control, AccessibleNameRule rule);

// Makes `control` hand out CreateNamedAccessible's object to accessibility clients while both
// this object and the control live.
class AccessibleName {
  public:
    AccessibleName() = default;
    AccessibleName(const AccessibleName&) = delete;
    AccessibleName& operator=(const AccessibleName&) = delete;
    ~AccessibleName();

    bool Attach(HWND control, AccessibleNameRule rule = {});

  private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    LRESULT AnswerGetObject(WPARAM wParam, LPARAM lParam);

    HWND control_ = nullptr;
    AccessibleNameRule rule_;
};

}  // namespace tressel
