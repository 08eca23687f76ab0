#pragma once
// The packed messages exchanged with the host: little-endian Ints, counted
// Strings, and the envelope (an Int body length followed by the body).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ow {

std::string PackInt(std::int32_t value);
std::string PackString(std::string_view text);

// Reads fields of an envelope that belongs to someone else (an event from
// the host, or the host's answer). Every read stays inside the envelope's own
// length field; a field outside it reads as absent.
class EnvelopeReader {
public:
    // An envelope at an address the host handed over; null is invalid.
    static EnvelopeReader FromHost(const void* envelope);

    bool valid() const { return data_ != nullptr; }
    std::int32_t bodyLength() const { return bodyLength_; }
    std::optional<std::uint8_t> ByteAt(int offset) const;
    std::optional<std::int32_t> IntAt(int offset) const;

private:
    bool Readable(int offset, int width) const;
    const unsigned char* data_ = nullptr;
    std::int32_t bodyLength_ = 0;
};

// The one buffer in which every outgoing envelope is built. The address it
// returns stays valid until the next Pack.
class EnvelopeBuffer {
public:
    const char* Pack(std::string_view body);
    const std::string& bytes() const { return buffer_; }

private:
    std::string buffer_;
};

}  // namespace ow
