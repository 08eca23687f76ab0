#include "weather/core/open_meteo_request.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ow {
namespace {

std::string Url(const std::string& latitude, const std::string& longitude) {
    return "https://api.open-meteo.com/v1/forecast?latitude=" + latitude + "&longitude=" + longitude +
           std::string(kOpenMeteoQueryTail);
}

TEST(OpenMeteoUrl, TakesBothHalvesAsWritten) {
    struct Case {
        const char* code;
        const char* latitude;
        const char* longitude;
    };
    for (const Case& c : {Case{"55.7558,37.6173", "55.7558", "37.6173"},
                          Case{"-33.87,151.21", "-33.87", "151.21"},
                          Case{"0,0", "0", "0"},
                          Case{"-0,-0.0", "-0", "-0.0"},
                          Case{"007.50,010", "007.50", "010"},
                          Case{"90,180", "90", "180"},
                          Case{"-90,-180", "-90", "-180"},
                          Case{"90.000,-180.0000000000000000000000", "90.000", "-180.0000000000000000000000"},
                          Case{"00000000000000000000000000089.9999999999999999999999999,1",
                               "00000000000000000000000000089.9999999999999999999999999", "1"}}) {
        EXPECT_EQ(BuildOpenMeteoUrl(c.code), Url(c.latitude, c.longitude)) << c.code;
    }
}

TEST(OpenMeteoUrl, RefusesCodesOutsideTheRanges) {
    for (const char* code : {"90.0001,0", "-90.0001,0", "90.00000000000000000000000001,0", "91,0", "100,0",
                             "0,180.0001", "0,-180.0000000000000000001", "0,181", "0,200", "0,1000",
                             "99999999999999999999999999999999999999999999999999999999999,0",
                             "0,-180000000000000000000000000000000000000000000000000000000000000000000"}) {
        EXPECT_EQ(BuildOpenMeteoUrl(code), std::nullopt) << code;
    }
}

TEST(OpenMeteoUrl, RefusesEveryOtherShape) {
    const std::vector<std::string> codes = {
        "", ",", "55", "55.1", "55,", ",37", "55,37,1", "55,,37", "55;37", "55 37", " 55,37", "55,37 ", "55 ,37",
        "55, 37", "+55,37", "55,+37", "--55,37", "-,37", "55.,37", "55,37.", ".5,37", "55,.5", "5.5.5,37",
        "55,-", "1e1,37", "55,3E1", "0x10,37", "55,37\n", "5\t5,37", "55,37%20", "55.1-,37", "-55-,37",
        "\xD9\xA5,37", "55\xB7" "1,37", std::string("55\0,37", 6), std::string("55,37\0", 6), "NaN,0", "0,inf"};
    for (const std::string& code : codes) {
        EXPECT_EQ(BuildOpenMeteoUrl(code), std::nullopt) << ::testing::PrintToString(code);
    }
}

TEST(OpenMeteoUrl, JudgesHugeDigitStringsExactly) {
    const std::string zeros(100000, '0');
    EXPECT_EQ(BuildOpenMeteoUrl(zeros + "90." + zeros + "," + zeros), Url(zeros + "90." + zeros, zeros));
    EXPECT_EQ(BuildOpenMeteoUrl("90." + zeros + "1,0"), std::nullopt);
    EXPECT_EQ(BuildOpenMeteoUrl("1" + zeros + ",0"), std::nullopt);
    EXPECT_EQ(BuildOpenMeteoUrl("0,-179." + std::string(100000, '9')), Url("0", "-179." + std::string(100000, '9')));
}

}  // namespace
}  // namespace ow
