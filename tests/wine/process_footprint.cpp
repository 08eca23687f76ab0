#include "process_footprint.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace wine_tests {

namespace {
BOOL CALLBACK CountOwnWindow(HWND window, LPARAM param) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId()) ++*reinterpret_cast<int*>(param);
    return TRUE;
}

// Wine's GDI and USER tables hand out the slot freed last, and a new one at
// the end only when none is free. A burst of more objects than the table has
// free slots therefore ends at the slot (live objects + burst), in whatever
// order earlier objects were freed: its highest slot tells the live count.
template <class Handle, class Create, class Destroy, class SlotOf>
DWORD LiveObjects(std::size_t burst, Create create, Destroy destroy, SlotOf slotOf) {
    std::vector<Handle> made;
    made.reserve(burst);
    DWORD highest = 0;
    while (made.size() < burst) {
        const Handle handle = create();
        if (handle == nullptr) break;
        made.push_back(handle);
        highest = std::max(highest, slotOf(handle));
    }
    for (auto it = made.rbegin(); it != made.rend(); ++it) destroy(*it);
    return highest + 1 > made.size() ? static_cast<DWORD>(highest + 1 - made.size()) : 0;
}

DWORD LowWord(const void* handle) { return static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(handle) & 0xFFFF); }

// Far more than either table ever has free in these tests.
constexpr std::size_t kGdiBurst = 4096;
constexpr std::size_t kUserBurst = 2048;

DWORD LiveGdiObjects() {
    return LiveObjects<HRGN>(
        kGdiBurst, [] { return CreateRectRgn(0, 0, 1, 1); }, [](HRGN region) { DeleteObject(region); },
        [](HRGN region) { return LowWord(region); });
}

// USER handles are even numbers from 0x20 up.
DWORD LiveUserObjects() {
    return LiveObjects<HMENU>(
        kUserBurst, [] { return CreatePopupMenu(); }, [](HMENU menu) { DestroyMenu(menu); },
        [](HMENU menu) { return (LowWord(menu) - 0x20) / 2; });
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
    f.gdiObjects = LiveGdiObjects();
    f.userObjects = LiveUserObjects();
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
        "soak %s cycle %d: committed %lu KiB, next handle slot %lu, GDI objects %lu, USER objects %lu, "
        "next TLS slot %lu, top-level windows %d, threads %d\n",
        what, cycle, static_cast<unsigned long>(f.privateBytes / 1024), static_cast<unsigned long>(f.handles),
        static_cast<unsigned long>(f.gdiObjects), static_cast<unsigned long>(f.userObjects),
        static_cast<unsigned long>(f.tlsSlot), f.windows, f.threads);
    std::fflush(stdout);
}

}  // namespace wine_tests
