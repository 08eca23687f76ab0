#include "weather/core/wunderground_extract.h"

#include <array>

#include "weather/core/extract_stream_matcher.h"
#include "weather/core/text_ops.h"
#include "weather/core/wunderground_markers.h"

namespace ow {

namespace {
using namespace wunderground;

static_assert(HasUniqueFirstByte(kDegreeReference));
static_assert(kDegreeSign.size == 1);

constexpr std::array<bool, 256> DroppedBytes() {
    std::array<bool, 256> dropped{};
    for (const char c : kDroppedBytes) dropped[static_cast<unsigned char>(c)] = true;
    return dropped;
}
constexpr auto kDropped = DroppedBytes();

// Bytes the pass copies without a look while no reference is under way.
constexpr std::array<bool, 256> PlainBytes() {
    std::array<bool, 256> plain{};
    for (std::size_t b = 0; b < plain.size(); ++b) plain[b] = !kDropped[b];
    plain[static_cast<unsigned char>(kDegreeReference.front())] = false;
    return plain;
}
constexpr auto kPlain = PlainBytes();

// The document without tabs and line breaks and with every "&#176;" as the
// degree sign, in one pass. A reference is matched in the stream that is left
// after the drops, so one split by a line break still counts, as it does when
// the drops are made first.
std::string CleanFeed(std::string_view document) {
    std::string text(document.size(), '\0');
    char* const out = text.data();
    std::size_t read = 0;
    std::size_t write = 0;
    StreamMatcher degree(kDegreeReference);
    while (read < document.size()) {
        if (degree.Idle()) {
            while (read < document.size() && kPlain[static_cast<unsigned char>(document[read])]) {
                out[write++] = document[read++];
            }
            if (read == document.size()) break;
        }
        const char c = document[read++];
        if (kDropped[static_cast<unsigned char>(c)]) continue;
        out[write++] = c;
        if (degree.Feed(c)) {
            write -= kDegreeReference.size();
            out[write++] = kDegreeSign.view().front();
        }
    }
    text.resize(write);
    return text;
}

TextIndex Size(std::string_view marker) { return static_cast<TextIndex>(marker.size()); }

// The text between the end of the first "Weather Underground -" and the first
// "</title>".
std::string_view Title(std::string_view text) {
    const TextIndex end = PositionOf(kTitleEnd, text);
    const TextIndex start = PositionOf(kTitleStart, text) + Size(kTitleStart);
    return Trim(TakeFrom(text, start, end - start));
}

// The whole content of the first publication date element.
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
    const std::string text = CleanFeed(document);
    const std::string_view pieces[] = {Date(text), Title(text), Description(text)};
    std::string line;
    line.reserve(pieces[0].size() + pieces[1].size() + pieces[2].size() +
                 2 * kPieceSeparator.size());
    line.append(pieces[0]).append(kPieceSeparator).append(pieces[1]);
    line.append(kPieceSeparator).append(pieces[2]);
    return line;
}

}  // namespace ow
