#pragma once
// Reading the document of one download.
#include <cstddef>
#include <string>

#include "weather/core/fetch_handles.h"
#include "weather/core/internet_port.h"

namespace ow {

// The largest document read: weather documents are a few kilobytes, and a
// server that never stops sending must not fill the messenger's 32-bit
// address space.
inline constexpr std::size_t kMaxBodyBytes = 64u * 1024 * 1024;

// Appends the document behind the download's URL handle to `body`, piece by
// piece and unchanged, letting the thread's messages run between pieces. Each
// read asks for what the last query reported, at most kReadSize bytes: what
// has arrived, so the read returns at once and a trickling server still sees
// one read per piece. Stops at the end of the data, when a query or read fails
// or a read brings nothing, or as soon as the download is cancelled. False,
// with `body` emptied and its memory freed, as soon as the document would
// pass `limit` bytes, or when no room could be made for it. A body of
// megabytes is moved into its larger buffers on the download's own thread
// (InternetPort::RunAside).
bool ReadBody(InternetPort& port, const FetchHandles& handles, std::string& body,
              std::size_t limit = kMaxBodyBytes);

}  // namespace ow
