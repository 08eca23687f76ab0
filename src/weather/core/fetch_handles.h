#pragma once
// Ownership of the WinInet handles of the downloads in progress.
//
// Each download owns its two handles. A download dispatches messages between
// reads, so another download can start and finish inside it, and the plug-in
// can be finalised inside it; the registry lets finalisation close every open
// handle and tell the interrupted downloads to stop.
#include <cstddef>
#include <vector>

#include "weather/core/internet_port.h"

namespace ow {

class FetchRegistry;

// The handles of one download (the Internet handle, the connection handle
// of an HTTPS request, and the URL or request handle the document is read
// from), closed through the port when the download ends, the last opened
// first, or earlier by the registry.
class FetchHandles {
public:
    FetchHandles(InternetPort& port, FetchRegistry& registry);
    ~FetchHandles();
    FetchHandles(const FetchHandles&) = delete;
    FetchHandles& operator=(const FetchHandles&) = delete;

    HInternet Internet() const { return internet_; }
    HInternet Connection() const { return connection_; }
    HInternet Url() const { return url_; }
    void SetInternet(HInternet handle) { internet_ = handle; }
    void SetConnection(HInternet handle) { connection_ = handle; }
    void SetUrl(HInternet handle) { url_ = handle; }

    // Closes whatever is still open, the last opened first; each handle once.
    void Close();
    // Closes the URL or request handle and the connection, keeping the
    // Internet handle (and with it the download's thread).
    void CloseRequest();
    // Closes the URL or request handle alone.
    void CloseUrl();

    // Finalisation closed the handles while the download was running.
    bool Cancelled() const { return cancelled_; }

private:
    friend class FetchRegistry;
    void Cancel();

    InternetPort& port_;
    FetchRegistry& registry_;
    HInternet internet_ = kNoInternetHandle;
    HInternet connection_ = kNoInternetHandle;
    HInternet url_ = kNoInternetHandle;
    bool cancelled_ = false;
};

// The downloads in progress on this thread, outermost first. The plug-in keeps
// one for its lifetime.
class FetchRegistry {
public:
    FetchRegistry() = default;
    FetchRegistry(const FetchRegistry&) = delete;
    FetchRegistry& operator=(const FetchRegistry&) = delete;

    // Closes the open handles of every download in progress, innermost first,
    // and marks those downloads cancelled. For finalisation.
    void CloseAll();

private:
    friend class FetchHandles;
    void Enter(FetchHandles* handles);
    void Leave(FetchHandles* handles);

    std::vector<FetchHandles*> active_;
};

}  // namespace ow
