#pragma once
// How TLS handshakes have gone since the start or the last clear, so a test
// can tell a handshake still held back from one that failed or never began.
#include <atomic>
#include <string>

namespace ow::sample {

class HandshakeTally {
public:
    void Started() { ++started_; }
    void Completed() { ++completed_; }
    void Failed() { ++failed_; }
    void Clear() { started_ = completed_ = failed_ = 0; }

    // "started=3 completed=2 failed=1"; started minus the others are under way.
    std::string Describe() const {
        return "started=" + std::to_string(started_) + " completed=" + std::to_string(completed_) +
               " failed=" + std::to_string(failed_);
    }

private:
    std::atomic<int> started_{0};
    std::atomic<int> completed_{0};
    std::atomic<int> failed_{0};
};

}  // namespace ow::sample
