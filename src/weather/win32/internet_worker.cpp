#include "weather/win32/internet_worker.h"

#include <algorithm>
#include <cstring>

#include "host/win32/message_pump.h"
#include "host/win32/module_instance.h"
#include "host/win32/unique_handle.h"

namespace ow {

namespace {

// Who owns the call in the line: set by one side, taken over by the other
// with a compare-exchange, so a call that ends just as the host's thread gives
// up on it belongs to exactly one of them.
enum : LONG { kIdle, kPending, kDone, kAbandoned };

UniqueKernelHandle NewEvent() { return UniqueKernelHandle(CreateEventA(nullptr, FALSE, FALSE, nullptr)); }

void Perform(InternetCall& call) {
    switch (call.kind) {
        case InternetCall::Kind::OpenUrl:
            call.opened = InternetOpenUrlA(call.handle, call.url.c_str(), call.headers.c_str(),
                                           static_cast<DWORD>(call.headers.size()), call.flags, 0);
            break;
        case InternetCall::Kind::QueryDataAvailable:
            call.count = 0;
            call.ok = InternetQueryDataAvailable(call.handle, &call.count, 0, 0);
            break;
        case InternetCall::Kind::ReadFile:
            call.count = 0;
            call.ok = InternetReadFile(call.handle, call.buffer.data(), std::min<DWORD>(call.toRead, kReadSize),
                                       &call.count);
            break;
    }
}

// What a call nobody waits for any more produced: a URL handle nobody else
// will close.
void Discard(InternetCall& call) {
    if (call.kind == InternetCall::Kind::OpenUrl && call.opened != nullptr) InternetCloseHandle(call.opened);
}

void TakeRequest(InternetCall& to, const InternetCall& from) {
    to.kind = from.kind;
    to.handle = from.handle;
    to.url = from.url;
    to.headers = from.headers;
    to.flags = from.flags;
    to.toRead = from.toRead;
}

void TakeAnswer(InternetCall& to, const InternetCall& from) {
    to.opened = from.opened;
    to.ok = from.ok;
    to.count = from.count;
    if (from.kind == InternetCall::Kind::ReadFile && from.ok) {
        std::memcpy(to.buffer.data(), from.buffer.data(), std::min<std::size_t>(from.count, kReadSize));
    }
}

}  // namespace

// What the host's thread and the worker share. It lives until both have let
// go of it: the worker may outlive the plug-in's finalisation.
struct InternetWorker::Line {
    volatile LONG references = 2;  // the worker's thread and the InternetWorker
    HMODULE module = nullptr;      // the worker's reference on the library
    UniqueKernelHandle request = NewEvent();
    UniqueKernelHandle done = NewEvent();
    volatile LONG state = kIdle;
    volatile LONG exit = 0;
    InternetCall call;

    // Only the host's thread reads and writes these.
    bool abandonRequested = false;
    bool spent = false;  // a call was given up: the worker may still be making it

    void AddReference() { InterlockedIncrement(&references); }
    static void Release(Line* line) {
        if (InterlockedDecrement(&line->references) == 0) delete line;
    }
};

std::unique_ptr<InternetWorker> InternetWorker::Start() {
    auto line = std::make_unique<Line>();
    if (!line->request || !line->done) return nullptr;
    line->module = TakeModuleReference();
    if (line->module == nullptr) return nullptr;
    // The thread lives on its own: the line and the module reference are how
    // it ends, so its handle is not kept.
    const UniqueKernelHandle thread(CreateThread(nullptr, 0, &InternetWorker::Main, line.get(), 0, nullptr));
    if (!thread) {
        FreeLibrary(line->module);
        return nullptr;
    }
    return std::unique_ptr<InternetWorker>(new InternetWorker(line.release()));
}

InternetWorker::~InternetWorker() {
    line_->abandonRequested = true;
    InterlockedExchange(&line_->exit, 1);
    SetEvent(line_->request.get());
    Line::Release(line_);
}

bool InternetWorker::Run(InternetCall& call) {
    // A message dispatched below may let this object go; the line stays until
    // this call has let go of it too.
    Line* line = line_;
    if (line->spent) return false;
    line->AddReference();
    TakeRequest(line->call, call);  // the worker is idle: its last call was waited for
    line->abandonRequested = false;
    InterlockedExchange(&line->state, kPending);
    SetEvent(line->request.get());

    bool finished =
        WaitDispatchingMessages(line->done.get(), [line] { return line->abandonRequested; }) == WaitOutcome::Signalled;
    if (!finished && InterlockedCompareExchange(&line->state, kAbandoned, kPending) != kPending) {
        // It ended just as the wait gave up: its answer (and any handle it
        // opened) is ours after all. The worker is only about to signal.
        WaitForSingleObject(line->done.get(), INFINITE);
        finished = true;
    }
    if (finished) {
        TakeAnswer(call, line->call);
    } else {
        line->spent = true;
    }
    Line::Release(line);
    return finished;
}

void InternetWorker::Abandon() { line_->abandonRequested = true; }

DWORD WINAPI InternetWorker::Main(void* parameter) {
    Line* line = static_cast<Line*>(parameter);
    const HMODULE module = line->module;
    while (WaitForSingleObject(line->request.get(), INFINITE) == WAIT_OBJECT_0 &&
           InterlockedCompareExchange(&line->exit, 0, 0) == 0) {
        Perform(line->call);
        if (InterlockedCompareExchange(&line->state, kDone, kPending) == kAbandoned) Discard(line->call);
        SetEvent(line->done.get());
    }
    Line::Release(line);
    // The library may be unmapped right here, so no code of it runs after this.
    FreeLibraryAndExitThread(module, 0);
    return 0;
}

}  // namespace ow
