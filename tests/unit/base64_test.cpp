#include "weather/core/base64.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "common/cp1251.h"

namespace ow {
namespace {

struct Base64Case {
    std::string input;
    std::string encoded;
    friend void PrintTo(const Base64Case& c, std::ostream* os) { *os << c.input; }
};

class Base64Vectors : public testing::TestWithParam<Base64Case> {};

TEST_P(Base64Vectors, EncodesAsRfc4648) { EXPECT_EQ(EncodeBase64(GetParam().input), GetParam().encoded); }

// RFC 4648 section 10, plus the credential of an empty login and password.
INSTANTIATE_TEST_SUITE_P(Rfc4648, Base64Vectors,
                         testing::Values(Base64Case{"", ""}, Base64Case{"f", "Zg=="}, Base64Case{"fo", "Zm8="},
                                         Base64Case{"foo", "Zm9v"}, Base64Case{"foob", "Zm9vYg=="},
                                         Base64Case{"fooba", "Zm9vYmE="}, Base64Case{"foobar", "Zm9vYmFy"},
                                         Base64Case{":", "Og=="}, Base64Case{"user:pass", "dXNlcjpwYXNz"}));

TEST(Base64, EncodesHighBytesAsStored) {
    // "Ива" in code page 1251 is C8 E2 E0; no conversion happens on the way.
    static constexpr auto kLogin = Cp1251(u8"Ива");
    EXPECT_EQ(EncodeBase64(kLogin.view()), "yOLg");
    EXPECT_EQ(EncodeBase64(std::string("\xFF\x00\xFE", 3)), "/wD+");
}

TEST(Base64, LongInputHasNoLineBreaks) {
    const std::string encoded = EncodeBase64(std::string(300, 'a'));
    EXPECT_EQ(encoded.size(), 400u);
    EXPECT_EQ(encoded.find_first_not_of("YWFh"), std::string::npos);
}

}  // namespace
}  // namespace ow
