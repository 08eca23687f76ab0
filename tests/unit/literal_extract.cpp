#include "literal_extract.h"

#include "common/text_ops.h"
#include "weather/core/degree_sign.h"
#include "weather/core/extract_weather_line.h"
#include "weather/core/gismeteo_markers.h"
#include "weather/core/wunderground_markers.h"

namespace ow::literal {

namespace {
// Every occurrence of `from`, scanning left to right, replaced by `to`; the
// scan resumes after each occurrence, so matches never overlap and inserted
// text is never searched again. An empty `from` changes nothing.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t done = 0;
    for (auto at = text.find(from); at != std::string_view::npos; at = text.find(from, done)) {
        out.append(text.substr(done, at - done));
        out.append(to);
        done = at + from.size();
    }
    out.append(text.substr(done));
    return out;
}

// Deletes characters a to b (1-based, inclusive) the way an in-place delete
// does: everything after them moves.
void DeleteRange(std::string& text, TextIndex a, TextIndex b) {
    text.erase(static_cast<std::size_t>(a - 1), static_cast<std::size_t>(b - a + 1));
}
}  // namespace

std::string ExtractGismeteoLine(std::string_view document) {
    using namespace gismeteo;
    static_assert(kPayloadOpening.size() == 5);
    std::string text(document);

    const TextIndex p = PositionOf(kPayloadOpening, text);
    text = std::string(CutFirst(text, p + 4));

    text = ReplaceAll(text, kLineFeedReturn, "");

    const TextIndex q = PositionOf(kPayloadClosing, text);
    text = std::string(TakeFrom(text, 1, q - 1));

    for (const auto& tag : kClosingTags) text = ReplaceAll(text, tag.from, tag.to);
    text = ReplaceAll(text, kSignature, "");

    const std::string open(1, kTagOpen);
    const std::string close(1, kTagClose);
    for (TextIndex a = PositionOf(open, text); a > 0; a = PositionOf(open, text)) {
        const TextIndex afterA = PositionOf(close, CutFirst(text, a));
        if (afterA == 0) break;
        DeleteRange(text, a, a + afterA);
    }
    return ReplaceAll(text, kDegreeReference, kDegreeSign.view());
}

std::string ExtractWundergroundLine(std::string_view document) {
    using namespace wunderground;
    // The position arithmetic below uses the markers' lengths as numbers.
    static_assert(kTitleStart.size() == 21 && kDateStart.size() == 9 &&
                  kDescriptionStart.size() == 13);
    std::string text(document);

    for (const char c : kDroppedBytes) text = ReplaceAll(text, std::string(1, c), "");
    text = ReplaceAll(text, kDegreeReference, kDegreeSign.view());

    const TextIndex t = PositionOf(kTitleEnd, text);
    const TextIndex w = PositionOf(kTitleStart, text);
    const std::string title(Trim(TakeFrom(text, w + 21, t - (w + 21))));

    const TextIndex e = PositionOf(kDateEnd, text);
    const TextIndex s = PositionOf(kDateStart, text);
    const std::string date(Trim(TakeFrom(text, s + 9, e - s - 9)));

    const TextIndex d = PositionOf(kDescriptionEnd, text);
    text = std::string(CutFirst(text, d - 1));
    const TextIndex d2 = PositionOf(kDescriptionStart, text);
    text = std::string(CutFirst(text, d2 + 12));
    const TextIndex u = PositionOf(kDescriptionCut, text);
    const std::string description(Trim(TakeFrom(text, 1, u - 1)));

    return date + std::string(kPieceSeparator) + title + std::string(kPieceSeparator) +
           description;
}

std::string ExtractWeatherLine(std::string_view document, int sourceIndex) {
    if (document.empty()) return "";
    if (sourceIndex == kGismeteoSource) return ExtractGismeteoLine(document);
    if (sourceIndex == kWundergroundSource) return ExtractWundergroundLine(document);
    return "";
}

}  // namespace ow::literal
