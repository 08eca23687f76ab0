#pragma once
// A served document in pieces, so a document of any size can be made by
// repeating the middle piece between the head and the tail.
#include <string>
#include <string_view>

namespace ow::sample {

struct DocumentParts {
    std::string head;        // everything up to where repetition may go
    std::string repeatUnit;  // a well-formed piece that may be repeated there
    std::string tail;        // the closing part
    // Where the repeated pieces need a frame of their own to stay well formed
    // (a member and array around them), its two halves; empty otherwise.
    std::string fillerOpening;
    std::string fillerClosing;

    // The document at its natural size.
    std::string Whole() const { return head + tail; }
};

// A JSON object whose padding, a member `fillerOpening` opens and
// `fillerClosing` closes, goes before its closing brace.
inline DocumentParts PaddedJsonObject(std::string_view object, std::string_view fillerOpening,
                                      std::string_view repeatUnit, std::string_view fillerClosing) {
    DocumentParts parts;
    parts.head = object.substr(0, object.size() - 1);
    parts.tail = object.substr(object.size() - 1);  // the closing brace
    parts.fillerOpening = fillerOpening;
    parts.repeatUnit = repeatUnit;
    parts.fillerClosing = fillerClosing;
    return parts;
}

}  // namespace ow::sample
