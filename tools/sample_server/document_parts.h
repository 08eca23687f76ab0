#pragma once
// A served document in pieces, so a document of any size can be made by
// repeating the middle piece between the head and the tail.
#include <string>

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

}  // namespace ow::sample
