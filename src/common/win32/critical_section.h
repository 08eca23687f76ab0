#pragma once
// A critical section and its scoped lock, for what two threads of the
// plug-in must change together.
#include <windows.h>

namespace ow {

class CriticalSection {
public:
    // The variant that reports a failure: on old Windows the plain one raises
    // a structured exception when memory is short.
    CriticalSection() noexcept : valid_(InitializeCriticalSectionAndSpinCount(&section_, 0) != FALSE) {}
    ~CriticalSection() {
        if (valid_) DeleteCriticalSection(&section_);
    }
    bool valid() const { return valid_; }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    class Lock {
    public:
        explicit Lock(CriticalSection& section) noexcept : section_(section) { EnterCriticalSection(&section_.section_); }
        ~Lock() { LeaveCriticalSection(&section_.section_); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        CriticalSection& section_;
    };

private:
    CRITICAL_SECTION section_;
    bool valid_;
};

}  // namespace ow
