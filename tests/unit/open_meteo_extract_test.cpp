// The Open-Meteo line, from answers that differ from a realistic one in one
// respect at a time.
#include "weather/core/open_meteo_extract.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/cp1251.h"
#include "open_meteo_test_documents.h"

namespace ow {
namespace {
using namespace open_meteo_test;

const std::string kTown = Cp1251(u8"Москва").str();
const std::string kNoData = Cp1251(u8"Нет данных о погоде").str();
const std::string kExampleLine =
    Cp1251(u8"Москва. Сейчас -3°, снег, ветер ЮЗ 3 м/с, 746 мм рт. ст., влажность 87%. Завтра -8..-3°, пасмурно.").str();

std::string Line(const std::string& document) { return ExtractOpenMeteoLine(document, kTown); }

// The example's line with its current sentence's middle (after "Сейчас -3°"
// and before its full stop) and tomorrow's sentence replaced.
std::string ExampleWith(const std::string& nowTail, const std::string& tomorrow) {
    return Cp1251(u8"Москва. Сейчас -3°").str() + nowTail + tomorrow;
}
const std::string kExampleNowTail = Cp1251(u8", снег, ветер ЮЗ 3 м/с, 746 мм рт. ст., влажность 87%.").str();
const std::string kExampleTomorrow = Cp1251(u8" Завтра -8..-3°, пасмурно.").str();

// One current value set (or, when empty, left out) and the middle of the
// current sentence that should come of it.
struct NowCase {
    std::string key;
    std::string value;
    std::string nowTail;
};

void ExpectNowTails(const std::vector<NowCase>& cases) {
    for (const NowCase& c : cases) {
        const Members now = c.value.empty() ? Without(ExampleNow(), c.key) : With(ExampleNow(), c.key, c.value);
        EXPECT_EQ(Line(Answer(now, ExampleDaily())), ExampleWith(c.nowTail, kExampleTomorrow))
            << c.key << " " << c.value;
    }
}

TEST(OpenMeteoLine, ExampleAnswer) {
    EXPECT_EQ(Line(Answer()), kExampleLine);
    EXPECT_EQ(ExtractOpenMeteoLine(Answer(), "Town \xC0\xFF"), "Town \xC0\xFF" + kExampleLine.substr(kTown.size()));
}

struct CodeCase {
    int code;
    std::string words;
};

const std::vector<CodeCase>& KnownCodes() {
    static const std::vector<CodeCase> codes = {
        {0, Cp1251(u8"ясно").str()},
        {1, Cp1251(u8"преимущественно ясно").str()},
        {2, Cp1251(u8"переменная облачность").str()},
        {3, Cp1251(u8"пасмурно").str()},
        {45, Cp1251(u8"туман").str()},
        {48, Cp1251(u8"туман с изморозью").str()},
        {51, Cp1251(u8"слабая морось").str()},
        {53, Cp1251(u8"морось").str()},
        {55, Cp1251(u8"сильная морось").str()},
        {56, Cp1251(u8"слабая ледяная морось").str()},
        {57, Cp1251(u8"ледяная морось").str()},
        {61, Cp1251(u8"небольшой дождь").str()},
        {63, Cp1251(u8"дождь").str()},
        {65, Cp1251(u8"сильный дождь").str()},
        {66, Cp1251(u8"небольшой ледяной дождь").str()},
        {67, Cp1251(u8"ледяной дождь").str()},
        {71, Cp1251(u8"небольшой снег").str()},
        {73, Cp1251(u8"снег").str()},
        {75, Cp1251(u8"сильный снег").str()},
        {77, Cp1251(u8"снежная крупа").str()},
        {80, Cp1251(u8"небольшой ливень").str()},
        {81, Cp1251(u8"ливень").str()},
        {82, Cp1251(u8"сильный ливень").str()},
        {85, Cp1251(u8"небольшой снегопад").str()},
        {86, Cp1251(u8"сильный снегопад").str()},
        {95, Cp1251(u8"гроза").str()},
        {96, Cp1251(u8"гроза с небольшим градом").str()},
        {99, Cp1251(u8"гроза с сильным градом").str()},
    };
    return codes;
}

const std::string kRestOfNow = Cp1251(u8", ветер ЮЗ 3 м/с, 746 мм рт. ст., влажность 87%.").str();
const std::string kTomorrowOpening = Cp1251(u8" Завтра -8..-3°").str();

TEST(OpenMeteoLine, EveryKnownCodeHasItsWords) {
    for (const auto& [code, words] : KnownCodes()) {
        const std::string text = std::to_string(code);
        EXPECT_EQ(Line(Answer(With(ExampleNow(), "weather_code", text), ExampleDaily())),
                  ExampleWith(", " + words + kRestOfNow, kExampleTomorrow))
            << code;
        EXPECT_EQ(Line(Answer(ExampleNow(), With(ExampleDaily(), "weather_code", "[0," + text + "]"))),
                  ExampleWith(kExampleNowTail, kTomorrowOpening + ", " + words + "."))
            << code;
    }
    // A whole number written with a fraction or an exponent is still the code.
    EXPECT_EQ(Line(Answer(With(ExampleNow(), "weather_code", "7.3e1"), ExampleDaily())), kExampleLine);
    EXPECT_EQ(Line(Answer(ExampleNow(), With(ExampleDaily(), "weather_code", "[0,3.000]"))), kExampleLine);
}

TEST(OpenMeteoLine, UnknownCodeLeavesOutOnlyItsWords) {
    for (const char* code : {"4", "44", "100", "-1", "72.5", "0.1", "-0.5", "1e300", "18446744073709551616"}) {
        EXPECT_EQ(Line(Answer(With(ExampleNow(), "weather_code", code), ExampleDaily())),
                  ExampleWith(kRestOfNow, kExampleTomorrow))
            << code;
        EXPECT_EQ(Line(Answer(ExampleNow(), With(ExampleDaily(), "weather_code", std::string("[3,") + code + "]"))),
                  ExampleWith(kExampleNowTail, kTomorrowOpening + "."))
            << code;
    }
}

TEST(OpenMeteoLine, TemperaturesRoundHalfAwayFromZeroWithSign) {
    struct Case {
        const char* celsius;
        const char* shown;
    };
    for (const Case& c : {Case{"0.5", "+1"}, Case{"-0.5", "-1"}, Case{"0.4", "0"}, Case{"-0.4", "0"},
                          Case{"0", "0"}, Case{"-0.0", "0"}, Case{"0.49999", "0"}, Case{"1.5", "+2"},
                          Case{"-2.5", "-3"}, Case{"2.4999", "+2"}, Case{"99.5", "+100"}, Case{"100", "+100"},
                          Case{"-100", "-100"}, Case{"-1e-300", "0"}}) {
        const std::string degrees = std::string(c.shown) + "\xB0";
        EXPECT_EQ(Line(Answer(With(ExampleNow(), "temperature_2m", c.celsius), ExampleDaily())),
                  kTown + Cp1251(u8". Сейчас ").str() + degrees + kExampleNowTail + kExampleTomorrow)
            << c.celsius;
        const std::string tomorrow = std::string("[0,") + c.celsius + "]";
        EXPECT_EQ(Line(Answer(ExampleNow(), With(With(ExampleDaily(), "temperature_2m_min", tomorrow),
                                                 "temperature_2m_max", tomorrow))),
                  ExampleWith(kExampleNowTail, Cp1251(u8" Завтра ").str() + c.shown + ".." + degrees +
                                                   Cp1251(u8", пасмурно.").str()))
            << c.celsius;
    }
}

TEST(OpenMeteoLine, OtherFiguresRoundHalfAwayFromZero) {
    ExpectNowTails({
        {"relative_humidity_2m", "86.5", Cp1251(u8", снег, ветер ЮЗ 3 м/с, 746 мм рт. ст., влажность 87%.").str()},
        {"relative_humidity_2m", "86.4", Cp1251(u8", снег, ветер ЮЗ 3 м/с, 746 мм рт. ст., влажность 86%.").str()},
        {"relative_humidity_2m", "0", Cp1251(u8", снег, ветер ЮЗ 3 м/с, 746 мм рт. ст., влажность 0%.").str()},
        {"relative_humidity_2m", "100", Cp1251(u8", снег, ветер ЮЗ 3 м/с, 746 мм рт. ст., влажность 100%.").str()},
        {"wind_speed_10m", "2.5", Cp1251(u8", снег, ветер ЮЗ 3 м/с, 746 мм рт. ст., влажность 87%.").str()},
        {"wind_speed_10m", "0.5", Cp1251(u8", снег, ветер ЮЗ 1 м/с, 746 мм рт. ст., влажность 87%.").str()},
        {"wind_speed_10m", "200", Cp1251(u8", снег, ветер ЮЗ 200 м/с, 746 мм рт. ст., влажность 87%.").str()},
        // 1000 hPa is 750.062 mm; 1013.25 hPa, one atmosphere, 760.0 mm.
        {"surface_pressure", "1000", Cp1251(u8", снег, ветер ЮЗ 3 м/с, 750 мм рт. ст., влажность 87%.").str()},
        {"surface_pressure", "1013.25", Cp1251(u8", снег, ветер ЮЗ 3 м/с, 760 мм рт. ст., влажность 87%.").str()},
        {"surface_pressure", "300", Cp1251(u8", снег, ветер ЮЗ 3 м/с, 225 мм рт. ст., влажность 87%.").str()},
        {"surface_pressure", "1200", Cp1251(u8", снег, ветер ЮЗ 3 м/с, 900 мм рт. ст., влажность 87%.").str()},
    });
}

TEST(OpenMeteoLine, WindTakesTheNearestOfEightPoints) {
    struct Case {
        const char* degrees;
        std::string point;
    };
    const std::vector<Case> points = {
        {"0", Cp1251(u8"С").str()},       {"22.4999", Cp1251(u8"С").str()}, {"22.5", Cp1251(u8"СВ").str()},
        {"45", Cp1251(u8"СВ").str()},     {"67.5", Cp1251(u8"В").str()},    {"90", Cp1251(u8"В").str()},
        {"135", Cp1251(u8"ЮВ").str()},    {"180", Cp1251(u8"Ю").str()},     {"202.5", Cp1251(u8"ЮЗ").str()},
        {"270", Cp1251(u8"З").str()},     {"315", Cp1251(u8"СЗ").str()},    {"337.4999", Cp1251(u8"СЗ").str()},
        {"337.5", Cp1251(u8"С").str()},   {"359.99", Cp1251(u8"С").str()},  {"360", Cp1251(u8"С").str()},
        {"-45", Cp1251(u8"СЗ").str()},    {"-22.5", Cp1251(u8"С").str()},   {"-22.6", Cp1251(u8"СЗ").str()},
        {"-0.0", Cp1251(u8"С").str()},    {"-1e-300", Cp1251(u8"С").str()}, {"-180", Cp1251(u8"Ю").str()},
        {"-360", Cp1251(u8"С").str()},    {"-337.5", Cp1251(u8"СВ").str()},
    };
    std::vector<NowCase> cases;
    for (const Case& c : points) {
        cases.push_back({"wind_direction_10m", c.degrees,
                         Cp1251(u8", снег, ветер ").str() + c.point +
                             Cp1251(u8" 3 м/с, 746 мм рт. ст., влажность 87%.").str()});
    }
    ExpectNowTails(cases);
}

TEST(OpenMeteoLine, WindThatRoundsToNothingIsCalm) {
    const std::string calm = ExampleWith(Cp1251(u8", снег, штиль, 746 мм рт. ст., влажность 87%.").str(), kExampleTomorrow);
    for (const char* speed : {"0", "0.0", "0.4", "0.49999"}) {
        EXPECT_EQ(Line(Answer(With(ExampleNow(), "wind_speed_10m", speed), ExampleDaily())), calm) << speed;
        EXPECT_EQ(Line(Answer(With(Without(ExampleNow(), "wind_direction_10m"), "wind_speed_10m", speed),
                              ExampleDaily())),
                  calm)
            << speed;
    }
}

TEST(OpenMeteoLine, MissingOrUnusableValueLeavesOutItsPart) {
    const std::vector<NowCase> parts = {
        {"weather_code", "", Cp1251(u8", ветер ЮЗ 3 м/с, 746 мм рт. ст., влажность 87%.").str()},
        {"wind_speed_10m", "", Cp1251(u8", снег, 746 мм рт. ст., влажность 87%.").str()},
        {"wind_direction_10m", "", Cp1251(u8", снег, ветер 3 м/с, 746 мм рт. ст., влажность 87%.").str()},
        {"surface_pressure", "", Cp1251(u8", снег, ветер ЮЗ 3 м/с, влажность 87%.").str()},
        // The pressure's own full stop ends the sentence.
        {"relative_humidity_2m", "", Cp1251(u8", снег, ветер ЮЗ 3 м/с, 746 мм рт. ст.").str()},
    };
    // Each way a value can be unusable: absent, null, another type, beyond
    // what any sensor gives, or not finite (a double overflowing to infinity).
    std::vector<NowCase> cases;
    for (const NowCase& part : parts) {
        for (const char* value : {"", "null", "\"3\"", "true", "false", "{}", "[]", "[3]", "{\"value\":3}", "1e308",
                                  "-1e308", "9e308", "-9e308"}) {
            cases.push_back({part.key, value, part.nowTail});
        }
    }
    ExpectNowTails(cases);
}

TEST(OpenMeteoLine, ValuesBeyondTheirBoundsAreMissing) {
    ExpectNowTails({
        {"relative_humidity_2m", "100.01", Cp1251(u8", снег, ветер ЮЗ 3 м/с, 746 мм рт. ст.").str()},
        {"relative_humidity_2m", "-0.01", Cp1251(u8", снег, ветер ЮЗ 3 м/с, 746 мм рт. ст.").str()},
        {"surface_pressure", "299.99", Cp1251(u8", снег, ветер ЮЗ 3 м/с, влажность 87%.").str()},
        {"surface_pressure", "1200.01", Cp1251(u8", снег, ветер ЮЗ 3 м/с, влажность 87%.").str()},
        {"wind_speed_10m", "-0.01", Cp1251(u8", снег, 746 мм рт. ст., влажность 87%.").str()},
        {"wind_speed_10m", "200.01", Cp1251(u8", снег, 746 мм рт. ст., влажность 87%.").str()},
        {"wind_direction_10m", "360.01", Cp1251(u8", снег, ветер 3 м/с, 746 мм рт. ст., влажность 87%.").str()},
        {"wind_direction_10m", "-360.01", Cp1251(u8", снег, ветер 3 м/с, 746 мм рт. ст., влажность 87%.").str()},
    });
}

TEST(OpenMeteoLine, OnlyTheTemperatureIsNeeded) {
    Members now;
    for (const auto& member : ExampleNow()) {
        if (member.first == "time" || member.first == "temperature_2m") now.push_back(member);
    }
    EXPECT_EQ(Line(Answer(now, ExampleDaily())), ExampleWith(".", kExampleTomorrow));
    EXPECT_EQ(Line(Answer(Object(now), "null")), Cp1251(u8"Москва. Сейчас -3°.").str());
}

TEST(OpenMeteoLine, NoUsableTemperatureMeansNoData) {
    for (const std::string value : {"", "null", "\"-2.6\"", "true", "{}", "[-2.6]", "100.01", "-100.01", "1e308"}) {
        const Members now = value.empty() ? Without(ExampleNow(), "temperature_2m")
                                          : With(ExampleNow(), "temperature_2m", value);
        EXPECT_EQ(Line(Answer(now, ExampleDaily())), kNoData) << value;
    }
    for (const std::string current : {"null", "[]", "5", "\"current\"", "{}", "[{\"temperature_2m\":1}]"}) {
        EXPECT_EQ(Line(Answer(current, Object(ExampleDaily()))), kNoData) << current;
    }
    EXPECT_EQ(Line(R"({"daily":)" + Object(ExampleDaily()) + "}"), kNoData);
}

TEST(OpenMeteoLine, TomorrowNeedsItsCodeAndBothTemperatures) {
    const std::string todayOnly = ExampleWith(kExampleNowTail, "");
    for (const char* key : {"weather_code", "temperature_2m_max", "temperature_2m_min"}) {
        for (const std::string array : {"", "null", "[]", "[3]", "[3,null]", "[3,\"3\"]", "[3,[3]]", "[3,{}]",
                                        "[3,true]", "{\"0\":3,\"1\":3}", "3", "\"[3,3]\"", "[3,9e308]"}) {
            const Members daily = array.empty() ? Without(ExampleDaily(), key) : With(ExampleDaily(), key, array);
            EXPECT_EQ(Line(Answer(ExampleNow(), daily)), todayOnly) << key << " " << array;
        }
    }
    for (const std::string array : {"[0,100.01]", "[0,-100.01]"}) {
        EXPECT_EQ(Line(Answer(ExampleNow(), With(ExampleDaily(), "temperature_2m_min", array))), todayOnly) << array;
    }
    for (const std::string daily : {"null", "[]", "5", "{}", "\"daily\""}) {
        EXPECT_EQ(Line(Answer(Object(ExampleNow()), daily)), todayOnly) << daily;
    }
    EXPECT_EQ(Line(R"({"current":)" + Object(ExampleNow()) + "}"), todayOnly);
}

TEST(OpenMeteoLine, TomorrowIsTheSecondElement) {
    // Nested elements count as one each; what follows the second is not read.
    const Members daily = With(With(With(ExampleDaily(), "weather_code", "[[1,2,[3]],61,{\"a\":[1]},95]"),
                                    "temperature_2m_min", "[{\"x\":[1,2]},-0.5,7,null,\"x\"]"),
                               "temperature_2m_max", "[null,0.5,[],[[]]]");
    EXPECT_EQ(Line(Answer(ExampleNow(), daily)),
              ExampleWith(kExampleNowTail, Cp1251(u8" Завтра -1..+1°, небольшой дождь.").str()));
}

TEST(OpenMeteoLine, OnlyTopLevelMembersCount) {
    // The blocks' keys elsewhere, at any depth, are passed over.
    const std::string nested = R"({"data":{"current":)" + Object(ExampleNow()) + R"(,"daily":)" +
                               Object(ExampleDaily()) + R"(},"list":[)" + Answer() + "]}";
    EXPECT_EQ(Line(nested), kNoData);
    const Members decoys = With(With(ExampleNow(), "x", R"({"temperature_2m":50,"current":{"temperature_2m":50}})"),
                                "temperature_2m_extra", "50");
    EXPECT_EQ(Line(Answer(decoys, With(ExampleDaily(), "current", Object(ExampleNow())))), kExampleLine);
    EXPECT_EQ(Line(R"({"error":{"error":true,"reason":"x"},"reason":"y","current":)" + Object(ExampleNow()) +
                   R"(,"daily":)" + Object(ExampleDaily()) + "}"),
              kExampleLine);
    // Keys are compared once their escapes are decoded.
    EXPECT_EQ(Line(R"({"\u0063urrent":)" + Object(ExampleNow()) + R"(,"daily":)" + Object(ExampleDaily()) + "}"),
              kExampleLine);
}

TEST(OpenMeteoLine, LastOfTwinKeysWins) {
    // A second block replaces the first as a whole.
    const std::string twoBlocks = R"({"current":)" + Object(With(ExampleNow(), "temperature_2m", "30")) +
                                  R"(,"daily":{},"current":)" + Object(Without(ExampleNow(), "relative_humidity_2m")) +
                                  R"(,"daily":)" + Object(ExampleDaily()) + "}";
    EXPECT_EQ(Line(twoBlocks),
              ExampleWith(Cp1251(u8", снег, ветер ЮЗ 3 м/с, 746 мм рт. ст.").str(), kExampleTomorrow));
    EXPECT_EQ(Line(R"({"current":)" + Object(ExampleNow()) + R"(,"current":null})"), kNoData);
    Members now = With(ExampleNow(), "temperature_2m", "[1,2]");
    now.emplace_back("temperature_2m", "-2.6");
    EXPECT_EQ(Line(Answer(now, ExampleDaily())), kExampleLine);
    now.emplace_back("relative_humidity_2m", "null");
    EXPECT_EQ(Line(Answer(now, ExampleDaily())),
              ExampleWith(Cp1251(u8", снег, ветер ЮЗ 3 м/с, 746 мм рт. ст.").str(), kExampleTomorrow));
    Members daily = ExampleDaily();
    daily.emplace_back("weather_code", "[0,null]");
    EXPECT_EQ(Line(Answer(ExampleNow(), daily)), ExampleWith(kExampleNowTail, ""));
}

TEST(OpenMeteoLine, ErrorObjectShowsItsReason) {
    EXPECT_EQ(Line(R"({"error":true,"reason":"Parameter 'forecast_days' must be between 0 and 16"})"),
              "Open-Meteo: Parameter 'forecast_days' must be between 0 and 16");
    // Every byte outside printable ASCII, escaped or not, shows as "?".
    EXPECT_EQ(Line("{\"reason\":\"Latitude \xC2\xB0 \\u00b0\\u0000\\t\\n\\u007f~ \\ud83c\\udf27 \x7F\",\"error\":true}"),
              "Open-Meteo: Latitude ?? ??????~ ???? ?");
    // The reason wins over any weather in the same object.
    EXPECT_EQ(Line(R"({"current":)" + Object(ExampleNow()) + R"(,"reason":"Down","error":true})"), "Open-Meteo: Down");
    EXPECT_EQ(Line(R"({"error":true,"reason":""})"), "Open-Meteo: ");
}

TEST(OpenMeteoLine, ErrorReasonIsCutToTwoHundredCharacters) {
    const std::string reason(300, 'r');
    EXPECT_EQ(Line(R"({"error":true,"reason":")" + reason + "\"}"), "Open-Meteo: " + reason.substr(0, 200));
    EXPECT_EQ(Line(R"({"error":true,"reason":")" + std::string(300, '\xD0') + "\"}"),
              "Open-Meteo: " + std::string(200, '?'));
    std::string escaped;
    for (int i = 0; i < 299; ++i) escaped += "\\u0041";
    EXPECT_EQ(Line(R"({"error":true,"reason":")" + escaped + "\"}"), "Open-Meteo: " + std::string(200, 'A'));
}

TEST(OpenMeteoLine, ErrorWithoutUsableReasonMeansNoData) {
    for (const std::string reason : {"", R"(,"reason":null)", R"(,"reason":5)", R"(,"reason":["x"])",
                                     R"(,"reason":{"text":"x"})"}) {
        EXPECT_EQ(Line(R"({"error":true)" + reason + "}"), kNoData) << reason;
        EXPECT_EQ(Line(R"({"error":true)" + reason + R"(,"current":)" + Object(ExampleNow()) + "}"), kNoData)
            << reason;
    }
    // An error's reason is read only when "error" is true, and the last says.
    EXPECT_EQ(Line(R"({"error":true,"reason":"x","reason":7})"), kNoData);
    EXPECT_EQ(Line(R"({"error":true,"reason":"x","error":false})"), kNoData);
    for (const std::string error : {"false", "\"true\"", "1", "null", "[true]"}) {
        EXPECT_EQ(Line(R"({"error":)" + error + R"(,"reason":"x"})"), kNoData) << error;
        EXPECT_EQ(Line(R"({"error":)" + error + R"(,"reason":"x","current":)" + Object(ExampleNow()) + "}"),
                  ExampleWith(kExampleNowTail, ""))
            << error;
    }
}

TEST(OpenMeteoLine, WhatIsNotOneJsonObjectMeansNoData) {
    const std::string answer = Answer();
    const std::vector<std::string> documents = {
        "", " ", "null", "true", "42", "\"text\"", "[]", "[" + answer + "]", "<html><body>502 Bad Gateway</body></html>",
        answer + "x", answer + answer, answer + ",", answer + std::string(1, '\0'), std::string(1, '\0') + answer,
        answer.substr(0, answer.size() - 1) + ",}",  // a trailing comma
        "/* note */" + answer, answer + "// note",
        R"({"current":)" + Object(With(ExampleNow(), "temperature_2m", "NaN")) + "}",
        R"({"current":)" + Object(With(ExampleNow(), "temperature_2m", "Infinity")) + "}",
        R"({"current":)" + Object(With(ExampleNow(), "temperature_2m", "-inf")) + "}",
        R"({"current":)" + Object(With(ExampleNow(), "temperature_2m", "+2")) + "}",
        R"({"current":)" + Object(With(ExampleNow(), "temperature_2m", "02")) + "}",
        R"({"current":)" + Object(With(ExampleNow(), "temperature_2m", "0x2")) + "}",
        // RapidJSON refuses a number beyond a double, wherever it stands.
        R"({"current":)" + Object(With(ExampleNow(), "temperature_2m", "1e400")) + "}",
        Answer(With(ExampleNow(), "elsewhere", "-1e400"), ExampleDaily()),
        Answer(With(ExampleNow(), "elsewhere", "1" + std::string(400, '0')), ExampleDaily()),
        "{'current':{'temperature_2m':1}}", "{current:{temperature_2m:1}}", "{\"current\":{\"temperature_2m\":1}",
        "\xEF\xBB\xBF" + answer,  // a byte order mark
    };
    for (const std::string& document : documents) {
        EXPECT_EQ(Line(document), kNoData) << ::testing::PrintToString(document);
    }
    EXPECT_EQ(Line(" \t\r\n" + answer + "\n\r\t "), kExampleLine);
}

TEST(OpenMeteoLine, EveryCutShortAnswerMeansNoData) {
    const std::string answer = Answer();
    for (std::size_t size = 0; size < answer.size(); ++size) {
        // An exact copy, so that the sanitizer sees any read past the cut.
        const std::vector<char> cut(answer.begin(), answer.begin() + static_cast<std::ptrdiff_t>(size));
        ASSERT_EQ(ExtractOpenMeteoLine(std::string_view(cut.data(), cut.size()), kTown), kNoData) << size;
    }
}

TEST(OpenMeteoLine, DeepNestingIsRefusedWithoutRecursion) {
    const std::size_t levels = 100000;
    EXPECT_EQ(Line(std::string(levels, '[') + std::string(levels, ']')), kNoData);
    EXPECT_EQ(Line(std::string(levels, '[')), kNoData);
    std::string objects;
    for (std::size_t i = 0; i < levels; ++i) objects += "{\"a\":";
    EXPECT_EQ(Line(objects + "1" + std::string(levels, '}')), kNoData);
    EXPECT_EQ(Line(Answer(With(ExampleNow(), "deep", std::string(levels, '[') + std::string(levels, ']')),
                          ExampleDaily())),
              kNoData);
    // Nesting that stays within the reader's limit is passed over.
    EXPECT_EQ(Line(Answer(With(ExampleNow(), "deep", std::string(60, '[') + std::string(60, ']')), ExampleDaily())),
              kExampleLine);
}

TEST(OpenMeteoLine, LargeAnswerIsReadInFixedMemory) {
    // Megabytes of numbers and strings in a member nobody reads: the reading
    // keeps nothing of them.
    std::string numbers = "[";
    while (numbers.size() < (std::size_t{4} << 20)) numbers += "12345.678,-9e-5,0,\"text\",";
    numbers += "1]";
    EXPECT_EQ(Line(Answer(With(ExampleNow(), "hourly", numbers), ExampleDaily())), kExampleLine);
}

}  // namespace
}  // namespace ow
