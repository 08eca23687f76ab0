// Whole documents shaped the way the two services send them, kept under
// tests/data/documents (the informer scripts in code page 1251).
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "common/cp1251.h"
#include "extract_test_support.h"

namespace ow {
namespace {

std::string ReadDocument(const std::string& name) {
    std::ifstream file(std::string(OW_TEST_DATA_DIR) + "/documents/" + name, std::ios::binary);
    EXPECT_TRUE(file) << name;
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct DocumentCase {
    const char* file;
    int source;
    std::string expected;
};

void PrintTo(const DocumentCase& c, std::ostream* os) { *os << c.file; }

class DocumentTest : public ::testing::TestWithParam<DocumentCase> {};

TEST_P(DocumentTest, GivesExpectedLine) {
    const auto& c = GetParam();
    const std::string document = ReadDocument(c.file);
    ASSERT_FALSE(document.empty());
    EXPECT_TRUE(extract_test::GivesLine(document, c.source, c.expected));
}

// Cuts, repeats and swaps pieces of a real document, so that markers go
// missing, come twice or stand in the wrong order; the shipped extraction
// must still give what the literal one gives.
TEST_P(DocumentTest, DamagedCopiesGiveLiteralLines) {
    const auto& c = GetParam();
    const std::string document = ReadDocument(c.file);
    std::mt19937 random(static_cast<std::mt19937::result_type>(document.size()));
    for (int i = 0; i < 1000; ++i) {
        std::string damaged = document;
        for (std::uint32_t edits = 1 + random() % 4; edits > 0 && !damaged.empty(); --edits) {
            const std::size_t at = random() % damaged.size();
            const std::size_t length = 1 + random() % 24;
            const std::string piece = damaged.substr(random() % damaged.size(), length);
            switch (random() % 3) {
                case 0: damaged.erase(at, length); break;
                case 1: damaged.insert(at, piece); break;
                default: damaged.replace(at, length, piece); break;
            }
        }
        ASSERT_TRUE(extract_test::SameAsLiteral(damaged, c.source));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Documents, DocumentTest,
    ::testing::Values(
        DocumentCase{"gismeteo_moscow.js", kGismeteoSource,
                     Cp1251(u8"Москва. 08.12, вт,  ночь: -3..-5°C,  облачно, снег. "
                            u8"08.12, вт,  день: -1..+1°C,  пасмурно, небольшой снег. "
                            u8"09.12, ср,  утро: -4..-6°C,  ясно.  ")
                         .str()},
        // Only the first of two document.write calls counts; its line feed and
        // carriage return pair goes, the carriage return and line feed stay.
        DocumentCase{"gismeteo_spb.js", kGismeteoSource,
                     Cp1251(u8"Санкт-Петербург. &nbsp;сегодня,  +2..+4°, ветер З 5 м/с. "
                            u8"\r\nзавтра,  0..+2°, дождь. давление 758 мм. ")
                         .str()},
        DocumentCase{"gismeteo_novosibirsk.js", kGismeteoSource,
                     Cp1251(u8"Новосибирск.  Ночь -18..-20, , Утро -21..-23, , "
                            u8"День -15..-17, , Вечер -16..-18.   ")
                         .str()},
        DocumentCase{"wunderground_boston.xml", kWundergroundSource,
                     "Tue, 08 Dec 2026 13:54:00 GMT. Boston, MA. Temperature: 41.0\xB0"
                     "F / 5.0\xB0"
                     "C | Humidity: 76% | Pressure: 30.12in / 1020hPa (Rising) | "
                     "Conditions: Overcast | Wind Direction: NE | Wind Speed: 9.0mph / 14.5km/h"},
        // "Light" and "Rain" stand on two lines in the feed.
        DocumentCase{"wunderground_london.xml", kWundergroundSource,
                     "Tue, 08 Dec 2026 09:20:00 GMT. London, United Kingdom. Temperature: "
                     "48\xB0"
                     "F / 9\xB0"
                     "C | Humidity: 87% | Pressure: 29.74in / 1007hPa | Conditions: "
                     "LightRain | Wind Direction: SW | Wind Speed: 16mph / 26km/h"},
        // The channel's own date comes first, so it is the one shown.
        DocumentCase{"wunderground_denver.xml", kWundergroundSource,
                     "Tue, 08 Dec 2026 16:10:00 GMT. Denver, CO. Temperature: 28.4\xB0"
                     "F / -2.0\xB0"
                     "C | Humidity: 45% | Conditions: Clear | Wind Speed: Calm"}),
    [](const auto& info) {
        std::string name = info.param.file;
        for (char& ch : name) {
            if (ch == '.') ch = '_';
        }
        return name;
    });

TEST(ExtractWeatherLine, RealDocumentsGiveEmptyLineForOtherSource) {
    for (const char* file : {"gismeteo_moscow.js", "wunderground_boston.xml"}) {
        EXPECT_EQ(ExtractWeatherLine(ReadDocument(file), static_cast<int>(TheWeatherSources().size())), "") << file;
    }
}

}  // namespace
}  // namespace ow
