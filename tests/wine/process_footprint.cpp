#include "process_footprint.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <cstdint>
#include <cstdio>

namespace wine_tests {

namespace {
BOOL CALLBACK CountOwnWindow(HWND window, LPARAM param) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId()) ++*reinterpret_cast<int*>(param);
    return TRUE;
}
}  // namespace

Footprint Measure() {
    Footprint f;
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    f.privateBytes = counters.PagefileUsage;
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    f.handles = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(event)) / 4;
    CloseHandle(event);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    f.gdiObjects = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(brush)) & 0xFFFF;
    DeleteObject(brush);
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    f.userObjects = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(window)) & 0xFFFF;
    DestroyWindow(window);
    const DWORD slot = TlsAlloc();
    f.tlsSlot = slot;
    if (slot != TLS_OUT_OF_INDEXES) TlsFree(slot);
    f.windows = TopLevelWindowsOfThisProcess();
    f.threads = ThreadsOfThisProcess();
    return f;
}

int TopLevelWindowsOfThisProcess() {
    int count = 0;
    EnumWindows(&CountOwnWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

int ThreadsOfThisProcess() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
    CloseHandle(snapshot);
    return count;
}

void Print(const char* what, int cycle, const Footprint& f) {
    std::printf(
        "soak %s cycle %d: committed %lu KiB, next handle slot %lu, next GDI slot %lu, next window slot %lu, "
        "next TLS slot %lu, top-level windows %d, threads %d\n",
        what, cycle, static_cast<unsigned long>(f.privateBytes / 1024), static_cast<unsigned long>(f.handles),
        static_cast<unsigned long>(f.gdiObjects), static_cast<unsigned long>(f.userObjects),
        static_cast<unsigned long>(f.tlsSlot), f.windows, f.threads);
    std::fflush(stdout);
}

}  // namespace wine_tests
