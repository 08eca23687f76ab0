#pragma once
// What the control endpoints change while the server runs: the behaviour for
// weather requests, the proxy credentials and the certificate the HTTPS
// origin presents.
#include <mutex>
#include <string>

#include "behaviour.h"
#include "certificate_choice.h"

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

    Certificate certificate() const {
        std::lock_guard lock(mutex_);
        return certificate_;
    }
    void SetCertificate(Certificate certificate) {
        std::lock_guard lock(mutex_);
        certificate_ = certificate;
    }

private:
    mutable std::mutex mutex_;
    Behaviour behaviour_;
    std::string credentials_;
    Certificate certificate_ = Certificate::Good;
};

}  // namespace ow::sample
