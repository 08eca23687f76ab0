// The shipped single-pass extraction against the literal step-by-step one, on
// generated documents dense with markers, halves of markers and the bytes the
// steps remove, so that removals and replacements join text into new markers.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "extract_test_support.h"

namespace ow {
namespace {

const std::vector<std::string>& Fragments() {
    static const std::vector<std::string> fragments = {
        // Gismeteo script, line breaks and closing tags, whole and split.
        "document.write(\"", "ite(\"", "ite(", "\");", "\"", ")", ";", "\n", "\r", "\n\r",
        "\r\n", "</b></font>", "</b>", "</font>", "</b", "></font>", "</", "/b>", "font>",
        "<font color=red>", "<b>", "<", ">", "<<", ">>", "GISMETEO.RU", "GISMETEO.RU.",
        "GISMETEO.R", "U.", "GISMETEO", ".RU.", "G", ".", ", ", " ", "+5..+7",
        "\xCC\xEE\xF1\xEA\xE2\xE0",
        // Weather Underground feed markers, whole and split.
        "<title>", "</title>", "Weather Underground -", "Weather Underground - Town",
        "Weather Under", "ground -", "<pubDate>", "</pubDate>", "<pub", "Date>", "</pub",
        "<description>", "</description>", "<desc", "ription>", "| Updated", "| Upd", "ated",
        "\t", "&#176;", "&#1", "76;", "&", "#176;", "&&#176;", "Tue, 08 Dec 2026 09:00:00 GMT",
        // Bytes trimming and comparing care about.
        std::string(1, '\0'), "\x1F", "\x20", "\x21", "\xB0", "\xFF", "a", "Z"};
    return fragments;
}

// A document of random fragments and bytes; mt19937 is the same everywhere,
// and only its raw output is used, so the cases are the same on every build.
std::string RandomDocument(std::mt19937& random) {
    const auto& fragments = Fragments();
    const std::uint32_t count = random() % 48;
    std::string document;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (random() % 10 == 0) {
            document += static_cast<char>(random() % 256);
        } else {
            document += fragments[random() % fragments.size()];
        }
    }
    return document;
}

TEST(ExtractDifferential, GeneratedDocumentsGiveLiteralLines) {
    std::mt19937 random(20261208);
    for (int i = 0; i < 30000; ++i) {
        const std::string document = RandomDocument(random);
        // Bodies of both sources are tried with both indices.
        for (const int source : {kGismeteoSource, kWundergroundSource}) {
            ASSERT_TRUE(extract_test::SameAsLiteral(document, source)) << "case " << i;
        }
    }
}

TEST(ExtractDifferential, GeneratedScriptsGiveLiteralLines) {
    // The opening and closing markers around the fragments, so most of the
    // payload reaches the closing-tag, signature and tag steps.
    std::mt19937 random(176);
    for (int i = 0; i < 30000; ++i) {
        const std::string document = "document.write(\"" + RandomDocument(random) + "\");";
        ASSERT_TRUE(extract_test::SameAsLiteral(document, kGismeteoSource)) << "case " << i;
    }
}

}  // namespace
}  // namespace ow
