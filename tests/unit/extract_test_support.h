#pragma once
// Shared by the extraction tests: cases of a document and its expected line,
// checked against both the shipped and the literal extraction.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "literal_extract.h"
#include "weather/core/extract_weather_line.h"

namespace ow::extract_test {

struct LineCase {
    const char* name;
    std::string document;
    std::string expected;
};

inline void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

inline std::string CaseName(const ::testing::TestParamInfo<LineCase>& info) {
    return info.param.name;
}

inline ::testing::AssertionResult GivesLine(const std::string& document, int source,
                                            const std::string& expected) {
    const std::string shipped = ExtractWeatherLine(document, source);
    const std::string literal = literal::ExtractWeatherLine(document, source);
    if (shipped == expected && literal == expected) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "source " << source << "\n document: "
                                         << ::testing::PrintToString(document)
                                         << "\n expected: " << ::testing::PrintToString(expected)
                                         << "\n shipped:  " << ::testing::PrintToString(shipped)
                                         << "\n literal:  " << ::testing::PrintToString(literal);
}

// The shipped extraction gives what the literal one gives.
inline ::testing::AssertionResult SameAsLiteral(const std::string& document, int source) {
    return GivesLine(document, source, literal::ExtractWeatherLine(document, source));
}

}  // namespace ow::extract_test
