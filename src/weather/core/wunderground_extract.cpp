#include "weather/core/wunderground_extract.h"

#include <iterator>
#include <memory>

#include "common/text_ops.h"
#include "weather/core/degree_sign.h"
#include "weather/core/wunderground_markers.h"

namespace ow {

namespace {
using namespace wunderground;

static_assert(std::size(kDroppedBytes) == 3, "the copy below names each dropped byte");

// The document without tabs and line breaks and with every "&#176;" as the
// degree sign, written to `out`, which has room for the document; returns the
// length. A reference split by a line break still counts.
std::size_t CleanFeed(std::string_view document, char* const out) {
    return CopyWithDegreeSigns<kDroppedBytes[0], kDroppedBytes[1], kDroppedBytes[2]>(
        document.data(), document.size(), out);
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
