#pragma once
// Calls the messenger's icon callback the way the messenger does: the button
// code in EAX (register convention), nothing of it on the stack. A different
// decoy value sits where a stack argument would be, so a callback that reads
// the stack instead of EAX gets the wrong code. Needs no windows.h, so the
// same call can be checked in a plain 32-bit program.
#include <cstdint>

namespace host {

inline void CallWithEax(std::uint32_t function, std::int32_t value, std::int32_t decoy) {
    if (function == 0) return;
#if defined(__i386__)
    asm volatile(
        "pushl %[decoy]\n\t"
        "call *%[fn]\n\t"
        "addl $4, %%esp"
        : "+a"(value)
        : [fn] "r"(function), [decoy] "r"(decoy)
        : "ecx", "edx", "memory", "cc");
#else
    (void)decoy;  // 64-bit Windows has a single calling convention
    reinterpret_cast<void (*)(std::int32_t)>(static_cast<std::uintptr_t>(function))(value);
#endif
}

}  // namespace host
