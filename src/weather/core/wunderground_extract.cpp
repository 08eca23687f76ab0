#include "weather/core/wunderground_extract.h"

#include <iterator>
#include <memory>

#include "common/text_ops.h"
#include "weather/core/extract_byte_scan.h"
#include "weather/core/extract_stream_matcher.h"
#include "weather/core/wunderground_markers.h"

namespace ow {

namespace {
using namespace wunderground;

static_assert(HasUniqueFirstByte(kDegreeReference));
static_assert(kDegreeSign.size == 1);

static_assert(std::size(kDroppedBytes) == 3, "the scans below name each dropped byte");

bool IsDropped(char c) {
    return byte_scan::IsStop<kDroppedBytes[0], kDroppedBytes[1], kDroppedBytes[2]>(c);
}

// Text up to the next byte that is dropped or may start a reference, copied
// to `out`.
std::size_t TextRun(const char* in, std::size_t size, char* out) {
    return byte_scan::CopyRun<kDroppedBytes[0], kDroppedBytes[1], kDroppedBytes[2],
                              kDegreeReference.front()>(in, size, out);
}

// Writes the document without tabs and line breaks and with every "&#176;"
// as the degree sign to `out`, which has room for the document; returns the
// length. A reference is matched in the stream left after the drops, so one
// split by a line break still counts, as it does when the drops come first.
std::size_t CleanFeed(std::string_view document, char* const out) {
    const char* const in = document.data();
    const std::size_t size = document.size();
    std::size_t read = 0;
    std::size_t write = 0;
    StreamMatcher degree(kDegreeReference);
    while (read < size) {
        if (degree.Idle()) {
            const std::size_t run = TextRun(in + read, size - read, out + write);
            read += run;
            write += run;
            if (read == size) break;
        }
        const char c = in[read++];
        if (IsDropped(c)) continue;
        out[write++] = c;
        if (degree.Feed(c)) {
            write -= kDegreeReference.size();
            out[write++] = kDegreeSign.view().front();
        }
    }
    return write;
}

TextIndex Size(std::string_view marker) { return static_cast<TextIndex>(marker.size()); }

// The text between the end of the first "Weather Underground -" and the first
// "</title>". Without the former it starts at the 21st character.
std::string_view Title(std::string_view text) {
    const TextIndex end = PositionOf(kTitleEnd, text);
    const TextIndex start = PositionOf(kTitleStart, text) + Size(kTitleStart);
    return Trim(TakeFrom(text, start, end - start));
}

// The whole content of the first publication date element, up to the byte
// before "</pubDate>". Without "<pubDate>" it starts at the 9th character.
std::string_view Date(std::string_view text) {
    const TextIndex end = PositionOf(kDateEnd, text);
    const TextIndex start = PositionOf(kDateStart, text);
    return Trim(TakeFrom(text, start + Size(kDateStart), end - start - Size(kDateStart)));
}

// What the first description element that opens after the first closing one
// holds before "| Updated".
std::string_view Description(std::string_view text) {
    text = CutFirst(text, PositionOf(kDescriptionEnd, text) - 1);
    text = CutFirst(text, PositionOf(kDescriptionStart, text) + Size(kDescriptionStart) - 1);
    return Trim(TakeFrom(text, 1, PositionOf(kDescriptionCut, text) - 1));
}
}  // namespace

std::string ExtractWundergroundLine(std::string_view document) {
    const auto buffer = std::make_unique_for_overwrite<char[]>(document.size());
    const std::string_view text(buffer.get(), CleanFeed(document, buffer.get()));
    const std::string_view pieces[] = {Date(text), Title(text), Description(text)};
    std::string line;
    line.reserve(pieces[0].size() + pieces[1].size() + pieces[2].size() +
                 2 * kPieceSeparator.size());
    line.append(pieces[0]).append(kPieceSeparator).append(pieces[1]);
    line.append(kPieceSeparator).append(pieces[2]);
    return line;
}

}  // namespace ow
