// Which documents count as blank, as an authorisation refusal, or as a page
// to extract from.
#include "weather/core/fetch_classification.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace ow {
namespace {

struct ClassifyCase {
    const char* name;
    std::string body;
    BodyKind kind;
    friend void PrintTo(const ClassifyCase& c, std::ostream* os) { *os << c.name; }
};

class Classification : public testing::TestWithParam<ClassifyCase> {};

TEST_P(Classification, SortsTheBody) { EXPECT_EQ(ClassifyBody(GetParam().body), GetParam().kind); }

INSTANTIATE_TEST_SUITE_P(
    Bodies, Classification,
    testing::Values(ClassifyCase{"Empty", "", BodyKind::Blank},
                    ClassifyCase{"WhiteSpaceAndControls", std::string(" \r\n\t\x01\x00\x20", 7), BodyKind::Blank},
                    ClassifyCase{"HighByteIsNotBlank", "\xA0", BodyKind::Document},
                    ClassifyCase{"OneVisibleByte", "  x\r\n", BodyKind::Document},
                    ClassifyCase{"AuthorizedInAnOrdinaryPage", "<p>Only authorized dealers</p>",
                                 BodyKind::ProxyAuthFailure},
                    ClassifyCase{"Authentication", "authentication required", BodyKind::ProxyAuthFailure},
                    ClassifyCase{"Http407", "HTTP 407 Proxy", BodyKind::ProxyAuthFailure},
                    ClassifyCase{"MarkerAtTheVeryEnd", std::string(5000, 'a') + "HTTP 407", BodyKind::ProxyAuthFailure},
                    ClassifyCase{"MarkerAfterAZeroByte", std::string("x\0authoriz", 10), BodyKind::ProxyAuthFailure},
                    ClassifyCase{"CapitalisedIsNotAMarker", "Authorized AUTHENTICATION", BodyKind::Document},
                    ClassifyCase{"StatusLineSpelledDifferently", "HTTP/1.1 407 http 407", BodyKind::Document},
                    ClassifyCase{"CutMarker", "authori authenticaHTTP 40", BodyKind::Document}),
    [](const testing::TestParamInfo<ClassifyCase>& info) { return info.param.name; });

}  // namespace
}  // namespace ow
