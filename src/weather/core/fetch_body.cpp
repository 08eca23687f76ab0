#include "weather/core/fetch_body.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace ow {

namespace {

// Room for `piece` more bytes: doubling, so a huge body costs amortised
// constant time per piece, but never past the largest document, so a body
// near it never asks for twice its size on top of the copy being replaced.
void Grow(std::string& body, std::size_t piece) {
    const std::size_t needed = body.size() + piece;
    if (needed <= body.capacity()) return;
    // Into a new string: reserve on the old one may round up to twice its
    // capacity, limit or not.
    std::string grown;
    grown.reserve(std::min(std::max(needed, 2 * body.capacity()), kMaxBodyBytes));
    grown.append(body);
    body.swap(grown);
}

}  // namespace

bool ReadBody(InternetPort& port, const FetchHandles& handles, std::string& body, std::size_t limit) {
    std::array<char, kReadSize> buffer;
    std::uint32_t available = 0;
    if (!port.QueryDataAvailable(handles.Url(), available)) return true;
    while (available != 0) {
        const std::uint32_t toRead = std::min(available, kReadSize);
        std::uint32_t read = 0;
        if (!port.ReadFile(handles.Url(), buffer.data(), toRead, read) || read == 0) return true;
        // Never trust a count beyond what was asked for.
        const std::size_t piece = std::min(read, toRead);
        if (body.size() > limit || piece > limit - body.size()) {
            std::string().swap(body);
            return false;
        }
        const bool more = port.QueryDataAvailable(handles.Url(), available);
        Grow(body, piece);
        body.append(buffer.data(), piece);
        if (!more) return true;
        port.PumpMessages();
        if (handles.Cancelled()) return true;
    }
    return true;
}

}  // namespace ow
