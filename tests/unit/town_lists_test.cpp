#include "prefs/core/town_lists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

#include "prefs/core/text_lines.h"
#include "weather/core/weather_sources.h"

namespace ow {
namespace {

using namespace std::string_literals;

struct EntryCase {
    std::string line;
    std::string name;
    std::string code;
};

class TownEntrySplit : public ::testing::TestWithParam<EntryCase> {};

TEST_P(TownEntrySplit, SplitsAtTheFirstEquals) {
    const TCity city = SplitTownEntry(GetParam().line);
    EXPECT_EQ(city.Name, GetParam().name);
    EXPECT_EQ(city.Code, GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TownEntrySplit,
    ::testing::Values(EntryCase{"Irkutsk=30710", "Irkutsk", "30710"}, EntryCase{"Irkutsk=", "Irkutsk", ""},
                      EntryCase{"a=b=c", "a", "b=c"}, EntryCase{" Tver = 27402 ", " Tver ", " 27402 "},
                      EntryCase{"=30710", "", "30710"}, EntryCase{"", "", ""},
                      EntryCase{"No code here", "No code here", ""}));

TEST(TownLists, ReadsEveryLineAsAnEntryWithItsName) {
    StringList lines, names;
    ReadTownList("A=1\r\nB=2\nA=1\r\r\nC", lines, names);
    EXPECT_EQ(lines, (StringList{"A=1", "B=2", "A=1", "", "C"}));
    EXPECT_EQ(names, (StringList{"A", "B", "A", "", "C"}));
    EXPECT_EQ(TownCodeAt(lines, 1), "2");
    EXPECT_EQ(TownCodeAt(lines, 4), "");
}

TEST(TownLists, EmptyFileGivesNoEntriesAndNoCode) {
    StringList lines, names;
    ReadTownList("", lines, names);
    EXPECT_TRUE(lines.empty());
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(TownCodeAt(lines, 0), "");
}

TEST(TownLists, CodeOutsideTheListIsEmpty) {
    const StringList lines = {"A=1"};
    for (int index : {-1, 1, 2147483647, -2147483647 - 1}) EXPECT_EQ(TownCodeAt(lines, index), "") << index;
}

TEST(TownLists, BinaryBytesStayInNameAndCode) {
    StringList lines, names;
    ReadTownList("\xcc\x00=\x00\xff"s, lines, names);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], "\xcc\x00"s);
    EXPECT_EQ(TownCodeAt(lines, 0), "\x00\xff"s);
}

TEST(TownLists, DefaultTownsArePerSource) {
    StringList lines, names;
    for (const WeatherSource& source : TheWeatherSources()) AddDefaultTown(source.defaultTown, lines, names);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(StringList(lines.begin(), lines.begin() + 2),
              (StringList{"\xc8\xf0\xea\xf3\xf2\xf1\xea=30710", "Irkutsk=30710"}));
    EXPECT_EQ(StringList(names.begin(), names.begin() + 2), (StringList{"\xc8\xf0\xea\xf3\xf2\xf1\xea", "Irkutsk"}));
}

// The lists shipped with the plug-in: same towns in the same order, so the
// codes agree line by line; CR LF line ends; WMO station indexes.
std::string ReadShipped(const char* name) {
    std::ifstream in(std::string(OW_SHIPPED_DATA_DIR) + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool IsWmoIndex(const std::string& code) {
    return code.size() == 5 && std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; });
}

TEST(ShippedTownLists, ListTheSameTownsWithWmoCodes) {
    const std::string gis = ReadShipped("gis_towns.ini");
    const std::string wu = ReadShipped("wu_towns.ini");
    for (const std::string* file : {&gis, &wu}) {
        ASSERT_FALSE(file->empty());
        EXPECT_EQ(file->substr(file->size() - 2), "\r\n");
        // Every line end is CR LF.
        EXPECT_EQ(std::count(file->begin(), file->end(), '\n'), std::count(file->begin(), file->end(), '\r'));
    }
    StringList gisLines, gisNames, wuLines, wuNames;
    ReadTownList(gis, gisLines, gisNames);
    ReadTownList(wu, wuLines, wuNames);
    ASSERT_GE(gisLines.size(), 60u);
    ASSERT_EQ(gisLines.size(), wuLines.size());
    for (std::size_t i = 0; i < gisLines.size(); ++i) {
        const int k = static_cast<int>(i);
        EXPECT_TRUE(IsWmoIndex(TownCodeAt(gisLines, k))) << gisLines[i];
        EXPECT_EQ(TownCodeAt(gisLines, k), TownCodeAt(wuLines, k)) << gisLines[i] << " / " << wuLines[i];
        EXPECT_FALSE(gisNames[i].empty());
        EXPECT_FALSE(wuNames[i].empty());
        EXPECT_TRUE(std::all_of(wuNames[i].begin(), wuNames[i].end(),
                                [](char c) { return c >= 0x20 && c < 0x7f; }))
            << wuNames[i];
    }
    // Code page 1251, not UTF-8: the built-in town is listed with the same bytes.
    const WeatherSources sources = TheWeatherSources();
    EXPECT_NE(std::find(gisLines.begin(), gisLines.end(), std::string(sources[kGismeteoSource].defaultTown)),
              gisLines.end());
    EXPECT_NE(std::find(wuLines.begin(), wuLines.end(), std::string(sources[kWundergroundSource].defaultTown)),
              wuLines.end());
}

// An optional "-", digits, ".", digits: what the Open-Meteo list holds per
// half of a code, read without the locale.
bool ReadPlainDecimal(std::string_view text, double& value) {
    const std::string_view digits = text.substr(!text.empty() && text[0] == '-' ? 1 : 0);
    const std::size_t dot = digits.find('.');
    const auto allDigits = [](std::string_view s) {
        return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (dot == std::string_view::npos || !allDigits(digits.substr(0, dot)) || !allDigits(digits.substr(dot + 1))) {
        return false;
    }
    return std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc();
}

// The Open-Meteo list: the towns of the Gismeteo list, names byte for byte
// in the same order, each with "latitude,longitude".
TEST(ShippedTownLists, OpenMeteoListGivesEveryGismeteoTownOnePoint) {
    const std::string gis = ReadShipped("gis_towns.ini");
    const std::string om = ReadShipped("om_towns.ini");
    ASSERT_FALSE(om.empty());
    EXPECT_EQ(JoinLinesCrLf(SplitLines(om)), om) << "every line, the last too, ends in CR LF";

    StringList gisLines, gisNames, omLines, omNames;
    ReadTownList(gis, gisLines, gisNames);
    ReadTownList(om, omLines, omNames);
    EXPECT_EQ(omLines.size(), 120u);
    EXPECT_EQ(omNames, gisNames);

    std::set<std::string> codes;
    for (std::size_t i = 0; i < omLines.size(); ++i) {
        const std::string code = TownCodeAt(omLines, static_cast<int>(i));
        codes.insert(code);
        const std::size_t comma = code.find(',');
        ASSERT_NE(comma, std::string::npos) << omLines[i];
        double latitude = 0, longitude = 0;
        EXPECT_TRUE(ReadPlainDecimal(std::string_view(code).substr(0, comma), latitude)) << omLines[i];
        EXPECT_TRUE(ReadPlainDecimal(std::string_view(code).substr(comma + 1), longitude)) << omLines[i];
        EXPECT_TRUE(latitude >= -90 && latitude <= 90) << omLines[i];
        EXPECT_TRUE(longitude >= -180 && longitude <= 180) << omLines[i];
    }
    EXPECT_EQ(codes.size(), omLines.size()) << "two towns share a point";
}

}  // namespace
}  // namespace ow
