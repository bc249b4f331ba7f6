#pragma once
// WorkerThreads on Win32: CreateThread with CREATE_SUSPENDED, ResumeThread, and the worker
// closing its own handle as its last step.

#include "seam/WorkerThreads.h"

namespace tressel {

class Win32WorkerThreads : public WorkerThreads {
  public:
    ThreadHandle CreateSuspended(std::function<void()> body) override;
    void Resume(ThreadHandle thread) override;
    void ReleaseSelf(ThreadHandle thread) override;
};

}  // namespace tressel
