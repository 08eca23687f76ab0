// Place names between the service's UTF-8 and the plug-in's code page 1251,
// and the coordinates that become a town code.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "common/code_page.h"
#include "common/cp1251.h"
#include "common/found_place.h"
#include "prefs/core/town_lists.h"

namespace ow {
namespace {

TEST(CodePage, EveryAssignedByteGoesToUtf8AndBack) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        if (byte != 0x98) all += static_cast<char>(byte);
    }
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all), all.size()), all);
    EXPECT_EQ(Cp1251ToUtf8(Cp1251(u8"Ёлки").view()), "\xD0\x81\xD0\xBB\xD0\xBA\xD0\xB8");
    EXPECT_EQ(Cp1251ToUtf8("\x98"), "\xEF\xBF\xBD");  // unassigned: the replacement character
}

struct SafeCase {
    const char* what;
    std::string utf8;
    std::string cp1251;
};

class ListSafe : public ::testing::TestWithParam<SafeCase> {};

TEST_P(ListSafe, GivesOneVisibleByteACharacterAndNoLineBreaker) {
    const SafeCase& c = GetParam();
    const std::string text = ListSafeText(c.utf8);
    EXPECT_EQ(text, c.cp1251);
    // Whatever came in, the text stays one line's name.
    const TCity split = SplitTownEntry(text + "=1,2");
    EXPECT_EQ(split.Name, text);
    EXPECT_EQ(split.Code, "1,2");
    for (const char ch : text) EXPECT_GE(static_cast<unsigned char>(ch), 0x20u) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Names, ListSafe,
    ::testing::Values(
        SafeCase{"Russian", "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0", Cp1251(u8"Москва").str()},
        SafeCase{"Ukrainian and Belarusian letters", "\xD0\x86\xD0\xB2\xD0\xB0\xD0\xBD\xD0\xBE-\xD0\xA4\xD1\x80\xD0"
                                                     "\xB0\xD0\xBD\xD0\xBA\xD1\x96\xD0\xB2\xD1\x81\xD1\x8C\xD0\xBA",
                 Cp1251(u8"Івано-Франківськ").str()},
        SafeCase{"Chinese", "\xE5\x8C\x97\xE4\xBA\xAC", "??"},
        SafeCase{"Arabic", "\xD8\xA7\xD9\x84\xD9\x82\xD8\xA7\xD9\x87\xD8\xB1\xD8\xA9", "???????"},
        SafeCase{"Georgian", "\xE1\x83\x97\xE1\x83\x91\xE1\x83\x98\xE1\x83\x9A\xE1\x83\x98\xE1\x83\xA1\xE1\x83\x98",
                 "???????"},
        SafeCase{"emoji, four bytes each", "Sun\xF0\x9F\x8C\x9E" "City\xF0\x9F\x8F\x99\xEF\xB8\x8F", "Sun?City??"},
        SafeCase{"Latin with accents", "Z\xC3\xBCrich", "Z?rich"},
        SafeCase{"equals signs", "a=b==c", "a-b--c"},
        SafeCase{"line breaks and controls", "a\r\nb\tc\x01" "d\x7F" "e", "a  b c d e"},
        SafeCase{"blank ends", " \n\t Name \r\n", "Name"},
        SafeCase{"C1 control", "a\xC2\x85" "b", "a?b"},
        SafeCase{"truncated and malformed sequences", "a\xD0" "b\xE5\x8C" "c\xFF\x80\x80" "d\xC0\x80", "a?b?c?d?"},
        SafeCase{"surrogate half", "x\xED\xA0\x80y", "x?y"},
        SafeCase{"nothing left", "\r\n", ""}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(ListSafe, KeepsAtMostTheLimitOfCharacters) {
    std::string chinese;
    for (int i = 0; i < 300; ++i) chinese += "\xE5\x8C\x97";
    EXPECT_EQ(ListSafeText(chinese), std::string(kPlaceTextLimit, '?'));
    EXPECT_EQ(ListSafeText(std::string(500, 'a')).size(), kPlaceTextLimit);
}

TEST(PlaceCoordinates, RangeAndFourDecimals) {
    struct Case {
        double latitude, longitude;
        bool inRange;
        const char* code;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const Case& c : {Case{55.75222, 37.61556, true, "55.7522,37.6156"},
                          Case{-33.86785, 151.20732, true, "-33.8679,151.2073"},
                          Case{-0.00004, 0.00005, true, "0.0000,0.0001"},
                          Case{90, -180, true, "90.0000,-180.0000"},
                          Case{90.00001, 0, false, nullptr},
                          Case{0, -180.5, false, nullptr},
                          Case{nan, 0, false, nullptr},
                          Case{0, inf, false, nullptr}}) {
        EXPECT_EQ(CoordinatesInRange(c.latitude, c.longitude), c.inRange) << c.latitude << "," << c.longitude;
        if (c.code) {
            EXPECT_EQ(PlaceCode(c.latitude, c.longitude), c.code);
        }
    }
}

TEST(PlaceCoordinates, CodesNameTheSamePlaceToFourDecimals) {
    EXPECT_EQ(PlaceKeyOf("55.7522,37.6156"), PlaceKeyOf("55.75222,37.61556"));
    EXPECT_EQ(PlaceKeyOf("52.3,104"), PlaceKeyOf("52.30000,104.0000"));
    EXPECT_EQ(PlaceKeyOf("-0.00004,0"), PlaceKeyOf("0,0"));
    EXPECT_NE(PlaceKeyOf("55.7522,37.6156"), PlaceKeyOf("55.7523,37.6156"));
    EXPECT_NE(PlaceKeyOf("55.7522,37.6156"), PlaceKeyOf("-55.7522,37.6156"));
    for (const char* code : {"", "55", "55,", ",37", "a,b", "55.,37", "1e1,2", "55,37 ", "1234567,0"}) {
        EXPECT_EQ(PlaceKeyOf(code), std::nullopt) << code;
    }
}

}  // namespace
}  // namespace ow
