#pragma once
// The towns the server knows, per source: read from the shipped town lists
// ("name=code" lines) or, when a list is missing, a few built-in towns.
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "weather_source.h"

namespace ow::sample {

class TownCatalog {
public:
    // Lines end in CR LF, LF or CR; each is split at its first "="; the code
    // is the rest of the line, untrimmed. Lines without "=" are skipped, and
    // the first entry of a code wins.
    static TownCatalog Parse(std::string_view listText);
    static TownCatalog BuiltIn(Source source);

    // The list file's towns, or the built-in ones when the file is missing,
    // unreadable or holds no town. usedFile tells which happened.
    static TownCatalog Load(const std::string& path, Source source, bool* usedFile = nullptr);

    // The town name for a code (code page 1251 for the informer's list).
    std::optional<std::string> NameOf(std::string_view code) const;
    std::size_t size() const { return namesByCode_.size(); }

private:
    void Add(std::string_view name, std::string_view code);
    std::map<std::string, std::string, std::less<>> namesByCode_;
};

// The list file name of a source, inside the data folder.
std::string_view TownListFileName(Source source);

}  // namespace ow::sample
