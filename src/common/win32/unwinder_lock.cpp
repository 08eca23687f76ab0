// The 32-bit runtime's exception unwinder is linked into the library. At load
// it registers the library's frame tables and, the first time, makes a
// semaphore for the lock of its table list; at unload it takes the tables off
// again but never closes that semaphore. Every load would leave a kernel
// handle behind in the messenger. The semaphore made while the tables are
// registered is that lock's: it is closed once they are taken off, when the
// library's last code is running and nothing can take the lock any more.
// (The 64-bit runtime unwinds through the system's tables: nothing to do.)
#if defined(__i386__)
#include <windows.h>

#include <utility>

namespace {

using CreateSemaphoreWFunction = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, LONG, LONG, LPCWSTR);

bool registeringTables = false;
HANDLE unwinderLock = nullptr;

// Plain statics only: a guarded one would itself need a runtime lock.
HANDLE WINAPI CreateSemaphoreNoted(LPSECURITY_ATTRIBUTES attributes, LONG initial, LONG maximum, LPCWSTR name) {
    const auto create = reinterpret_cast<CreateSemaphoreWFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateSemaphoreW")));
    if (create == nullptr) return nullptr;
    const HANDLE semaphore = create(attributes, initial, maximum, name);
    if (registeringTables && unwinderLock == nullptr) unwinderLock = semaphore;
    return semaphore;
}

}  // namespace

extern "C" {

// The import slot the runtime's code calls CreateSemaphoreW through, filled
// by the library itself instead of the loader.
extern void* const createSemaphoreSlot asm("__imp__CreateSemaphoreW@16");
void* const createSemaphoreSlot = reinterpret_cast<void*>(&CreateSemaphoreNoted);

// The runtime's own registration, reached through the linker's --wrap.
void __real___register_frame_info(const void* begin, void* object);
void* __real___deregister_frame_info(const void* begin);

void __wrap___register_frame_info(const void* begin, void* object) {
    registeringTables = true;
    __real___register_frame_info(begin, object);
    registeringTables = false;
}

void* __wrap___deregister_frame_info(const void* begin) {
    void* const object = __real___deregister_frame_info(begin);
    if (unwinderLock != nullptr) CloseHandle(std::exchange(unwinderLock, nullptr));
    return object;
}

}  // extern "C"
#endif
