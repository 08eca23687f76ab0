#include "weather/core/gismeteo_extract.h"

#include <array>
#include <cstring>

#include "weather/core/extract_stream_matcher.h"
#include "weather/core/gismeteo_markers.h"
#include "weather/core/text_ops.h"

namespace ow {

namespace {
using namespace gismeteo;

consteval bool HasNoBrackets(std::string_view text) {
    return text.find(kTagOpen) == std::string_view::npos &&
           text.find(kTagClose) == std::string_view::npos;
}

consteval bool ClosingTagsFitOnePass() {
    for (const auto& tag : kClosingTags) {
        // Every replacement starts at a "<" and shrinks the text, so it can be
        // found at the "<" and written in place behind the reading position.
        if (tag.from.empty() || tag.from.front() != kTagOpen) return false;
        if (tag.to.size() > tag.from.size() || !HasNoBrackets(tag.to)) return false;
    }
    return true;
}

// The one pass below relies on these; see CleanPayload.
static_assert(ClosingTagsFitOnePass());
static_assert(HasNoBrackets(kSignature));
static_assert(HasUniqueFirstByte(kSignature));

// The longest closing tag that starts `rest`, tried in the order the
// replacements are applied, or null. A closing tag holds no "<" after its first
// byte except where an earlier, longer tag contains a later one, so trying
// them in order at each "<" finds what the replacements one after another find.
const Replacement* ClosingTagAt(std::string_view rest) {
    for (const auto& tag : kClosingTags) {
        if (rest.starts_with(tag.from)) return &tag;
    }
    return nullptr;
}

// Bytes the pass copies without a look while no signature is under way.
constexpr std::array<bool, 256> PlainBytes() {
    std::array<bool, 256> plain{};
    plain.fill(true);
    plain[static_cast<unsigned char>(kTagOpen)] = false;
    plain[static_cast<unsigned char>(kTagClose)] = false;
    plain[static_cast<unsigned char>(kSignature.front())] = false;
    return plain;
}
constexpr auto kPlain = PlainBytes();

constexpr std::size_t kNoTag = static_cast<std::size_t>(-1);

// Replaces the closing tags, drops the signatures, then drops the tags, in one
// left-to-right pass that rewrites `text` in place; returns the new length.
// Three stages are chained byte by byte: the replaced stream feeds the
// signature matcher, whose output feeds the tag remover. Neither signatures
// nor replacement texts hold brackets, so a completed signature is always the
// last bytes written and can be taken back at once.
std::size_t CleanPayload(char* text, std::size_t size) {
    std::size_t read = 0;
    std::size_t write = 0;
    std::size_t tagStart = kNoTag;  // where the open tag begins in the output
    StreamMatcher signature(kSignature);

    auto emit = [&](char c) {
        text[write++] = c;
        if (signature.Feed(c)) {
            write -= kSignature.size();
            return;
        }
        if (c == kTagOpen) {
            if (tagStart == kNoTag) tagStart = write - 1;
        } else if (c == kTagClose && tagStart != kNoTag) {
            write = tagStart;
            tagStart = kNoTag;
        }
    };

    while (read < size) {
        if (signature.Idle()) {
            while (read < size && kPlain[static_cast<unsigned char>(text[read])]) {
                text[write++] = text[read++];
            }
            if (read == size) break;
        }
        const char c = text[read];
        if (c == kTagOpen) {
            if (const Replacement* tag = ClosingTagAt({text + read, size - read})) {
                for (const char r : tag->to) emit(r);
                read += tag->from.size();
                continue;
            }
        }
        emit(c);
        ++read;
    }
    // A "<" that found no ">" stays, together with all that follows it.
    return write;
}
}  // namespace

std::string ExtractGismeteoLine(std::string_view document) {
    const auto payload = CutFirst(document, PositionOf(kPayloadOpening, document) +
                                                static_cast<TextIndex>(kPayloadOpening.size()) - 1);
    std::string text = ReplaceAll(payload, kLineFeedReturn, {});
    const auto closing = PositionOf(kPayloadClosing, text);
    text.resize(TakeFrom(text, 1, closing - 1).size());
    text.resize(CleanPayload(text.data(), text.size()));
    return text;
}

}  // namespace ow
