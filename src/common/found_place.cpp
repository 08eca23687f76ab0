#include "common/found_place.h"

#include <cmath>

#include "common/code_page.h"
#include "common/text_ops.h"

namespace ow {

namespace {

constexpr long long kUnitsPerDegree = 10000;  // 4 decimals
constexpr int kDecimals = 4;
// More fraction digits than this change nothing after rounding to 4.
constexpr std::size_t kFractionDigitsRead = 5;
// Far more degrees than any coordinate: keeps the arithmetic in range.
constexpr std::size_t kWholeDigitsRead = 6;

std::string Degrees(double value) {
    const long long units = std::llround(value * kUnitsPerDegree);
    const unsigned long long size = static_cast<unsigned long long>(units < 0 ? -units : units);
    std::string fraction = std::to_string(size % kUnitsPerDegree);
    fraction.insert(0, kDecimals - fraction.size(), '0');
    return (units < 0 ? "-" : "") + std::to_string(size / kUnitsPerDegree) + "." + fraction;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A plain decimal number (an optional "-", digits, optionally "." and
// digits) in ten-thousandths, rounded half away from zero.
std::optional<long long> Units(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative) text.remove_prefix(1);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() || (point != std::string_view::npos && fraction.empty())) return std::nullopt;
    long long units = 0;
    std::size_t significant = 0;
    for (const char c : whole) {
        if (!IsDigit(c)) return std::nullopt;
        if (significant > 0 || c != '0') ++significant;
        if (significant > kWholeDigitsRead) return std::nullopt;
        units = units * 10 + (c - '0');
    }
    long long tenths = 0;  // the fraction in 1e-5 degrees
    for (std::size_t i = 0; i < fraction.size(); ++i) {
        if (!IsDigit(fraction[i])) return std::nullopt;
        if (i < kFractionDigitsRead) tenths = tenths * 10 + (fraction[i] - '0');
    }
    for (std::size_t i = fraction.size(); i < kFractionDigitsRead; ++i) tenths *= 10;
    units = units * kUnitsPerDegree + (tenths + 5) / 10;
    return negative ? -units : units;
}

}  // namespace

std::string ListSafeText(std::string_view utf8) {
    std::string text = Utf8ToCp1251(utf8, kPlaceTextLimit);
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) c = ' ';
        if (c == '=') c = kPlaceEqualsStandIn;
    }
    return std::string(Trim(text));
}

bool CoordinatesInRange(double latitude, double longitude) {
    // Written so that NaN fails too.
    return latitude >= -90 && latitude <= 90 && longitude >= -180 && longitude <= 180;
}

std::string PlaceCode(double latitude, double longitude) { return Degrees(latitude) + "," + Degrees(longitude); }

std::optional<PlaceKey> PlaceKeyOf(std::string_view code) {
    const std::size_t comma = code.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const auto latitude = Units(code.substr(0, comma));
    const auto longitude = Units(code.substr(comma + 1));
    if (!latitude || !longitude) return std::nullopt;
    return PlaceKey{*latitude, *longitude};
}

}  // namespace ow
