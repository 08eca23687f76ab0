#pragma once
// A thread of the plug-in's own for the WinInet calls of one download that
// may wait on the network, so that the host's thread never does: it hands the
// worker one call at a time and dispatches its messages until the call is
// done. The worker decides nothing and touches nothing but its own call.
//
// Nobody ever waits for a worker to give up, and no handle is closed while a
// call is being made with it (WinInet allows that only when no call is being
// or will be made), nor on the host's thread (closing may read the rest of a
// body): the handles go to the worker, which closes them, with whatever a call
// nobody waits for any more opened, once its call has returned.
// Then, let go, it ends, giving back the reference on the library that kept
// the library mapped until then.
#include <windows.h>
#include <wininet.h>

#include <array>
#include <memory>
#include <string>

#include "weather/core/internet_port.h"

namespace ow {

// One call and, once done, its answer. The worker reads into its own buffer,
// so a read nobody waits for any more writes nowhere else.
struct InternetCall {
    enum class Kind { OpenUrl, SendRequest, QueryDataAvailable, ReadFile, Aside };
    Kind kind = Kind::OpenUrl;
    HINTERNET handle = nullptr;  // the Internet handle for OpenUrl, the URL or request handle otherwise
    std::string url;             // OpenUrl
    std::string headers;         // OpenUrl, SendRequest
    DWORD flags = 0;             // OpenUrl
    DWORD toRead = 0;            // ReadFile, at most kReadSize
    std::shared_ptr<AsideWork> work;  // Aside

    HINTERNET opened = nullptr;  // OpenUrl's new handle
    BOOL ok = FALSE;             // SendRequest, QueryDataAvailable, ReadFile
    DWORD count = 0;             // bytes available, or bytes read
    std::array<char, kReadSize> buffer{};
};

class InternetWorker {
public:
    // Null when no thread could be started.
    static std::unique_ptr<InternetWorker> Start();
    // Lets the worker go: it ends at once when idle, or after the call it is
    // still making. Never waits for it.
    ~InternetWorker();
    InternetWorker(const InternetWorker&) = delete;
    InternetWorker& operator=(const InternetWorker&) = delete;

    // Makes `call` on the worker while this thread's messages are dispatched,
    // and copies its answer back. False when the call could not be made or
    // was given up: a handle of its download was closed meanwhile, the
    // messenger is quitting, the wait failed or `deadline` (a GetTickCount
    // time) came first.
    bool Run(InternetCall& call, DWORD deadline);

    // Closes a handle of this worker's download, on the worker (closing may
    // read the rest of a body): next when it is idle, otherwise once its call
    // has returned (a call this thread still waits for is given up).
    void Close(HINTERNET handle);

private:
    struct Line;
    explicit InternetWorker(Line* line) : line_(line) {}
    static DWORD WINAPI Main(void* line);

    Line* line_;
};

}  // namespace ow
