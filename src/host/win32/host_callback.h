#pragma once
// The host's call-back: a stdcall function at the address the host handed
// over at initialisation.
#include <cstdint>

#include "host/core/host_link.h"

namespace ow {

class HostCallback final : public HostCaller {
public:
    const void* Call(std::uint32_t hostCall, const char* envelope) override {
        using Function = const void*(__stdcall*)(const void* envelope);
        return reinterpret_cast<Function>(static_cast<std::uintptr_t>(hostCall))(envelope);
    }
};

}  // namespace ow
