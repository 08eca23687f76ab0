#include "prefs/core/settings_list.h"

#include <charconv>

#include "common/text_ops.h"

namespace ow {
namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameKey(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

}  // namespace

std::optional<int> ParseDecimalInt(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;  // "+-1"
    }
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || ptr != end) return std::nullopt;
    return value;
}

std::size_t SettingsList::Find(std::string_view key) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view line = lines_[i];
        const std::size_t eq = line.find('=');
        if (eq != std::string_view::npos && SameKey(line.substr(0, eq), key)) return i;
    }
    return lines_.size();
}

std::string SettingsList::Value(std::string_view key) const {
    const std::size_t i = Find(key);
    if (i == lines_.size()) return {};
    const std::string& line = lines_[i];
    return line.substr(line.find('=') + 1);
}

void SettingsList::SetValue(std::string_view key, std::string_view value) {
    const std::size_t i = Find(key);
    const bool found = i != lines_.size();
    if (value.empty()) {
        if (found) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
        return;
    }
    std::string line;
    line.reserve(key.size() + 1 + value.size());
    line.append(key).append(1, '=').append(value);
    if (found)
        lines_[i] = std::move(line);
    else
        lines_.push_back(std::move(line));
}

}  // namespace ow
