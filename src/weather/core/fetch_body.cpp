#include "weather/core/fetch_body.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace ow {

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
        // std::string grows geometrically, so a huge body costs amortised
        // constant time per piece.
        body.append(buffer.data(), piece);
        if (!more) return true;
        port.PumpMessages();
        if (handles.Cancelled()) return true;
    }
    return true;
}

}  // namespace ow
