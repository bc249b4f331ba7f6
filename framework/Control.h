#pragma once
// A child control bound to a C++ object: the control's own messages reach WindowProc (through
// a window subclass), and the notifications its parent receives on its behalf (owner drawing,
// colour requests) are reflected to it by the parent dialog.

#include <windows.h>

namespace tressel::win {

class Control {
  public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    // Binds the dialog's child control `id` to this object (the framework's control binding).
    bool Attach(HWND dialog, int id);
    HWND hwnd() const { return hwnd_; }
    int id() const { return id_; }

    // Reflected from the parent. Return true (or a brush) when handled.
    virtual bool OnReflectedDrawItem(const DRAWITEMSTRUCT&) { return false; }
    virtual HBRUSH OnReflectedCtlColor(HDC) { return nullptr; }

  protected:
    // Called once the control is bound, before it receives any message through WindowProc.
    virtual void OnAttached() {}
    // The control's messages; the default passes them on to the control's own procedure.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    HWND hwnd_ = nullptr;
    int id_ = 0;
};

}  // namespace tressel::win
