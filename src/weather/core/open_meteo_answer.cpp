#include "weather/core/open_meteo_answer.h"

#include <algorithm>
#include <cstddef>

#include "weather/core/json_reader.h"

namespace ow {

namespace {
using namespace open_meteo;
using Kind = JsonValue::Kind;

enum class TopKey { kOther, kCurrent, kDaily, kError, kReason };

TopKey TopKeyOf(std::string_view key) {
    if (key == kCurrentKey) return TopKey::kCurrent;
    if (key == kDailyKey) return TopKey::kDaily;
    if (key == kErrorKey) return TopKey::kError;
    if (key == kReasonKey) return TopKey::kReason;
    return TopKey::kOther;
}

// The index of `key` among `fields`, or fields.size().
template <std::size_t N>
std::size_t FieldIndex(const std::array<Field, N>& fields, std::string_view key) {
    return static_cast<std::size_t>(
        std::find_if(fields.begin(), fields.end(), [key](const Field& f) { return f.key == key; }) -
        fields.begin());
}

std::optional<double> Usable(const JsonValue& value, const Field& field) {
    // Written so that NaN fails too.
    if (value.kind == Kind::kNumber && value.number >= field.lowest && value.number <= field.highest) {
        return value.number;
    }
    return std::nullopt;
}

// Follows the document's objects and arrays as deep as the answer's values
// lie, taking each value of interest as it comes.
class AnswerListener final : public JsonListener {
public:
    explicit AnswerListener(OpenMeteoAnswer& answer) : answer_(answer) {}

    bool RootIsObject() const { return rootIsObject_; }

    void Key(std::string_view key) override {
        switch (Here()) {
            case Place::kRoot: topKey_ = TopKeyOf(key); break;
            case Place::kCurrent: field_ = FieldIndex(kCurrentFields, key); break;
            case Place::kDaily: field_ = FieldIndex(kDailyFields, key); break;
            default: break;
        }
    }

    void Value(const JsonValue& value) override {
        Place opened = Place::kIgnored;
        switch (Here()) {
            case Place::kOutside:
                rootIsObject_ = value.kind == Kind::kObject;
                opened = Place::kRoot;
                break;
            case Place::kRoot: opened = TopValue(value); break;
            case Place::kCurrent:
                if (field_ < kCurrentFieldCount) answer_.now[field_] = Usable(value, kCurrentFields[field_]);
                break;
            case Place::kDaily:
                if (field_ < kDailyFieldCount) {
                    answer_.tomorrow[field_] = std::nullopt;
                    dailyArray_ = field_;
                    element_ = 0;
                    opened = Place::kDailyArray;
                }
                break;
            case Place::kDailyArray:
                if (element_++ == kTomorrowIndex) {
                    answer_.tomorrow[dailyArray_] = Usable(value, kDailyFields[dailyArray_]);
                }
                break;
            case Place::kIgnored: break;
        }
        if (value.kind == Kind::kObject || value.kind == Kind::kArray) Enter(opened, value.kind);
    }

    void Close() override { --depth_; }

private:
    // What the innermost open object or array is to the answer.
    enum class Place { kOutside, kRoot, kCurrent, kDaily, kDailyArray, kIgnored };
    // The deepest place that matters: an element of a daily array.
    static constexpr std::size_t kTracked = 3;

    Place Here() const {
        if (depth_ == 0) return Place::kOutside;
        return depth_ <= kTracked ? places_[depth_ - 1] : Place::kIgnored;
    }

    // A top-level member's value; a new "current" or "daily" replaces the
    // whole of an earlier one.
    Place TopValue(const JsonValue& value) {
        switch (topKey_) {
            case TopKey::kCurrent:
                answer_.now = {};
                return Place::kCurrent;
            case TopKey::kDaily:
                answer_.tomorrow = {};
                return Place::kDaily;
            case TopKey::kError: answer_.error = value.kind == Kind::kBool && value.flag; break;
            case TopKey::kReason:
                answer_.reason.reset();
                if (value.kind == Kind::kString) answer_.reason.emplace(value.text.substr(0, kReasonShown));
                break;
            case TopKey::kOther: break;
        }
        return Place::kIgnored;
    }

    // Only an object is a block and only an array holds days; anything else
    // opened there is passed over.
    static bool Fits(Place place, Kind kind) {
        switch (place) {
            case Place::kRoot:
            case Place::kCurrent:
            case Place::kDaily: return kind == Kind::kObject;
            case Place::kDailyArray: return kind == Kind::kArray;
            default: return true;
        }
    }

    void Enter(Place place, Kind kind) {
        if (depth_ < kTracked) places_[depth_] = Fits(place, kind) ? place : Place::kIgnored;
        ++depth_;
    }

    OpenMeteoAnswer& answer_;
    Place places_[kTracked] = {};
    std::size_t depth_ = 0;
    // The key just read: a value follows its key at once.
    TopKey topKey_ = TopKey::kOther;
    std::size_t field_ = 0;       // a field index, or the count for another key
    std::size_t dailyArray_ = 0;  // the daily field whose array is open
    std::size_t element_ = 0;     // elements of that array seen so far
    bool rootIsObject_ = false;
};
}  // namespace

std::optional<OpenMeteoAnswer> ReadOpenMeteoAnswer(std::string_view document) {
    OpenMeteoAnswer answer;
    AnswerListener listener(answer);
    if (!ReadJson(document, listener) || !listener.RootIsObject()) return std::nullopt;
    return answer;
}

}  // namespace ow
