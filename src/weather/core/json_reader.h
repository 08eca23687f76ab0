#pragma once
// A SAX reading of a server's JSON document, with memory fixed whatever the
// document holds: no tree is built, nesting is undone without recursion and
// a document that would need more than the limits below is refused.
#include <cstddef>
#include <string_view>

namespace ow {

struct JsonValue {
    enum class Kind { kNull, kBool, kNumber, kString, kObject, kArray };
    Kind kind = Kind::kNull;
    bool flag = false;      // kBool
    double number = 0;      // kNumber: every JSON number, as a double
    std::string_view text;  // kString: the decoded bytes, valid during the call
};

// What a reading reports, in document order: a key before each member's
// value, every value (an object or array as it opens), and each close.
class JsonListener {
public:
    virtual void Key(std::string_view key) = 0;
    virtual void Value(const JsonValue& value) = 0;
    virtual void Close() = 0;

protected:
    ~JsonListener() = default;
};

// Objects and arrays open at once.
inline constexpr std::size_t kJsonDepthLimit = 64;
// Bytes read between two reports: the longest string or number, with the
// blanks and punctuation around it.
inline constexpr std::size_t kJsonQuietLimit = 4096;

// Reads `document` as exactly one JSON text of standard JSON (no NaN, no
// comments, no trailing commas, no raw NUL byte, no number beyond
// a double's range). False as soon as it is not one or breaks a limit; the
// listener may have heard part of it by then.
bool ReadJson(std::string_view document, JsonListener& listener);

}  // namespace ow
