#include "wine/support/MouseHookThread.h"

namespace tressel::testing {

MouseHookThread::MouseHookThread(HOOKPROC procedure) : procedure_(procedure) {
    ready_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    thread_.reset(CreateThread(nullptr, 0, &MouseHookThread::Run, this, 0, &threadId_));
    if (!ready_ || !thread_) return;
    HANDLE waits[] = {ready_.get(), thread_.get()};
    WaitForMultipleObjects(2, waits, FALSE, INFINITE);
}

MouseHookThread::~MouseHookThread() {
    if (!thread_) return;
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_.get(), INFINITE);
}

DWORD WINAPI MouseHookThread::Run(void* parameter) {
    auto* self = static_cast<MouseHookThread*>(parameter);
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // a queue for WM_QUIT
    UniqueHook hook(SetWindowsHookExW(WH_MOUSE_LL, self->procedure_, GetModuleHandleW(nullptr), 0));
    self->hooked_ = static_cast<bool>(hook);
    SetEvent(self->ready_.get());
    if (hook) {
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        }
    }
    return 0;
}

}  // namespace tressel::testing
