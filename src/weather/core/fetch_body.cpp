#include "weather/core/fetch_body.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace ow {

void ReadBody(InternetPort& port, const FetchHandles& handles, std::string& body) {
    std::array<char, kReadSize> buffer;
    std::uint32_t available = 0;
    if (!port.QueryDataAvailable(handles.Url(), available)) return;
    while (available != 0) {
        const std::uint32_t toRead = std::min(available, kReadSize);
        std::uint32_t read = 0;
        if (!port.ReadFile(handles.Url(), buffer.data(), toRead, read) || read == 0) return;
        const bool more = port.QueryDataAvailable(handles.Url(), available);
        // Never trust a count beyond what was asked for. std::string grows
        // geometrically, so a huge body costs amortised constant time per piece.
        body.append(buffer.data(), std::min(read, toRead));
        if (!more) return;
        port.PumpMessages();
        if (handles.Cancelled()) return;
    }
}

}  // namespace ow
