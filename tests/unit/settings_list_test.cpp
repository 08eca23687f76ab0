#include "prefs/core/settings_list.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

namespace ow {
namespace {

using namespace std::string_literals;

struct LineCase {
    std::string bytes;
    StringList lines;
};

class SettingsListSplit : public ::testing::TestWithParam<LineCase> {};

TEST_P(SettingsListSplit, ReadsEveryLineEnd) {
    EXPECT_EQ(SplitLines(SettingsList(GetParam().bytes).ToBytes()), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, SettingsListSplit,
    ::testing::Values(LineCase{"", {}}, LineCase{"a=1", {"a=1"}}, LineCase{"a=1\r\n", {"a=1"}},
                      LineCase{"a=1\r\nb=2\nc=3\rd=4", {"a=1", "b=2", "c=3", "d=4"}},
                      LineCase{"\r\n\r\n", {"", ""}}, LineCase{"a\r\r\nb", {"a", "", "b"}},
                      LineCase{"a\n\rb", {"a", "", "b"}}, LineCase{"\n", {""}}));

TEST(SettingsList, KeysMatchIgnoringAsciiCaseAndFirstLineWins) {
    const SettingsList list("City=4\r\ncity=7\r\nCITY=9\r\n");
    EXPECT_EQ(list.Value("city"), "4");
    EXPECT_EQ(list.Value("CiTy"), "4");
}

TEST(SettingsList, KeyAndValueAreUntrimmedAndSplitAtFirstEquals) {
    const SettingsList list("proxy-host = a=b \r\nproxy-port= 8080 \r\n");
    EXPECT_EQ(list.Value("proxy-host"), "");  // the key there is "proxy-host "
    EXPECT_EQ(list.Value("proxy-host "), " a=b ");
    EXPECT_EQ(list.Value("proxy-port"), " 8080 ");
    EXPECT_EQ(list.Value("missing"), "");
}

TEST(SettingsList, LineWithoutEqualsIsNeverAKey) {
    SettingsList list("city\r\n; comment\r\n");
    EXPECT_EQ(list.Value("city"), "");
    list.SetValue("city", "3");
    EXPECT_EQ(list.ToBytes(), "city\r\n; comment\r\ncity=3\r\n");
}

TEST(SettingsList, SetValueReplacesInPlaceAppendsAndKeepsOtherLines) {
    SettingsList list("; weather\r\nCity=1\r\n\r\nfoo=bar\r\n");
    list.SetValue("city", "5");
    list.SetValue("resource", "1");
    EXPECT_EQ(list.ToBytes(), "; weather\r\ncity=5\r\n\r\nfoo=bar\r\nresource=1\r\n");
}

TEST(SettingsList, EmptyValueRemovesOnlyTheFirstMatchAndAddsNothing) {
    SettingsList list("proxy-host=a\r\nx=1\r\nPROXY-HOST=b\r\n");
    list.SetValue("proxy-host", "");
    EXPECT_EQ(list.ToBytes(), "x=1\r\nPROXY-HOST=b\r\n");
    list.SetValue("proxy-login", "");
    EXPECT_EQ(list.ToBytes(), "x=1\r\nPROXY-HOST=b\r\n");
}

TEST(SettingsList, BinaryBytesSurviveByteForByte) {
    const std::string bytes = "\x00\xff=\x01\r\nkey=va\x00lue\r\n\xc0\xe8=\x80"s;
    SettingsList list(bytes);
    EXPECT_EQ(list.Value("key"), "va\x00lue"s);
    EXPECT_EQ(list.Value("\x00\xff"s), "\x01");
    list.SetValue("other", "1");
    EXPECT_EQ(list.ToBytes(), bytes + "\r\nother=1\r\n");
}

TEST(SettingsList, FlagIsTrueOnlyForExactlyOne) {
    const SettingsList list("a=1\r\nb=true\r\nc= 1\r\nd=0\r\ne=11\r\n");
    EXPECT_TRUE(list.Flag("a"));
    for (const char* key : {"b", "c", "d", "e", "missing"}) EXPECT_FALSE(list.Flag(key)) << key;
}

struct IntCase {
    std::string text;
    std::optional<int> value;
};

class ParseDecimalIntCase : public ::testing::TestWithParam<IntCase> {};

TEST_P(ParseDecimalIntCase, ReadsOnlyWholeDecimalNumbersInRange) {
    EXPECT_EQ(ParseDecimalInt(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseDecimalIntCase,
    ::testing::Values(IntCase{"0", 0}, IntCase{"12", 12}, IntCase{" 7 \t", 7}, IntCase{"+3", 3},
                      IntCase{"-1", -1}, IntCase{"007", 7}, IntCase{"2147483647", kMax},
                      IntCase{"-2147483648", kMin}, IntCase{"2147483648", std::nullopt},
                      IntCase{"-2147483649", std::nullopt}, IntCase{"99999999999999999999999", std::nullopt},
                      IntCase{"", std::nullopt}, IntCase{"   ", std::nullopt}, IntCase{"abc", std::nullopt},
                      IntCase{"12abc", std::nullopt}, IntCase{"1.5", std::nullopt}, IntCase{"0x10", std::nullopt},
                      IntCase{"+-1", std::nullopt}, IntCase{"--1", std::nullopt}, IntCase{"+", std::nullopt},
                      IntCase{"1 2", std::nullopt}, IntCase{std::string("1\0", 2), 1}));

}  // namespace
}  // namespace ow
