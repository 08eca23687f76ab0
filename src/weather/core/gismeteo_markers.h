#pragma once
// The texts the Gismeteo informer extraction searches for and puts in.
#include <string_view>

namespace ow::gismeteo {

// The payload is the string of the informer's document.write("...");
inline constexpr std::string_view kPayloadOpening = "ite(\"";
inline constexpr std::string_view kPayloadClosing = "\");";
// Removed from the payload before the closing marker is looked for.
inline constexpr std::string_view kLineFeedReturn = "\n\r";

struct Replacement {
    std::string_view from;
    std::string_view to;
};

// Applied one after another, in this order: the pair first, so that it gives
// a single full stop rather than a comma and a full stop.
inline constexpr Replacement kClosingTags[] = {
    {"</b></font>", ". "},
    {"</b>", ", "},
    {"</font>", ". "},
};

// The provider's own credit, dropped from the line; it may be completed by the
// full stop of a replaced closing tag.
inline constexpr std::string_view kSignature = "GISMETEO.RU.";

inline constexpr char kTagOpen = '<';
inline constexpr char kTagClose = '>';

}  // namespace ow::gismeteo
