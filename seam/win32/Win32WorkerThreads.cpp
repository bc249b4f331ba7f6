#include "seam/win32/Win32WorkerThreads.h"

#include <windows.h>

#include <memory>

#include "framework/UniqueHandle.h"

namespace tressel {
namespace {

using Body = std::function<void()>;

DWORD WINAPI WorkerProc(void* parameter) {
    std::unique_ptr<Body> body(static_cast<Body*>(parameter));
    (*body)();
    return 0;
}

HANDLE ToHandle(ThreadHandle thread) { return reinterpret_cast<HANDLE>(thread); }

}  // namespace

ThreadHandle Win32WorkerThreads::CreateSuspended(std::function<void()> body) {
    auto owned = std::make_unique<Body>(std::move(body));
    HANDLE thread = ::CreateThread(nullptr, 0, WorkerProc, owned.get(), CREATE_SUSPENDED, nullptr);
    if (!thread) return 0;
    owned.release();  // the thread owns the body now and deletes it when it ends
    return reinterpret_cast<ThreadHandle>(thread);
}

void Win32WorkerThreads::Resume(ThreadHandle thread) { ::ResumeThread(ToHandle(thread)); }

void Win32WorkerThreads::ReleaseSelf(ThreadHandle thread) {
    UniqueKernelHandle own(ToHandle(thread));  // closed here
}

}  // namespace tressel
