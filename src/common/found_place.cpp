#include "common/found_place.h"

#include "common/code_page.h"
#include "common/text_ops.h"

namespace ow {

namespace {

// Coordinates in ten-thousandths of a degree fit in 32 bits: no 64-bit
// arithmetic (and its helpers) in the library.
constexpr long kUnitsPerDegree = 10000;  // 4 decimals
constexpr int kDecimals = 4;
// More fraction digits than this change nothing after rounding to 4.
constexpr int kFractionDigitsRead = 5;
// Degrees of any coordinate have at most 3 digits (leading zeros aside).
constexpr int kWholeDigitsRead = 3;

// Rounded half away from zero; the value is within -180..180.
long Units(double degrees) { return static_cast<long>(degrees * kUnitsPerDegree + (degrees < 0 ? -0.5 : 0.5)); }

void AppendDegrees(std::string& out, double degrees) {
    const long units = Units(degrees);
    unsigned long size = static_cast<unsigned long>(units < 0 ? -units : units);
    char digits[16];
    char* p = digits + sizeof digits;
    for (int i = 0; i < kDecimals || size > 0 || i == kDecimals; ++i) {
        if (i == kDecimals) *--p = '.';
        *--p = static_cast<char>('0' + size % 10);
        size /= 10;
    }
    if (units < 0) *--p = '-';
    out.append(p, digits + sizeof digits);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A plain decimal number (an optional "-", digits, optionally "." and
// digits) in ten-thousandths, rounded half away from zero.
std::optional<long> ParseUnits(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative) text.remove_prefix(1);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() || (point != std::string_view::npos && fraction.empty())) return std::nullopt;
    long units = 0;
    int significant = 0;
    for (const char c : whole) {
        if (!IsDigit(c)) return std::nullopt;
        if (significant > 0 || c != '0') ++significant;
        if (significant > kWholeDigitsRead) return std::nullopt;
        units = units * 10 + (c - '0');
    }
    long rest = 0;  // the fraction in 1e-5 degrees
    int read = 0;
    for (const char c : fraction) {
        if (!IsDigit(c)) return std::nullopt;
        if (read < kFractionDigitsRead) rest = rest * 10 + (c - '0'), ++read;
    }
    for (; read < kFractionDigitsRead; ++read) rest *= 10;
    units = units * kUnitsPerDegree + (rest + 5) / 10;
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

std::string PlaceCode(double latitude, double longitude, std::string_view separator) {
    std::string code;
    AppendDegrees(code, latitude);
    code += separator;
    AppendDegrees(code, longitude);
    return code;
}

std::optional<PlaceKey> PlaceKeyOf(std::string_view code) {
    const std::size_t comma = code.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const auto latitude = ParseUnits(code.substr(0, comma));
    const auto longitude = ParseUnits(code.substr(comma + 1));
    if (!latitude || !longitude) return std::nullopt;
    return PlaceKey{*latitude, *longitude};
}

}  // namespace ow
