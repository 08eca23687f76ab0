#include "weather/core/fetch_body.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <utility>

namespace ow {

namespace {

// From this size on, moving the body into a larger buffer (a copy of
// megabytes) is work for the download's own thread, not the messenger's.
constexpr std::size_t kGrowAsideBytes = 1024 * 1024;

// Into a new string: reserve on the old one may round up to twice its
// capacity, limit or not.
void MoveInto(std::string& body, std::size_t capacity) {
    std::string grown;
    grown.reserve(capacity);
    grown.append(body);
    body.swap(grown);
}

// The body moved into a buffer of `capacity` bytes.
class BodyGrowth final : public AsideWork {
public:
    BodyGrowth(std::string body, std::size_t capacity) : body_(std::move(body)), capacity_(capacity) {}

    void Run() noexcept override {
        try {
            MoveInto(body_, capacity_);  // the old buffer goes here, on the same thread
            grown_ = true;
        } catch (...) {
        }
    }

    // The body, grown or not.
    std::string Take() { return std::move(body_); }
    bool grown() const { return grown_; }

private:
    std::string body_;
    std::size_t capacity_;
    bool grown_ = false;
};

// Room for `piece` more bytes: doubling, so a huge body costs amortised
// constant time per piece, but never past the largest document, so a body
// near it never asks for twice its size on top of the copy being replaced.
// False when the room could not be made (the body is then emptied).
bool Grow(InternetPort& port, const FetchHandles& handles, std::string& body, std::size_t piece) {
    const std::size_t needed = body.size() + piece;
    if (needed <= body.capacity()) return true;
    const std::size_t capacity = std::min(std::max(needed, 2 * body.capacity()), kMaxBodyBytes);
    if (capacity >= kGrowAsideBytes) {
        // The work owns the body meanwhile: given up (finalisation, the
        // deadline), it frees it on the download's thread.
        const auto growth = std::make_shared<BodyGrowth>(std::move(body), capacity);
        body.clear();
        if (!port.RunAside(handles.Internet(), growth) || !growth->grown()) return false;
        body = growth->Take();
        return true;
    }
    MoveInto(body, capacity);
    return true;
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
        if (!Grow(port, handles, body, piece)) {
            std::string().swap(body);
            return handles.Cancelled();  // cancelled: the caller says so; otherwise a failure
        }
        body.append(buffer.data(), piece);
        if (!more) return true;
        port.PumpMessages();
        if (handles.Cancelled()) return true;
    }
    return true;
}

}  // namespace ow
