#include "weather/core/place_answer.h"

#include "weather/core/json_reader.h"

namespace ow {

namespace {
using Kind = JsonValue::Kind;

constexpr std::string_view kResultsKey = "results";
constexpr std::string_view kErrorKey = "error";
constexpr std::string_view kReasonKey = "reason";

enum class TopKey { kOther, kResults, kError, kReason };
enum class PlaceKeyName { kOther, kName, kRegion, kCountry, kLatitude, kLongitude };

TopKey TopKeyOf(std::string_view key) {
    if (key == kResultsKey) return TopKey::kResults;
    if (key == kErrorKey) return TopKey::kError;
    if (key == kReasonKey) return TopKey::kReason;
    return TopKey::kOther;
}

PlaceKeyName PlaceKeyNameOf(std::string_view key) {
    if (key == "name") return PlaceKeyName::kName;
    if (key == "admin1") return PlaceKeyName::kRegion;
    if (key == "country") return PlaceKeyName::kCountry;
    if (key == "latitude") return PlaceKeyName::kLatitude;
    if (key == "longitude") return PlaceKeyName::kLongitude;
    return PlaceKeyName::kOther;
}

// One result while its members stream past.
struct PendingPlace {
    FoundPlace place;
    bool hasLatitude = false;
    bool hasLongitude = false;

    bool Usable() const {
        return !place.name.empty() && hasLatitude && hasLongitude &&
               CoordinatesInRange(place.latitude, place.longitude);
    }
};

// Depths: 1 the answer, 2 the results array's elements, 3 a result's values.
class PlaceListener final : public JsonListener {
public:
    explicit PlaceListener(PlaceAnswer& answer) : answer_(answer) {}

    bool RootIsObject() const { return rootIsObject_; }

    void Key(std::string_view key) override {
        if (depth_ == 1) topKey_ = TopKeyOf(key);
        if (depth_ == 3 && inPlace_) placeKey_ = PlaceKeyNameOf(key);
    }

    void Value(const JsonValue& value) override {
        if (depth_ == 0) rootIsObject_ = value.kind == Kind::kObject;
        if (depth_ == 1) TopValue(value);
        if (depth_ == 2 && inResults_ && value.kind == Kind::kObject) {
            inPlace_ = true;
            pending_ = {};
        }
        if (depth_ == 3 && inPlace_) PlaceValue(value);
        if (value.kind == Kind::kObject || value.kind == Kind::kArray) ++depth_;
    }

    void Close() override {
        --depth_;
        if (depth_ == 2 && inPlace_) {
            inPlace_ = false;
            if (pending_.Usable() && answer_.places.size() < kPlacesShown) {
                answer_.places.push_back(std::move(pending_.place));
            }
        }
        if (depth_ == 1) inResults_ = false;
    }

private:
    void TopValue(const JsonValue& value) {
        switch (topKey_) {
            case TopKey::kResults:
                answer_.places.clear();
                inResults_ = value.kind == Kind::kArray;
                break;
            case TopKey::kError: answer_.error = value.kind == Kind::kBool && value.flag; break;
            case TopKey::kReason:
                answer_.reason.reset();
                if (value.kind == Kind::kString) answer_.reason = ListSafeText(value.text);
                break;
            case TopKey::kOther: break;
        }
    }

    void PlaceValue(const JsonValue& value) {
        FoundPlace& place = pending_.place;
        std::string* text = nullptr;
        switch (placeKey_) {
            case PlaceKeyName::kName: text = &place.name; break;
            case PlaceKeyName::kRegion: text = &place.region; break;
            case PlaceKeyName::kCountry: text = &place.country; break;
            case PlaceKeyName::kLatitude:
                pending_.hasLatitude = value.kind == Kind::kNumber;
                place.latitude = value.number;
                return;
            case PlaceKeyName::kLongitude:
                pending_.hasLongitude = value.kind == Kind::kNumber;
                place.longitude = value.number;
                return;
            case PlaceKeyName::kOther: return;
        }
        text->clear();
        if (value.kind == Kind::kString) *text = ListSafeText(value.text);
    }

    PlaceAnswer& answer_;
    PendingPlace pending_;
    std::size_t depth_ = 0;
    TopKey topKey_ = TopKey::kOther;
    PlaceKeyName placeKey_ = PlaceKeyName::kOther;
    bool inResults_ = false;  // the results array is open at depth 2
    bool inPlace_ = false;    // a result object is open at depth 3
    bool rootIsObject_ = false;
};
}  // namespace

std::optional<PlaceAnswer> ReadPlaceAnswer(std::string_view document) {
    PlaceAnswer answer;
    PlaceListener listener(answer);
    if (!ReadJson(document, listener) || !listener.RootIsObject()) return std::nullopt;
    return answer;
}

}  // namespace ow
