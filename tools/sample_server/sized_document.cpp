#include "sized_document.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace ow::sample {

SizedDocument::SizedDocument(DocumentParts parts, std::size_t size) : parts_(std::move(parts)) {
    const std::size_t natural = parts_.head.size() + parts_.tail.size();
    Append(Segment::Text, parts_.head, parts_.head.size());
    if (size > natural) {
        const std::size_t framed = natural + parts_.fillerOpening.size() + parts_.fillerClosing.size();
        const std::size_t filler = std::max(size, framed) - framed;
        const std::size_t unit = parts_.repeatUnit.size();
        const std::size_t units = unit == 0 ? 0 : filler / unit * unit;
        Append(Segment::Text, parts_.fillerOpening, parts_.fillerOpening.size());
        Append(Segment::Units, parts_.repeatUnit, units);
        Append(Segment::Spaces, {}, filler - units);
        Append(Segment::Text, parts_.fillerClosing, parts_.fillerClosing.size());
    }
    Append(Segment::Text, parts_.tail, parts_.tail.size());
}

void SizedDocument::Append(Segment::Kind kind, std::string_view text, std::size_t length) {
    if (length == 0) return;
    segments_[segmentCount_++] = Segment{kind, text, size_, length};
    size_ += length;
}

std::size_t SizedDocument::ReadSegment(const Segment& segment, std::size_t offset, char* out, std::size_t count) {
    std::size_t n = std::min(count, segment.length - offset);
    switch (segment.kind) {
        case Segment::Text:
            std::memcpy(out, segment.text.data() + offset, n);
            break;
        case Segment::Units: {
            // Up to the end of the unit at hand; the caller comes back for more.
            const std::size_t within = offset % segment.text.size();
            n = std::min(n, segment.text.size() - within);
            std::memcpy(out, segment.text.data() + within, n);
            break;
        }
        case Segment::Spaces:
            std::memset(out, ' ', n);
            break;
    }
    return n;
}

std::size_t SizedDocument::Read(std::size_t offset, char* out, std::size_t count) const {
    std::size_t done = 0;
    for (std::size_t i = 0; i < segmentCount_ && done < count; ++i) {
        const Segment& segment = segments_[i];
        while (done < count && offset + done < segment.start + segment.length) {
            done += ReadSegment(segment, offset + done - segment.start, out + done, count - done);
        }
    }
    return done;
}

}  // namespace ow::sample
