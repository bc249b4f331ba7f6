#pragma once
// Worker threads that really run (std::thread), gated so that "created suspended" holds:
// the body starts only after Resume. Logs "CreateSuspended -> #n", "Resume(#n)", "ReleaseSelf(#n)".
// With `runAtResume` set, a worker created from then on runs no thread: Resume runs its body to
// the end before it returns, the way a worker that wins every race with its starter would.

#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "fakes/CallLog.h"
#include "seam/WorkerThreads.h"

namespace tressel::testing {

class FakeWorkerThreads : public WorkerThreads {
  public:
    explicit FakeWorkerThreads(CallLog& log) : log_(log) {}
    ~FakeWorkerThreads() override { JoinAll(); }

    ThreadHandle CreateSuspended(std::function<void()> body) override {
        std::lock_guard lock(mutex_);
        if (failCreation) {
            log_.Add("CreateSuspended failed");
            return 0;
        }
        ThreadHandle handle = ++lastHandle_;
        log_.Add("CreateSuspended -> #" + std::to_string(handle));
        if (runAtResume) {
            bodiesRunAtResume_[handle] = std::move(body);
            return handle;
        }
        auto worker = std::make_shared<Worker>();
        worker->thread = std::thread([worker, body = std::move(body)] {
            {
                std::unique_lock gate(worker->mutex);
                worker->resumed.wait(gate, [&] { return worker->started; });
            }
            body();
        });
        workers_[handle] = worker;
        return handle;
    }
    void Resume(ThreadHandle thread) override {
        log_.Add("Resume(#" + std::to_string(thread) + ")");
        std::shared_ptr<Worker> worker;
        std::function<void()> body;
        {
            std::lock_guard lock(mutex_);
            if (const auto runNow = bodiesRunAtResume_.find(thread);
                runNow != bodiesRunAtResume_.end()) {
                body = std::move(runNow->second);
                bodiesRunAtResume_.erase(runNow);
            } else {
                worker = workers_.at(thread);
            }
        }
        if (body) {
            body();
            return;
        }
        std::lock_guard gate(worker->mutex);
        worker->started = true;
        worker->resumed.notify_all();
    }
    void ReleaseSelf(ThreadHandle thread) override {
        log_.Add("ReleaseSelf(#" + std::to_string(thread) + ")");
    }
    // Waits for every worker started so far to end.
    void JoinAll() {
        std::map<ThreadHandle, std::shared_ptr<Worker>> workers;
        {
            std::lock_guard lock(mutex_);
            workers.swap(workers_);
        }
        for (auto& [handle, worker] : workers) {
            {
                std::lock_guard gate(worker->mutex);
                worker->started = true;  // a never-resumed worker would otherwise block forever
                worker->resumed.notify_all();
            }
            if (worker->thread.joinable()) worker->thread.join();
        }
    }

    bool failCreation = false;
    bool runAtResume = false;

  private:
    struct Worker {
        std::thread thread;
        std::mutex mutex;
        std::condition_variable resumed;
        bool started = false;
    };
    CallLog& log_;
    std::mutex mutex_;
    ThreadHandle lastHandle_ = 0;
    std::map<ThreadHandle, std::shared_ptr<Worker>> workers_;
    std::map<ThreadHandle, std::function<void()>> bodiesRunAtResume_;
};

}  // namespace tressel::testing
