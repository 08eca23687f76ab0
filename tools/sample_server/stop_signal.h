#pragma once
// One flag that every waiting part of the server watches, so a stop never
// waits for a trickling body or a slow start to finish.
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace ow::sample {

class StopSignal {
public:
    void Raise() {
        {
            std::lock_guard lock(mutex_);
            raised_ = true;
        }
        changed_.notify_all();
    }

    bool raised() const {
        std::lock_guard lock(mutex_);
        return raised_;
    }

    // Waits up to timeout; true when the signal was raised.
    bool WaitFor(std::chrono::milliseconds timeout) const {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [this] { return raised_; });
    }

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    bool raised_ = false;
};

}  // namespace ow::sample
