#include "town_catalog.h"

#include <fstream>
#include <iterator>

#include "common/cp1251.h"

namespace ow::sample {
namespace {

struct BuiltInTown {
    std::string_view code;
    std::string_view informerName;  // code page 1251
    std::string_view feedName;
};

constexpr auto kIrkutsk = Cp1251(u8"Иркутск");
constexpr auto kMoscow = Cp1251(u8"Москва");
constexpr auto kSaintPetersburg = Cp1251(u8"Санкт-Петербург");
constexpr auto kNovosibirsk = Cp1251(u8"Новосибирск");

constexpr BuiltInTown kBuiltInTowns[] = {
    {"30710", kIrkutsk, "Irkutsk"},
    {"27612", kMoscow, "Moscow"},
    {"26063", kSaintPetersburg, "Saint Petersburg"},
    {"29634", kNovosibirsk, "Novosibirsk"},
};

}  // namespace

std::string_view TownListFileName(Source source) {
    return source == Source::Informer ? "gis_towns.ini" : "wu_towns.ini";
}

void TownCatalog::Add(std::string_view name, std::string_view code) {
    namesByCode_.emplace(std::string(code), std::string(name));
}

TownCatalog TownCatalog::Parse(std::string_view listText) {
    TownCatalog catalog;
    while (!listText.empty()) {
        const auto end = listText.find_first_of("\r\n");
        const std::string_view line = listText.substr(0, end);
        if (end == std::string_view::npos) {
            listText = {};
        } else {
            const bool crlf = listText[end] == '\r' && end + 1 < listText.size() && listText[end + 1] == '\n';
            listText.remove_prefix(end + (crlf ? 2 : 1));
        }
        const auto equals = line.find('=');
        if (equals != std::string_view::npos) catalog.Add(line.substr(0, equals), line.substr(equals + 1));
    }
    return catalog;
}

TownCatalog TownCatalog::BuiltIn(Source source) {
    TownCatalog catalog;
    for (const BuiltInTown& town : kBuiltInTowns)
        catalog.Add(source == Source::Informer ? town.informerName : town.feedName, town.code);
    return catalog;
}

TownCatalog TownCatalog::Load(const std::string& path, Source source, bool* usedFile) {
    std::ifstream file(path, std::ios::binary);
    TownCatalog catalog;
    if (file) catalog = Parse(std::string(std::istreambuf_iterator<char>(file), {}));
    const bool fromFile = catalog.size() > 0;
    if (usedFile) *usedFile = fromFile;
    return fromFile ? catalog : BuiltIn(source);
}

std::optional<std::string> TownCatalog::NameOf(std::string_view code) const {
    const auto found = namesByCode_.find(code);
    if (found == namesByCode_.end()) return std::nullopt;
    return found->second;
}

}  // namespace ow::sample
