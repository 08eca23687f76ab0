#pragma once
// A document stretched to an exact size without holding it in memory: the head,
// the filler's opening, as many whole repeat units as fit, spaces for the
// remainder, the filler's closing, the tail.
#include <array>
#include <cstddef>
#include <string_view>

#include "document_parts.h"

namespace ow::sample {

class SizedDocument {
public:
    // A size at or below head plus tail gives the document at its natural size;
    // a larger one never less than head, tail and the filler's frame.
    SizedDocument(DocumentParts parts, std::size_t size);
    SizedDocument(const SizedDocument&) = delete;
    SizedDocument& operator=(const SizedDocument&) = delete;

    std::size_t size() const { return size_; }

    // Copies the bytes from offset on into out, at most count of them; returns
    // how many were copied (0 at or past the end).
    std::size_t Read(std::size_t offset, char* out, std::size_t count) const;

private:
    struct Segment {
        enum Kind { Text, Units, Spaces } kind = Text;
        std::string_view text;  // Text: the bytes; Units: one unit
        std::size_t start = 0;
        std::size_t length = 0;
    };
    void Append(Segment::Kind kind, std::string_view text, std::size_t length);
    static std::size_t ReadSegment(const Segment& segment, std::size_t offset, char* out, std::size_t count);

    DocumentParts parts_;
    std::size_t size_ = 0;
    std::array<Segment, 6> segments_;
    std::size_t segmentCount_ = 0;
};

}  // namespace ow::sample
