#pragma once
// Lists of words kept as one "|"-separated text, so a table of names of
// different lengths can live in one compile-time constant.
#include <cstddef>
#include <string_view>

namespace ow::sample {

// The word at index in list; empty when there is no such word.
constexpr std::string_view NthWord(std::string_view list, std::size_t index) {
    while (index > 0) {
        const auto bar = list.find('|');
        if (bar == std::string_view::npos) return {};
        list.remove_prefix(bar + 1);
        --index;
    }
    return list.substr(0, list.find('|'));
}

}  // namespace ow::sample
