#pragma once
// What a process holds, as far as a test under Wine can see it. Wine does not
// count handles or GDI and USER objects per process, so a footprint records
// where new ones land instead: the kernel's table hands out the lowest free
// slot, so a leak pushes the next one's value up; the GDI and USER tables are
// counted by filling them past their free slots.
#include <windows.h>

namespace wine_tests {

struct Footprint {
    SIZE_T privateBytes = 0;  // committed memory
    DWORD handles = 0;        // value of the next kernel handle
    DWORD gdiObjects = 0;     // live GDI objects of this process
    DWORD userObjects = 0;    // live windows, menus and icons of the whole prefix
    DWORD tlsSlot = 0;        // the next free thread-local storage slot
    int windows = 0;          // top-level windows of this process
    int threads = 0;          // threads of this process
};

// How far the GDI and USER counts may move with nothing leaked: the USER
// table is the wineserver's, shared by every program of the prefix, and the
// system keeps a few objects of its own in caches.
inline constexpr DWORD kObjectNoise = 4;

Footprint Measure();
int TopLevelWindowsOfThisProcess();
int ThreadsOfThisProcess();
// One line "soak <what> cycle <n>: ..." on standard output.
void Print(const char* what, int cycle, const Footprint& f);

}  // namespace wine_tests
