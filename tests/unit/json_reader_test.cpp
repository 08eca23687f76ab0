#include "weather/core/json_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ow {
namespace {

// Writes down what it hears, one short word per report.
class Recorder final : public JsonListener {
public:
    void Key(std::string_view key) override { heard.push_back("key:" + std::string(key)); }
    void Value(const JsonValue& value) override {
        switch (value.kind) {
            case JsonValue::Kind::kNull: heard.push_back("null"); break;
            case JsonValue::Kind::kBool: heard.push_back(value.flag ? "true" : "false"); break;
            case JsonValue::Kind::kNumber: heard.push_back("number:" + std::to_string(value.number)); break;
            case JsonValue::Kind::kString: heard.push_back("string:" + std::string(value.text)); break;
            case JsonValue::Kind::kObject: heard.push_back("{"); break;
            case JsonValue::Kind::kArray: heard.push_back("["); break;
        }
    }
    void Close() override { heard.push_back("close"); }

    std::vector<std::string> heard;
};

bool Reads(std::string_view document) {
    Recorder recorder;
    return ReadJson(document, recorder);
}

TEST(JsonReader, ReportsEveryValueInOrder) {
    Recorder recorder;
    ASSERT_TRUE(ReadJson(R"( {"a" : [1, -0.5, 1e2, 18446744073709551615, "x\u0041", null, true, false, {}],
                             "b":{"c":[]}} )",
                         recorder));
    const std::vector<std::string> expected = {
        "{", "key:a", "[", "number:1.000000", "number:-0.500000", "number:100.000000",
        "number:18446744073709551616.000000", "string:xA", "null", "true", "false", "{", "close", "close",
        "key:b", "{", "key:c", "[", "close", "close", "close"};
    EXPECT_EQ(recorder.heard, expected);
}

TEST(JsonReader, StringsKeepEscapedNulBytes) {
    Recorder recorder;
    ASSERT_TRUE(ReadJson(R"(["a\u0000b"])", recorder));
    EXPECT_EQ(recorder.heard[1], std::string("string:a\0b", 10));
}

TEST(JsonReader, RefusesAnythingButOneWholeText) {
    for (const std::string document :
         {"", "   ", "[1]x", "[1] [2]", "[1,]", "{\"a\":1,}", "[1", "{\"a\"}", "[01]", "[NaN]", "[Infinity]",
          "[1e400]", "[-1e400]", "[.5]", "['a']", "[\"a\tb\"]", "[\"\\x\"]", "[\"\\u12\"]", "/**/[]", "[] //"}) {
        EXPECT_FALSE(Reads(document)) << ::testing::PrintToString(document);
    }
    // A NUL byte is no end of text.
    EXPECT_FALSE(Reads(std::string("[1]\0", 4)));
    EXPECT_FALSE(Reads(std::string("[1]\0]", 5)));
    EXPECT_FALSE(Reads(std::string("[\"a\0\"]", 6)));
    for (const std::string document : {"[1]", "1", "\"a\"", "null", " {} ", "[[],{}]"}) {
        EXPECT_TRUE(Reads(document)) << document;
    }
}

TEST(JsonReader, ReadsOnlyItsView) {
    const std::string buffer = R"({"a":[1,2]})";
    for (std::size_t size = 0; size < buffer.size(); ++size) {
        EXPECT_FALSE(Reads(std::string_view(buffer).substr(0, size))) << size;
    }
    EXPECT_TRUE(Reads(buffer));
}

TEST(JsonReader, RefusesNestingPastTheLimit) {
    const std::size_t limit = kJsonDepthLimit;
    EXPECT_TRUE(Reads(std::string(limit, '[') + std::string(limit, ']')));
    EXPECT_FALSE(Reads(std::string(limit + 1, '[') + std::string(limit + 1, ']')));
    std::string objects;
    for (std::size_t i = 0; i + 1 < limit; ++i) objects += "{\"k\":";
    EXPECT_TRUE(Reads(objects + "[]" + std::string(limit - 1, '}')));
    EXPECT_FALSE(Reads(objects + "[[]]" + std::string(limit - 1, '}')));
}

TEST(JsonReader, RefusesLongRunsWithoutAReport) {
    // A little under the limit passes; a little over it does not, be it a
    // string, a key, a number or blanks.
    const std::size_t under = kJsonQuietLimit - 16;
    const std::size_t over = kJsonQuietLimit + 16;
    EXPECT_TRUE(Reads("[\"" + std::string(under, 'x') + "\"]"));
    EXPECT_FALSE(Reads("[\"" + std::string(over, 'x') + "\"]"));
    EXPECT_TRUE(Reads("{\"" + std::string(under, 'x') + "\":1}"));
    EXPECT_FALSE(Reads("{\"" + std::string(over, 'x') + "\":1}"));
    EXPECT_TRUE(Reads("[1." + std::string(under, '5') + "]"));
    EXPECT_FALSE(Reads("[1." + std::string(over, '5') + "]"));
    EXPECT_TRUE(Reads("[1," + std::string(under, ' ') + "2]"));
    EXPECT_FALSE(Reads("[1," + std::string(over, ' ') + "2]"));
    EXPECT_FALSE(Reads("[1]" + std::string(over, ' ')));
    // Escapes count as they are written, not as they decode.
    std::string escapes;
    while (escapes.size() < over) escapes += "\\u0041";
    EXPECT_FALSE(Reads("[\"" + escapes + "\"]"));
    // However long the document, as long as something is reported often.
    std::string many = "[";
    for (int i = 0; i < 100000; ++i) many += "\"" + std::string(100, 'y') + "\",";
    EXPECT_TRUE(Reads(many + "0]"));
}

}  // namespace
}  // namespace ow
