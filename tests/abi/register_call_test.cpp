// The icon callback's register convention, checked in a plain 32-bit x86
// program: a function declared like PMB must take its argument from EAX,
// called exactly as the host emulator calls it (with a decoy on the stack).
#include <cstdint>
#include <cstdio>

#include "call_with_eax.h"
#include "host/win32/register_call.h"

static_assert(sizeof(void*) == 4, "build this check for 32-bit x86");

namespace {
volatile std::int32_t g_seen = -1;
}

extern "C" __attribute__((noinline)) OW_REGISTER_CALL void ClickCallback(std::int32_t button) { g_seen = button; }

int main() {
    int failures = 0;
    const struct {
        std::int32_t eax, decoy;
    } cases[] = {{0, 2}, {1, 0}, {2, 1}, {-1, 7}};
    for (const auto& c : cases) {
        g_seen = -99;
        host::CallWithEax(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(&ClickCallback)), c.eax, c.decoy);
        const bool ok = g_seen == c.eax;
        std::printf("%s: EAX=%d decoy=%d -> callback saw %d\n", ok ? "ok" : "FAILED", c.eax, c.decoy, g_seen);
        failures += ok ? 0 : 1;
    }
    std::printf("%d passed, %d failed\n", 4 - failures, failures);
    return failures == 0 ? 0 : 1;
}
