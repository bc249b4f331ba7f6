#pragma once
// A modal dialog run from a dialog resource, with a message map: window messages, command ids
// and registered messages are routed to handler methods, and owner-draw and colour requests of
// bound controls are reflected to the control objects.

#include <windows.h>

#include <functional>
#include <unordered_map>

#include "framework/Control.h"

namespace tressel::win {

class Dialog {
  public:
    explicit Dialog(int templateId) : templateId_(templateId) {}
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog() = default;

    // Runs the dialog modally; returns the value given to EndDialog (-1 when it cannot be made).
    INT_PTR DoModal(HWND parent = nullptr);
    void EndDialog(INT_PTR result);
    HWND hwnd() const { return hwnd_; }

  protected:
    // A handler returns the message's result; `handled` false lets the default processing run.
    struct Result {
        LRESULT value = 0;
        bool handled = true;
    };
    using MessageHandler = std::function<Result(WPARAM, LPARAM)>;

    // The message map.
    void OnMessage(UINT message, MessageHandler handler) {
        messages_[message] = std::move(handler);
    }
    void OnCommandId(int commandId, std::function<void()> handler) {
        commands_[commandId] = std::move(handler);
    }
    // Binds child control `id` to `control` when the dialog's controls exist.
    void Bind(int id, Control& control) { bindings_[id] = &control; }

    virtual BOOL OnInitDialog() { return TRUE; }
    // IDCANCEL (Esc, Alt+F4): ends the modal run.
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // A command without a map entry.
    virtual void OnUnmappedCommand(int /*commandId*/, int /*notifyCode*/) {}

  private:
    static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);
    Control* BoundControl(HWND child) const;

    int templateId_;
    HWND hwnd_ = nullptr;
    std::unordered_map<UINT, MessageHandler> messages_;
    std::unordered_map<int, std::function<void()>> commands_;
    std::unordered_map<int, Control*> bindings_;
};

}  // namespace tressel::win
