#include "weather/core/gismeteo_extract.h"

#include <memory>

#include "common/text_ops.h"
#include "weather/core/degree_sign.h"
#include "weather/core/extract_byte_scan.h"
#include "weather/core/extract_stream_matcher.h"
#include "weather/core/gismeteo_markers.h"

namespace ow {

namespace {
using namespace gismeteo;

// All steps after the first cut but the last (the degree sign, a second pass
// over what stays) run in one pass over the payload, reading the document and
// writing only what stays. What makes that exact:
// - A line feed + carriage return pair cannot overlap another, so a byte
//   belongs to a removed pair by its neighbours alone; the later steps read
//   the payload skipping pairs, which joins text across them as the removal
//   does.
// - The closing tags all start at a "<", shrink the text and put no bracket
//   in; trying them in order at each "<" finds what the replacements one
//   after another find.
// - The signature holds no bracket and its first byte occurs once in it, so
//   it is matched byte by byte in the replaced stream and taken back from the
//   output as soon as it is complete; a tag's brackets always reset it.
constexpr char kPairFirst = kLineFeedReturn[0];
constexpr char kPairSecond = kLineFeedReturn[1];
constexpr char kBracketBytes[] = {kTagOpen, kTagClose};
constexpr std::string_view kBrackets(kBracketBytes, 2);

consteval bool HasNo(std::string_view text, std::string_view bytes) {
    return text.find_first_of(bytes) == std::string_view::npos;
}

consteval bool ClosingTagsFitOnePass() {
    for (const auto& tag : kClosingTags) {
        if (tag.from.empty() || tag.from.front() != kTagOpen) return false;
        if (tag.to.size() > tag.from.size() || !HasNo(tag.to, kBrackets)) return false;
        if (!HasNo(tag.from, kLineFeedReturn)) return false;
    }
    return true;
}
static_assert(kLineFeedReturn.size() == 2 && kPairFirst != kPairSecond);
static_assert(HasNo(kPayloadClosing, kLineFeedReturn));
static_assert(ClosingTagsFitOnePass());
static_assert(HasNo(kSignature, kBrackets) && HasNo(kSignature, kLineFeedReturn));
static_assert(HasUniqueFirstByte(kSignature));

bool StartsPair(std::string_view text, std::size_t at) {
    return text[at] == kPairFirst && at + 1 < text.size() && text[at + 1] == kPairSecond;
}

// How many bytes of `text` from `at` spell `pattern` once pairs are skipped;
// 0 when they do not.
std::size_t MatchedLength(std::string_view text, std::size_t at, std::string_view pattern) {
    std::size_t next = at;
    for (const char c : pattern) {
        while (next < text.size() && StartsPair(text, next)) next += kLineFeedReturn.size();
        if (next >= text.size() || text[next] != c) return 0;
        ++next;
    }
    return next - at;
}

// The same, quicker where no pair comes into it, as almost always.
inline std::size_t MatchedLengthAt(std::string_view text, std::size_t at, std::string_view pattern) {
    const std::size_t room = text.size() - at;
    std::size_t same = 0;
    while (same < pattern.size() && same < room && text[at + same] == pattern[same]) ++same;
    if (same == pattern.size()) return same;
    if (same == room || text[at + same] != kPairFirst) return 0;
    return MatchedLength(text, at, pattern);
}

// Where the first closing marker starts in the payload with its pairs
// removed, as an index into the payload itself; npos when there is none.
std::size_t FindPayloadEnd(std::string_view payload) {
    for (auto at = payload.find(kPayloadClosing.front()); at != std::string_view::npos;
         at = payload.find(kPayloadClosing.front(), at + 1)) {
        if (MatchedLength(payload, at, kPayloadClosing) != 0) return at;
    }
    return std::string_view::npos;
}

// The closing tag that starts at `at`, tried in the order of the
// replacements, with the number of payload bytes it spans.
struct ClosingTagMatch {
    const Replacement* tag = nullptr;
    std::size_t length = 0;
};

// What all closing tags start with: most "<" open a tag and fail on it.
consteval std::string_view ClosingTagsPrefix() {
    std::string_view prefix = kClosingTags[0].from;
    for (const auto& tag : kClosingTags) {
        std::size_t same = 0;
        while (same < prefix.size() && same < tag.from.size() && prefix[same] == tag.from[same]) {
            ++same;
        }
        prefix = prefix.substr(0, same);
    }
    return prefix;
}
constexpr std::string_view kClosingTagsPrefix = ClosingTagsPrefix();

inline ClosingTagMatch ClosingTagAt(std::string_view payload, std::size_t at) {
    if (MatchedLengthAt(payload, at, kClosingTagsPrefix) == 0) return {};
    for (const auto& tag : kClosingTags) {
        if (const std::size_t length = MatchedLengthAt(payload, at, tag.from)) return {&tag, length};
    }
    return {};
}

// Text up to the next byte that may start a tag, a signature or a pair,
// copied to `out`.
std::size_t TextRun(const char* in, std::size_t size, char* out) {
    return byte_scan::CopyRun<kTagOpen, kSignature.front(), kPairFirst>(in, size, out);
}
// Tag content up to the next bracket.
std::size_t TagRun(const char* in, std::size_t size) {
    return byte_scan::Run<kTagOpen, kTagClose>(in, size);
}

// Where the tag that opens at `at` ends (just past its ">"), or npos when no
// ">" follows. Closing tags inside it are replaced first, so their ">" does
// not end it.
std::size_t TagEnd(std::string_view payload, std::size_t at) {
    for (++at; at < payload.size();) {
        at += TagRun(payload.data() + at, payload.size() - at);
        if (at == payload.size()) break;
        if (payload[at] == kTagClose) return at + 1;
        const std::size_t length = ClosingTagAt(payload, at).length;
        at += length != 0 ? length : 1;
    }
    return std::string_view::npos;
}

// Writes the line for `payload` (cut at its closing marker) to `out`, which
// has room for the payload; returns its length.
std::size_t CleanPayload(std::string_view payload, char* out) {
    const char* const in = payload.data();
    const std::size_t size = payload.size();
    std::size_t read = 0;
    std::size_t write = 0;
    StreamMatcher signature(kSignature);
    // Set at the first "<" with no ">" after it: from there on brackets are
    // text, and no further ">" exists to end a tag.
    bool keepBrackets = false;

    auto emit = [&](char c) {
        out[write++] = c;
        if (signature.Feed(c)) write -= kSignature.size();
    };

    while (true) {
        if (signature.Idle()) {
            const std::size_t run = TextRun(in + read, size - read, out + write);
            read += run;
            write += run;
        }
        if (read == size) return write;
        const char c = in[read];
        if (c == kTagOpen) {
            if (const auto match = ClosingTagAt(payload, read); match.tag != nullptr) {
                for (const char r : match.tag->to) emit(r);
                read += match.length;
                continue;
            }
            if (!keepBrackets) {
                if (const std::size_t end = TagEnd(payload, read); end != std::string_view::npos) {
                    read = end;
                    signature = StreamMatcher(kSignature);  // as the brackets would
                    continue;
                }
                keepBrackets = true;
            }
        } else if (StartsPair(payload, read)) {
            read += kLineFeedReturn.size();
            continue;
        }
        emit(c);
        ++read;
    }
}
}  // namespace

std::string ExtractGismeteoLine(std::string_view document) {
    std::string_view payload =
        CutFirst(document, PositionOf(kPayloadOpening, document) +
                               static_cast<TextIndex>(kPayloadOpening.size()) - 1);
    const std::size_t end = FindPayloadEnd(payload);
    if (end == std::string_view::npos) return {};
    payload = payload.substr(0, end);

    const auto buffer = std::make_unique_for_overwrite<char[]>(payload.size());
    const std::size_t cleaned = CleanPayload(payload, buffer.get());
    return std::string(buffer.get(), CopyWithDegreeSigns<>(buffer.get(), cleaned, buffer.get()));
}

}  // namespace ow
