#pragma once
// What the control endpoints change while the server runs: the behaviour for
// weather requests and the proxy credentials.
#include <mutex>
#include <string>

#include "behaviour.h"

namespace ow::sample {

class LiveSettings {
public:
    Behaviour behaviour() const {
        std::lock_guard lock(mutex_);
        return behaviour_;
    }
    void SetBehaviour(const Behaviour& behaviour) {
        std::lock_guard lock(mutex_);
        behaviour_ = behaviour;
    }

    // "user:pass"; empty when proxy requests need no credentials.
    std::string credentials() const {
        std::lock_guard lock(mutex_);
        return credentials_;
    }
    void SetCredentials(std::string credentials) {
        std::lock_guard lock(mutex_);
        credentials_ = std::move(credentials);
    }

private:
    mutable std::mutex mutex_;
    Behaviour behaviour_;
    std::string credentials_;
};

}  // namespace ow::sample
