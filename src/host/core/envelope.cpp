#include "host/core/envelope.h"

#include <cstring>
#include <limits>

namespace ow {

std::string PackInt(std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
    return out;
}

std::string PackString(std::string_view text) {
    return PackInt(static_cast<std::int32_t>(text.size())).append(text);
}

namespace {
std::int32_t ReadInt(const unsigned char* p) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(p[i]) << (8 * i);
    return static_cast<std::int32_t>(u);
}
}  // namespace

EnvelopeReader EnvelopeReader::FromHost(const void* envelope) {
    EnvelopeReader r;
    if (envelope == nullptr) return r;
    r.data_ = static_cast<const unsigned char*>(envelope);
    r.bodyLength_ = ReadInt(r.data_);
    if (r.bodyLength_ < 0) r = EnvelopeReader{};
    return r;
}

bool EnvelopeReader::Readable(int offset, int width) const {
    if (data_ == nullptr || offset < 4) return false;
    const std::int64_t end = static_cast<std::int64_t>(offset) + width;
    return end <= 4 + static_cast<std::int64_t>(bodyLength_);
}

std::optional<std::uint8_t> EnvelopeReader::ByteAt(int offset) const {
    if (!Readable(offset, 1)) return std::nullopt;
    return data_[offset];
}

std::optional<std::int32_t> EnvelopeReader::IntAt(int offset) const {
    if (!Readable(offset, 4)) return std::nullopt;
    return ReadInt(data_ + offset);
}

const char* EnvelopeBuffer::Pack(std::string_view body) {
    std::string next = PackInt(static_cast<std::int32_t>(body.size()));
    next.append(body);
    buffer_ = std::move(next);
    return buffer_.data();
}

}  // namespace ow
