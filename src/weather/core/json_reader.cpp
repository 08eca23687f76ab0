#include "weather/core/json_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// RapidJSON checks its own state with RAPIDJSON_ASSERT, by default assert():
// live in Debug, gone under NDEBUG (the fuzzer's RelWithDebInfo, the DLL's
// MinSizeRel). No input can break one; on in every build, they let the
// fuzzer show it, and a broken one ends the process rather than going on
// with undefined behaviour. This file is the only one that includes RapidJSON.
#ifdef RAPIDJSON_ASSERT
#error "RapidJSON is set up here before anything else includes it"
#endif
#define RAPIDJSON_ASSERT(condition) ((condition) ? static_cast<void>(0) : std::abort())
#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

namespace ow {

namespace {
using rapidjson::SizeType;

// The reader's stack holds the string being read (and its closing zero) on
// top of two words per open object or array, one more than the limit being
// pushed before it is refused. Sized for that at once, it never grows.
constexpr std::size_t kStackBytes = kJsonQuietLimit + 2 * sizeof(SizeType) * (kJsonDepthLimit + 1);

// RapidJSON's allocator concept over one fixed buffer, which the reader's
// stack takes whole at its first push.
class FixedArena {
public:
    void* Malloc(std::size_t size) { return Realloc(nullptr, 0, size); }
    void* Realloc(void*, std::size_t, std::size_t size) {
        if (size > sizeof(bytes_)) std::abort();  // the limits rule this out
        return bytes_;
    }
    static void Free(void*) {}

private:
    alignas(std::max_align_t) char bytes_[kStackBytes];
};

// The document as RapidJSON's input stream, which runs dry once it has given
// kJsonQuietLimit bytes without a report: past the view it never reads.
class QuietLimitedStream : public rapidjson::MemoryStream {
public:
    explicit QuietLimitedStream(std::string_view text) : MemoryStream(text.data(), text.size()) {}
    Ch Peek() const { return quiet_ < kJsonQuietLimit ? MemoryStream::Peek() : '\0'; }
    Ch Take() {
        if (quiet_ == kJsonQuietLimit) return '\0';
        ++quiet_;
        return MemoryStream::Take();
    }
    void Reported() { quiet_ = 0; }
    bool AtEnd() const { return src_ == end_; }

private:
    std::size_t quiet_ = 0;
};

// RapidJSON's handler concept: passes each event on and keeps the depth.
class Events {
public:
    Events(JsonListener& listener, QuietLimitedStream& stream) : listener_(listener), stream_(stream) {}

    bool Null() { return Report(Of(JsonValue::Kind::kNull)); }
    bool Bool(bool flag) {
        JsonValue value = Of(JsonValue::Kind::kBool);
        value.flag = flag;
        return Report(value);
    }
    bool Int(int number) { return Number(number); }
    bool Uint(unsigned number) { return Number(number); }
    bool Int64(std::int64_t number) { return Number(static_cast<double>(number)); }
    bool Uint64(std::uint64_t number) { return Number(static_cast<double>(number)); }
    bool Double(double number) { return Number(number); }
    // Comes only with kParseNumbersAsStringsFlag, which is not used.
    bool RawNumber(const char*, SizeType, bool) { return false; }
    bool String(const char* text, SizeType length, bool) {
        JsonValue value = Of(JsonValue::Kind::kString);
        value.text = {text, length};
        return Report(value);
    }
    bool StartObject() { return Open(JsonValue::Kind::kObject); }
    bool Key(const char* text, SizeType length, bool) {
        stream_.Reported();
        listener_.Key({text, length});
        return true;
    }
    bool EndObject(SizeType) { return Close(); }
    bool StartArray() { return Open(JsonValue::Kind::kArray); }
    bool EndArray(SizeType) { return Close(); }

private:
    static JsonValue Of(JsonValue::Kind kind) {
        JsonValue value;
        value.kind = kind;
        return value;
    }
    bool Number(double number) {
        JsonValue value = Of(JsonValue::Kind::kNumber);
        value.number = number;
        return Report(value);
    }
    bool Report(const JsonValue& value) {
        stream_.Reported();
        listener_.Value(value);
        return true;
    }
    bool Open(JsonValue::Kind kind) {
        if (depth_ == kJsonDepthLimit) return false;
        ++depth_;
        return Report(Of(kind));
    }
    bool Close() {
        --depth_;
        stream_.Reported();
        listener_.Close();
        return true;
    }

    JsonListener& listener_;
    QuietLimitedStream& stream_;
    std::size_t depth_ = 0;
};
}  // namespace

bool ReadJson(std::string_view document, JsonListener& listener) {
    FixedArena arena;
    rapidjson::GenericReader<rapidjson::UTF8<>, rapidjson::UTF8<>, FixedArena> reader(&arena, kStackBytes);
    QuietLimitedStream stream(document);
    Events events(listener, stream);
    // Iterative: nesting lives on the fixed stack, never on the thread's.
    const bool parsed = !reader.Parse<rapidjson::kParseIterativeFlag>(stream, events).IsError();
    return parsed && stream.AtEnd();
}

}  // namespace ow
