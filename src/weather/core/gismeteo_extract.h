#pragma once
#include <string>
#include <string_view>

namespace ow {

// The weather line of a Gismeteo text informer: the string of its
// document.write("..."); with closing tags turned into punctuation, every
// other tag and the provider's signature dropped, and, last, every "&#176;"
// left in it turned into the degree sign (byte 0xB0). Never fails; the line
// may be empty and is not trimmed. A "<" with no ">" after it ends tag
// removal: it and everything after it stay in the line.
// Linear in the document's length; two buffer allocations whatever it holds.
std::string ExtractGismeteoLine(std::string_view document);

}  // namespace ow
