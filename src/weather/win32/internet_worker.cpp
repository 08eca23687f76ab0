#include "weather/win32/internet_worker.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <utility>

#include "common/win32/critical_section.h"
#include "common/win32/message_pump.h"
#include "common/win32/module_instance.h"
#include "common/win32/unique_handle.h"

namespace ow {

namespace {

// Who has the call in the line. Changes are made under the line's lock, so
// a call that ends just as the host's thread gives up on it belongs to
// exactly one of them; the spinning sides only read it.
enum : int {
    kIdle,       // no call
    kPending,    // the worker makes it; the host's thread waits for it
    kAbandoned,  // the worker makes it; nobody waits for it any more
    kDone,       // made; the answer is the host's thread's
};

UniqueKernelHandle NewEvent() { return UniqueKernelHandle(CreateEventA(nullptr, FALSE, FALSE, nullptr)); }

void Perform(InternetCall& call) {
    switch (call.kind) {
        case InternetCall::Kind::OpenUrl:
            call.opened = InternetOpenUrlA(call.handle, call.url.c_str(), call.headers.c_str(),
                                           static_cast<DWORD>(call.headers.size()), call.flags, 0);
            break;
        case InternetCall::Kind::SendRequest:
            call.ok = HttpSendRequestA(call.handle, call.headers.c_str(), static_cast<DWORD>(call.headers.size()),
                                       nullptr, 0);
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
        case InternetCall::Kind::Aside:
            call.work->Run();
            call.work.reset();  // the host's thread holds its own reference, if it still waits
            call.ok = TRUE;
            break;
    }
}

void TakeRequest(InternetCall& to, const InternetCall& from) {
    to.kind = from.kind;
    to.handle = from.handle;
    to.url = from.url;
    to.headers = from.headers;
    to.flags = from.flags;
    to.toRead = from.toRead;
    to.work = from.work;
    to.opened = nullptr;
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
// reason to look again, and every look is announced afresh, since that late
// wake has taken the announcement of the look before it.
class Handoff {
public:
    // The signalling side, once what it hands over is published.
    void Wake() {
        if (sleeping_.exchange(0) == 1) SetEvent(event_.get());
    }

    // The waiting side: true once ready() holds; false when sleep(event,
    // look), which waits for the event, gives up. A sleep that wakes more than
    // once before it returns asks look(), never ready(), whether to go on.
    template <class Ready, class Sleep>
    bool Await(Ready ready, Sleep sleep) {
        for (int i = 0; i < kSpins; ++i) {
            if (ready()) return true;
            if (i % kSpinsPerYield == kSpinsPerYield - 1) SwitchToThread();  // the other side may share this core
            YieldProcessor();
        }
        // Each look is announced first (both sequentially consistent), so a
        // hand-over after any look sees a sleeper and wakes it.
        const std::function<bool()> look = [this, &ready] {
            sleeping_.store(1);
            return ready();
        };
        while (!look()) {
            if (!sleep(event_.get(), look)) return false;
        }
        return true;
    }

    bool valid() const { return static_cast<bool>(event_); }

private:
    static constexpr int kSpins = 2000;
    static constexpr int kSpinsPerYield = 64;
    std::atomic<int> sleeping_{0};
    UniqueKernelHandle event_ = NewEvent();
};

}  // namespace

// What the host's thread and the worker share. It lives until both have let
// go of it: the worker may outlive the plug-in's finalisation.
struct InternetWorker::Line {
    std::atomic<int> references{1};
    HMODULE module = nullptr;  // the worker's reference on the library
    Handoff toWorker;          // a call, or the end
    Handoff toHost;            // the call is done
    CriticalSection lock;
    std::atomic<int> state{kIdle};
    std::atomic<bool> exit{false};
    InternetCall call;
    // Handles closed while a call was being made: the worker closes them,
    // in this order, once the call has returned. A download has three at most.
    std::array<HINTERNET, 3> handedOver{};
    std::atomic<std::size_t> handedOverCount{0};

    bool valid() const { return toWorker.valid() && toHost.valid() && lock.valid(); }
    void AddReference() { references.fetch_add(1); }
    static void Release(Line* line) {
        if (line->references.fetch_sub(1) == 1) delete line;
    }
};

std::unique_ptr<InternetWorker> InternetWorker::Start() {
    // Everything that can fail to allocate comes before the thread exists.
    std::unique_ptr<Line> line(new Line);
    if (!line->valid()) return nullptr;
    std::unique_ptr<InternetWorker> worker(new InternetWorker(line.get()));
    Line* shared = line.release();  // the worker object's reference now
    shared->module = TakeModuleReference();
    if (shared->module == nullptr) return nullptr;
    shared->AddReference();  // the thread's
    // The thread lives on its own: the line and the module reference are how
    // it ends, so its handle is not kept.
    const UniqueKernelHandle thread(CreateThread(nullptr, 0, &InternetWorker::Main, shared, 0, nullptr));
    if (!thread) {
        shared->references.fetch_sub(1);
        FreeLibrary(std::exchange(shared->module, nullptr));
        return nullptr;
    }
    return worker;
}

InternetWorker::~InternetWorker() {
    line_->exit.store(true);
    line_->toWorker.Wake();
    Line::Release(line_);
}

bool InternetWorker::Run(InternetCall& call, DWORD deadline) {
    Line* line = line_;
    // A call given up earlier may still be under way: nothing more goes to
    // the worker then.
    if (line->state.load() != kIdle) return false;
    TakeRequest(line->call, call);  // may throw; nothing is shared yet
    // A message dispatched below may let this object go; the line stays until
    // this call has let go of it too.
    line->AddReference();
    {
        const CriticalSection::Lock lock(line->lock);
        line->state.store(kPending);
    }
    line->toWorker.Wake();

    const auto answered = [line] { return line->state.load() != kPending; };
    line->toHost.Await(answered, [deadline](HANDLE wake, const std::function<bool()>& look) {
        return WaitDispatchingMessages(wake, look, deadline) == WaitOutcome::Ready;
    });
    bool done = false;
    {
        const CriticalSection::Lock lock(line->lock);
        const int state = line->state.load();
        if (state == kDone) {
            line->state.store(kIdle);
            done = true;
        } else if (state == kPending) {
            // Given up (the messenger quits, the wait failed, the deadline
            // came): the worker throws the answer away, whatever it opened
            // included.
            line->state.store(kAbandoned);
        }
    }
    if (done) TakeAnswer(call, line->call);
    Line::Release(line);
    return done;
}

void InternetWorker::Close(HINTERNET handle) {
    Line* line = line_;
    {
        const CriticalSection::Lock lock(line->lock);
        const int state = line->state.load();
        // A call under way is given up; its handles wait for it to return.
        if (state == kPending) line->state.store(kAbandoned);
        // A download has three handles, so there is always room; were there
        // none, leaving the handle open would still beat closing it here.
        const std::size_t count = line->handedOverCount.load();
        if (count < line->handedOver.size()) {
            line->handedOver[count] = handle;
            line->handedOverCount.store(count + 1);
        }
    }
    line->toWorker.Wake();
}

namespace {
// Closes, outside the lock, what a call nobody waits for opened and the
// handles handed over meanwhile, in that order: the URL handle before the
// Internet handle it belongs to.
void CloseAll(const HINTERNET* handles, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) InternetCloseHandle(handles[i]);
}
}  // namespace

DWORD WINAPI InternetWorker::Main(void* parameter) {
    Line* line = static_cast<Line*>(parameter);
    const HMODULE module = line->module;
    // Something to do: a call, handles to close, or the end.
    const auto wanted = [line] {
        const int state = line->state.load();
        return state == kPending || state == kAbandoned || line->exit.load() || line->handedOverCount.load() != 0;
    };
    const auto sleep = [](HANDLE wake, const std::function<bool()>&) {
        return WaitForSingleObject(wake, INFINITE) == WAIT_OBJECT_0;
    };
    std::array<HINTERNET, 4> toClose{};
    std::size_t closing = 0;
    const auto takeHandedOver = [line, &toClose, &closing] {
        const std::size_t count = line->handedOverCount.load();
        for (std::size_t i = 0; i < count; ++i) toClose[closing++] = line->handedOver[i];
        line->handedOverCount.store(0);
    };
    while (line->toWorker.Await(wanted, sleep)) {
        // No call is under way here, so every handle handed over can go, and
        // before the next call: it was let go before that call was asked for.
        // A call given up before it was begun is dropped.
        closing = 0;
        bool call = false;
        {
            const CriticalSection::Lock lock(line->lock);
            takeHandedOver();
            if (line->state.load() == kAbandoned) line->state.store(kIdle);
            call = line->state.load() == kPending;
        }
        CloseAll(toClose.data(), closing);
        if (call) {
            Perform(line->call);
            closing = 0;
            {
                const CriticalSection::Lock lock(line->lock);
                if (line->state.load() == kPending) {
                    line->state.store(kDone);
                } else {
                    if (line->call.kind == InternetCall::Kind::OpenUrl && line->call.opened != nullptr)
                        toClose[closing++] = line->call.opened;
                    takeHandedOver();
                    line->state.store(kIdle);
                }
            }
            CloseAll(toClose.data(), closing);
            line->toHost.Wake();
        } else if (line->exit.load()) {
            break;
        }
    }
    // Let go: a call given up before it was made leaves its handles here.
    closing = 0;
    {
        const CriticalSection::Lock lock(line->lock);
        takeHandedOver();
    }
    CloseAll(toClose.data(), closing);
    Line::Release(line);
    // The library may be unmapped right here, so no code of it runs after this.
    FreeLibraryAndExitThread(module, 0);
    return 0;
}

}  // namespace ow
