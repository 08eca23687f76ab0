#include "weather/core/wmo_words.h"

#include <array>
#include <cstddef>
#include <iterator>

#include "common/cp1251.h"

namespace ow {

namespace {
struct Utf8Words {
    int code;
    std::u8string_view words;
};

constexpr Utf8Words kUtf8Table[] = {
    {0, u8"ясно"},
    {1, u8"преимущественно ясно"},
    {2, u8"переменная облачность"},
    {3, u8"пасмурно"},
    {45, u8"туман"},
    {48, u8"туман с изморозью"},
    {51, u8"слабая морось"},
    {53, u8"морось"},
    {55, u8"сильная морось"},
    {56, u8"слабая ледяная морось"},
    {57, u8"ледяная морось"},
    {61, u8"небольшой дождь"},
    {63, u8"дождь"},
    {65, u8"сильный дождь"},
    {66, u8"небольшой ледяной дождь"},
    {67, u8"ледяной дождь"},
    {71, u8"небольшой снег"},
    {73, u8"снег"},
    {75, u8"сильный снег"},
    {77, u8"снежная крупа"},
    {80, u8"небольшой ливень"},
    {81, u8"ливень"},
    {82, u8"сильный ливень"},
    {85, u8"небольшой снегопад"},
    {86, u8"сильный снегопад"},
    {95, u8"гроза"},
    {96, u8"гроза с небольшим градом"},
    {99, u8"гроза с сильным градом"},
};

constexpr std::size_t kLongestWords = 32;

struct Words {
    int code = 0;
    Cp1251Text<kLongestWords> words;
};

consteval std::array<Words, std::size(kUtf8Table)> InCp1251() {
    std::array<Words, std::size(kUtf8Table)> table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = {kUtf8Table[i].code, Cp1251In<kLongestWords>(kUtf8Table[i].words)};
    }
    return table;
}
constexpr auto kTable = InCp1251();
}  // namespace

std::optional<std::string_view> WmoWords(double code) {
    for (const Words& entry : kTable) {
        if (code == entry.code) return entry.words.view();
    }
    return std::nullopt;
}

}  // namespace ow
