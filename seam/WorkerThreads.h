#pragma once
// Worker threads that start suspended, so that the starter can store the handle before the
// worker can run (and clear it).

#include <cstdint>
#include <functional>

namespace tressel {

// An opaque thread handle; 0 means "none".
using ThreadHandle = std::uintptr_t;

class WorkerThreads {
  public:
    virtual ~WorkerThreads() = default;
    // Creates a suspended thread (normal priority, default stack) that will run `body` and end
    // with exit code 0. Returns 0 when no thread could be created.
    virtual ThreadHandle CreateSuspended(std::function<void()> body) = 0;
    virtual void Resume(ThreadHandle thread) = 0;
    // Called by the worker itself as its very last step: releases its own handle.
    virtual void ReleaseSelf(ThreadHandle thread) = 0;
};

}  // namespace tressel
