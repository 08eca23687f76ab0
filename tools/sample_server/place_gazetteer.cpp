#include "place_gazetteer.h"

#include <algorithm>
#include <array>
#include <string>

namespace ow::sample {
namespace {

// Coordinates, elevations and populations as GeoNames gives them.
constexpr std::array kPlaces = {
    Place{524901, "Москва", "Moscow", 55.75222, 37.61556, 144, "PPLC", "RU", "Россия", "Russia", "Москва",
          "Moscow", "Europe/Moscow", 10381222},
    Place{5601538, "Москва", "Moscow", 46.73239, -117.00017, 786, "PPL", "US", "США", "United States", "Айдахо",
          "Idaho", "America/Los_Angeles", 25435},
    Place{4609049, "Москва", "Moscow", 35.05925, -89.40396, 104, "PPL", "US", "США", "United States", "Теннесси",
          "Tennessee", "America/Chicago", 541},
    Place{2023469, "Иркутск", "Irkutsk", 52.29778, 104.29639, 440, "PPLA", "RU", "Россия", "Russia",
          "Иркутская область", "Irkutsk Oblast", "Asia/Irkutsk", 586695},
    Place{2024106, "Ивановка", "Ivanovka", 50.29972, 127.60472, 180, "PPL", "RU", "Россия", "Russia",
          "Амурская область", "Amur Oblast", "Asia/Yakutsk", 6117},
    Place{707309, "Ивановка", "Ivanivka", 46.96667, 34.53333, 30, "PPLA3", "UA", "Украина", "Ukraine",
          "Херсонская область", "Kherson Oblast", "Europe/Kyiv", 4500},
    Place{1528512, "Ивановка", "Ivanovka", 42.88333, 75.08333, 760, "PPL", "KG", "Киргизия", "Kyrgyzstan",
          "Чуйская область", "Chuy", "Asia/Bishkek", 11000},
    Place{1526037, "Ивановка", "Ivanovka", 50.86667, 80.96667, 340, "PPL", "KZ", "Казахстан", "Kazakhstan",
          "Абайская область", "Abai Region", "Asia/Almaty", 1200},
    Place{147425, "Ивановка", "Ivanovka", 40.7, 48.08333, 1050, "PPL", "AZ", "Азербайджан", "Azerbaijan",
          "Исмаиллинский район", "Ismayilli", "Asia/Baku", 3000},
    Place{2988507, "Париж", "Paris", 48.85341, 2.3488, 42, "PPLC", "FR", "Франция", "France", "Иль-де-Франс",
          "Ile-de-France", "Europe/Paris", 2138551},
    Place{4717560, "Париж", "Paris", 33.66094, -95.55551, 183, "PPLA2", "US", "США", "United States", "Техас",
          "Texas", "America/Chicago", 24782},
    Place{1508130, "Париж", "Parizh", 53.39861, 59.98861, 371, "PPL", "RU", "Россия", "Russia",
          "Челябинская область", "Chelyabinsk Oblast", "Asia/Yekaterinburg", 1200},
    Place{611717, "Тбилиси", "Tbilisi", 41.69411, 44.83368, 490, "PPLC", "GE", "Грузия", "Georgia", "Тбилиси",
          "Tbilisi", "Asia/Tbilisi", 1049498},
    Place{611403, "მცხეთა", "Mtskheta", 41.84514, 44.71875, 470, "PPLA", "GE", "Грузия", "Georgia",
          "მცხეთა-მთიანეთი", "Mtskheta-Mtianeti", "Asia/Tbilisi", 7940},
    Place{360995, "الجيزة", "Giza", 30.00808, 31.21093, 23, "PPLA", "EG", "Египет", "Egypt", "الجيزة", "Giza",
          "Africa/Cairo", 2443203},
    Place{1794904, "双流区", "Shuangliu", 30.57447, 103.92377, 498, "PPLA3", "CN", "Китай", "China", "四川省",
          "Sichuan", "Asia/Shanghai", 1000000},
    Place{2657896, "Цюрих", "Zürich", 47.36667, 8.55, 429, "PPLA", "CH", "Швейцария", "Switzerland", "Цюрих",
          "Zurich", "Europe/Zurich", 341730},
    Place{1496747, "Новосибирск", "Novosibirsk", 55.0415, 82.9346, 162, "PPLA", "RU", "Россия", "Russia",
          "Новосибирская область", "Novosibirsk Oblast", "Asia/Novosibirsk", 1612833},
};

// Latin and Cyrillic capitals to small letters; every other byte as it is.
std::string Lower(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        auto& c = reinterpret_cast<unsigned char&>(out[i]);
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c + 32);
        if (c != 0xD0 || i + 1 == out.size()) continue;
        auto& next = reinterpret_cast<unsigned char&>(out[i + 1]);
        if (next >= 0x90 && next <= 0x9F) {  // А..П
            next = static_cast<unsigned char>(next + 0x20);
        } else if (next >= 0xA0 && next <= 0xAF) {  // Р..Я
            c = 0xD1;
            next = static_cast<unsigned char>(next - 0x20);
        } else if (next == 0x81) {  // Ё
            c = 0xD1;
            next = 0x91;
        }
        ++i;
    }
    return out;
}

// Characters, not bytes: a UTF-8 continuation byte does not count.
std::size_t Characters(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

std::vector<const Place*> FindPlaces(std::string_view name, std::size_t count) {
    std::vector<const Place*> found;
    const std::string wanted = Lower(name);
    if (Characters(wanted) < 2) return found;
    for (const Place& place : kPlaces) {
        if (Lower(place.nameRu).starts_with(wanted) || Lower(place.nameEn).starts_with(wanted)) found.push_back(&place);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Place* a, const Place* b) { return a->population > b->population; });
    if (found.size() > count) found.resize(count);
    return found;
}

}  // namespace ow::sample
