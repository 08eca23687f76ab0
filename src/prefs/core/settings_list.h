#pragma once
// The settings file in memory: its lines in file order, read and written as
// key=value pairs. Lines that are no settings (comments, unknown keys,
// blank lines, lines without "=") keep their place and bytes.
#include <optional>
#include <string>
#include <string_view>

#include "prefs/core/text_lines.h"

namespace ow {

// A decimal 32-bit integer: optional bytes 0x00..0x20 around it, an optional
// sign, then digits only. Anything else, and any value outside the 32-bit
// range, is no number.
std::optional<int> ParseDecimalInt(std::string_view text);

class SettingsList {
public:
    SettingsList() = default;
    explicit SettingsList(std::string_view fileBytes) : lines_(SplitLines(fileBytes)) {}

    // Replaces all lines with those of a file's bytes.
    void Assign(std::string_view fileBytes) { lines_ = SplitLines(fileBytes); }
    // Every line followed by CR LF, ready to be written as the file.
    std::string ToBytes() const { return JoinLinesCrLf(lines_); }

    // The key of a line is its text before the first "=", untrimmed, compared
    // with ASCII case folding (keys are ASCII; other bytes compare as they
    // are). The first matching line wins. The value is the rest of the line,
    // untrimmed; a missing key reads as "".
    std::string Value(std::string_view key) const;
    // Replaces the first matching line in place, or appends "key=value". An
    // empty value removes the first matching line and adds none.
    void SetValue(std::string_view key, std::string_view value);

    // True only for exactly "1".
    bool Flag(std::string_view key) const { return Value(key) == "1"; }
    // Empty when the value is missing or no number (see ParseDecimalInt).
    std::optional<int> IntValue(std::string_view key) const { return ParseDecimalInt(Value(key)); }

private:
    // Index of the first line whose key matches, or lines_.size().
    std::size_t Find(std::string_view key) const;

    StringList lines_;
};

}  // namespace ow
