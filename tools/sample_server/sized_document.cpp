#include "sized_document.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>

namespace ow::sample {
namespace {

// Copies from text at offset; returns the count copied.
std::size_t CopyFrom(std::string_view text, std::size_t offset, char* out, std::size_t count) {
    if (offset >= text.size()) return 0;
    const std::size_t n = std::min(count, text.size() - offset);
    std::memcpy(out, text.data() + offset, n);
    return n;
}

}  // namespace

SizedDocument::SizedDocument(DocumentParts parts, std::size_t size) : parts_(std::move(parts)) {
    const std::size_t natural = parts_.head.size() + parts_.tail.size();
    size_ = std::max(size, natural);
    fillerSize_ = size_ - natural;
    const std::size_t unit = parts_.repeatUnit.size();
    unitsSize_ = unit == 0 ? 0 : fillerSize_ / unit * unit;
}

std::size_t SizedDocument::ReadFiller(std::size_t offset, char* out, std::size_t count) const {
    if (offset < unitsSize_) {
        const std::size_t unit = parts_.repeatUnit.size();
        const std::size_t n = std::min(count, unitsSize_ - offset);
        return CopyFrom(parts_.repeatUnit, offset % unit, out, n);
    }
    const std::size_t n = std::min(count, fillerSize_ - offset);
    std::memset(out, ' ', n);
    return n;
}

std::size_t SizedDocument::Read(std::size_t offset, char* out, std::size_t count) const {
    std::size_t done = 0;
    const std::size_t head = parts_.head.size();
    while (done < count && offset + done < size_) {
        const std::size_t at = offset + done;
        const std::size_t want = count - done;
        std::size_t n;
        if (at < head)
            n = CopyFrom(parts_.head, at, out + done, want);
        else if (at < head + fillerSize_)
            n = ReadFiller(at - head, out + done, want);
        else
            n = CopyFrom(parts_.tail, at - head - fillerSize_, out + done, want);
        if (n == 0) break;
        done += n;
    }
    return done;
}

}  // namespace ow::sample
