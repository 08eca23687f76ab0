#pragma once
// A document stretched to an exact size without holding it in memory: the head,
// as many whole repeat units as fit, spaces for the remainder, the tail.
#include <cstddef>

#include "document_parts.h"

namespace ow::sample {

class SizedDocument {
public:
    // A size below head plus tail gives the document at its natural size.
    SizedDocument(DocumentParts parts, std::size_t size);

    std::size_t size() const { return size_; }

    // Copies the bytes from offset on into out, at most count of them; returns
    // how many were copied (0 at or past the end).
    std::size_t Read(std::size_t offset, char* out, std::size_t count) const;

private:
    std::size_t ReadFiller(std::size_t offset, char* out, std::size_t count) const;

    DocumentParts parts_;
    std::size_t size_;
    std::size_t fillerSize_;  // bytes between head and tail
    std::size_t unitsSize_;   // the part of the filler made of whole units
};

}  // namespace ow::sample
