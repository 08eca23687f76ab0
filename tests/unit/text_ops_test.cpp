#include "common/text_ops.h"

#include <gtest/gtest.h>

#include <string>

namespace ow {
namespace {

struct PositionCase {
    std::string needle;
    std::string text;
    TextIndex expected;
};

class PositionOfTest : public ::testing::TestWithParam<PositionCase> {};

TEST_P(PositionOfTest, FindsFirstOccurrenceOneBased) {
    const auto& c = GetParam();
    EXPECT_EQ(PositionOf(c.needle, c.text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PositionOfTest,
    ::testing::Values(PositionCase{"a", "abc", 1}, PositionCase{"c", "abc", 3},
                      PositionCase{"bc", "abcbc", 2}, PositionCase{"x", "abc", 0},
                      PositionCase{"A", "abc", 0},  // case-sensitive
                      PositionCase{"abcd", "abc", 0}, PositionCase{"", "abc", 0},
                      PositionCase{"a", "", 0}, PositionCase{"\xB0", "1\xB0", 2},
                      PositionCase{std::string(1, '\0'), std::string("a\0b", 3), 2}));

struct CutCase {
    std::string text;
    TextIndex n;
    std::string expected;
};

class CutFirstTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutFirstTest, RemovesLeadingCharacters) {
    const auto& c = GetParam();
    EXPECT_EQ(CutFirst(c.text, c.n), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CutFirstTest,
                         ::testing::Values(CutCase{"abcdef", 2, "cdef"}, CutCase{"abcdef", 0, "abcdef"},
                                           CutCase{"abcdef", -3, "abcdef"}, CutCase{"abcdef", 5, "f"},
                                           CutCase{"abcdef", 6, ""}, CutCase{"abcdef", 99, ""},
                                           CutCase{"", 1, ""}));

struct TakeCase {
    std::string text;
    TextIndex p;
    TextIndex n;
    std::string expected;
};

class TakeFromTest : public ::testing::TestWithParam<TakeCase> {};

TEST_P(TakeFromTest, TakesFromPosition) {
    const auto& c = GetParam();
    EXPECT_EQ(TakeFrom(c.text, c.p, c.n), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, TakeFromTest,
                         ::testing::Values(TakeCase{"abcdef", 2, 3, "bcd"},
                                           TakeCase{"abcdef", 1, 6, "abcdef"},
                                           TakeCase{"abcdef", 4, 99, "def"},  // stops at the end
                                           TakeCase{"abcdef", 0, 2, "ab"},    // below 1 counts as 1
                                           TakeCase{"abcdef", -7, 2, "ab"},
                                           TakeCase{"abcdef", 6, 1, "f"},
                                           TakeCase{"abcdef", 7, 1, ""},  // beyond the last
                                           TakeCase{"abcdef", 2, 0, ""},
                                           TakeCase{"abcdef", 2, -1, ""},
                                           TakeCase{"", 1, 1, ""}));

struct TrimCase {
    std::string text;
    std::string expected;
};

class TrimTest : public ::testing::TestWithParam<TrimCase> {};

TEST_P(TrimTest, RemovesControlAndSpaceBytesAtBothEnds) {
    const auto& c = GetParam();
    EXPECT_EQ(Trim(c.text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, TrimTest,
                         ::testing::Values(TrimCase{"  a b  ", "a b"}, TrimCase{"\t\r\na\x01", "a"},
                                           TrimCase{std::string("\0a\0", 3), "a"},
                                           TrimCase{"\x20\x21\x20", "\x21"},
                                           TrimCase{"\xA0x\xB0", "\xA0x\xB0"},  // high bytes stay
                                           TrimCase{"\x7F", "\x7F"}, TrimCase{" \x1F ", ""},
                                           TrimCase{"", ""}));

}  // namespace
}  // namespace ow
