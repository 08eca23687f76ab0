#include "weather/win32/internet_worker.h"

#include <algorithm>
#include <cstring>

#include "common/win32/message_pump.h"
#include "common/win32/module_instance.h"
#include "common/win32/unique_handle.h"

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

// One direction of the hand-over between the two threads. The waiting side
// spins for a moment first: while a download runs fast, the other side
// answers within microseconds (the data is there already), and a sleep on an
// event costs kernel round trips that would make a large download several
// times slower. The signalling side sets the event only for a sleeper. A
// wake may arrive late, meant for an earlier hand-over: every wake is only a
// reason to look again.
class Handoff {
public:
    // The signalling side, once what it hands over is published.
    void Wake() {
        if (InterlockedExchange(&sleeping_, 0) == 1) SetEvent(event_.get());
    }

    // The waiting side: true once ready() holds; false when sleep(event),
    // which waits for the event, gives up.
    template <class Ready, class Sleep>
    bool Await(Ready ready, Sleep sleep) {
        for (int i = 0; i < kSpins; ++i) {
            if (ready()) return true;
            if (i % kSpinsPerYield == kSpinsPerYield - 1) SwitchToThread();  // the other side may share this core
            YieldProcessor();
        }
        for (;;) {
            // Announced before the last look, so a hand-over after it wakes us.
            InterlockedExchange(&sleeping_, 1);
            if (ready()) return true;
            if (!sleep(event_.get())) return false;
            if (ready()) return true;
        }
    }

    bool valid() const { return static_cast<bool>(event_); }

private:
    static constexpr int kSpins = 2000;
    static constexpr int kSpinsPerYield = 64;
    volatile LONG sleeping_ = 0;
    UniqueKernelHandle event_ = NewEvent();
};

LONG Read(volatile LONG& value) { return InterlockedCompareExchange(&value, 0, 0); }

}  // namespace

// What the host's thread and the worker share. It lives until both have let
// go of it: the worker may outlive the plug-in's finalisation.
struct InternetWorker::Line {
    volatile LONG references = 2;  // the worker's thread and the InternetWorker
    HMODULE module = nullptr;      // the worker's reference on the library
    Handoff toWorker;              // a call, or the end
    Handoff toHost;                // the call is done
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
    if (!line->toWorker.valid() || !line->toHost.valid()) return nullptr;
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
    line_->toWorker.Wake();
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
    line->toWorker.Wake();

    bool finished = line->toHost.Await([line] { return Read(line->state) == kDone; },
                                       [line](HANDLE done) {
                                           return WaitDispatchingMessages(done, [line] {
                                                      return line->abandonRequested;
                                                  }) == WaitOutcome::Signalled;
                                       });
    if (!finished && InterlockedCompareExchange(&line->state, kAbandoned, kPending) != kPending) {
        // It ended just as the wait gave up: its answer (and any handle it
        // opened) is ours after all.
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
    const auto called = [line] { return Read(line->state) == kPending || Read(line->exit) != 0; };
    const auto sleep = [](HANDLE request) { return WaitForSingleObject(request, INFINITE) == WAIT_OBJECT_0; };
    while (line->toWorker.Await(called, sleep) && Read(line->exit) == 0) {
        Perform(line->call);
        if (InterlockedCompareExchange(&line->state, kDone, kPending) == kAbandoned) Discard(line->call);
        line->toHost.Wake();
    }
    Line::Release(line);
    // The library may be unmapped right here, so no code of it runs after this.
    FreeLibraryAndExitThread(module, 0);
    return 0;
}

}  // namespace ow
