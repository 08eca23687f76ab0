#pragma once
// What a process holds, as far as a test under Wine can see it. Wine does not
// count handles or GDI and USER objects per process, so a footprint records
// where new ones land instead: their tables hand out the lowest free slot,
// so a leak pushes the next one's value up.
#include <windows.h>

namespace wine_tests {

struct Footprint {
    SIZE_T privateBytes = 0;  // committed memory
    DWORD handles = 0;        // value of the next kernel handle
    DWORD gdiObjects = 0;     // table index of the next GDI object
    DWORD userObjects = 0;    // table index of the next window
    DWORD tlsSlot = 0;        // the next free thread-local storage slot
    int windows = 0;          // top-level windows of this process
    int threads = 0;          // threads of this process
};

// How far the next GDI or window slot may move with nothing leaked: those
// tables are the wineserver's, shared by every program of the prefix, and
// what earlier programs freed comes back in another order. A leak of one
// object in every other life of a soak passes it.
inline constexpr DWORD kTableSlotNoise = 16;

Footprint Measure();
int TopLevelWindowsOfThisProcess();
int ThreadsOfThisProcess();
// One line "soak <what> cycle <n>: ..." on standard output.
void Print(const char* what, int cycle, const Footprint& f);

}  // namespace wine_tests
