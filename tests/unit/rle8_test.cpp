// Run-length encoded picture rows: the encoder's three forms, the escape
// codes, and data that tries to write outside the picture or stops short.
#include "prefs/core/rle8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace ow {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Picture {
    int width, height;
    std::size_t stride;
    Bytes pixels;
    Picture(int w, int h, std::size_t s) : width(w), height(h), stride(s), pixels(s * h, 0xEE) {}
    Rle8Result Decode(const Bytes& data) { return DecodeRle8(data, width, height, stride, pixels); }
    std::uint8_t at(int x, int y) const { return pixels[y * stride + x]; }
};

TEST(Rle8, RunsAbsoluteStretchesAndLineEnds) {
    Picture p(5, 2, 8);
    // Row 0: three 7s, then absolute 1 2 (as two single runs); row 1: absolute 4 5 6 padded.
    const Bytes data = {3, 7, 1, 1, 1, 2, 0, 0, 0, 3, 4, 5, 6, 0, 0, 0, 0, 1};
    EXPECT_EQ(p.Decode(data), Rle8Result::Complete);
    EXPECT_EQ(Bytes(p.pixels.begin(), p.pixels.begin() + 5), (Bytes{7, 7, 7, 1, 2}));
    EXPECT_EQ(Bytes(p.pixels.begin() + 8, p.pixels.begin() + 11), (Bytes{4, 5, 6}));
    EXPECT_EQ(p.at(3, 1), 0xEE) << "pixels not named keep their value";
    EXPECT_EQ(p.pixels[5], 0xEE) << "row padding untouched";
}

TEST(Rle8, DeltaMovesRightAndDown) {
    Picture p(4, 3, 4);
    EXPECT_EQ(p.Decode({0, 2, 2, 1, 1, 9, 0, 1}), Rle8Result::Complete);
    EXPECT_EQ(p.at(2, 1), 9);
    EXPECT_EQ(std::count(p.pixels.begin(), p.pixels.end(), 9), 1);
}

TEST(Rle8, NothingIsWrittenOutsideThePicture) {
    Picture p(3, 2, 4);
    const Bytes data = {
        255, 1,           // a run far past the row's end is cut at the row
        0, 0, 0, 5, 2, 2, 2, 2, 2, 0,  // so is an absolute stretch
        0, 0, 200, 3,     // past the last row: dropped
        0, 2, 255, 255,   // a delta far outside the picture
        9, 4, 0, 1};
    EXPECT_EQ(p.Decode(data), Rle8Result::Complete);
    EXPECT_EQ(p.pixels, (Bytes{1, 1, 1, 0xEE, 2, 2, 2, 0xEE}));
}

TEST(Rle8, DataEndingEarlyKeepsWhatWasDecoded) {
    const std::vector<Bytes> cut = {
        {}, {4}, {2, 3}, {2, 3, 0}, {0, 2, 1}, {0, 4, 1, 2}, {2, 3, 0, 0},
    };
    for (const Bytes& data : cut) {
        Picture p(4, 2, 4);
        EXPECT_EQ(p.Decode(data), Rle8Result::Truncated) << data.size();
    }
    Picture p(4, 2, 4);
    p.Decode({0, 5, 1, 2, 3});
    EXPECT_EQ(p.at(0, 0), 0xEE) << "a stretch missing its pixels is not drawn";
}

TEST(Rle8, NonsenseSizesAreRefused) {
    Bytes pixels(16, 0);
    const Bytes data = {2, 1, 0, 1};
    EXPECT_EQ(DecodeRle8(data, 5, 2, 4, pixels), Rle8Result::Truncated) << "width beyond stride";
    EXPECT_EQ(DecodeRle8(data, 4, 5, 4, pixels), Rle8Result::Truncated) << "too few rows of pixels";
    EXPECT_EQ(DecodeRle8(data, 0, 2, 4, pixels), Rle8Result::Truncated);
    EXPECT_EQ(DecodeRle8(data, 4, 2, 0, pixels), Rle8Result::Truncated);
    EXPECT_EQ(pixels, Bytes(16, 0));
}

// The shipped About picture decodes completely and fills every pixel.
TEST(Rle8, ShippedAboutPictureDecodesWhole) {
    std::ifstream in(OW_RESOURCE_DIR "/about.bmp", std::ios::binary);
    const Bytes file{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GT(file.size(), 54u + 1024u);
    const std::uint32_t offset = file[10] | file[11] << 8 | file[12] << 16;
    ASSERT_EQ(file[30], 1) << "BI_RLE8";
    Picture p(308, 163, 308);
    ASSERT_EQ(p.Decode(Bytes(file.begin() + offset, file.end())), Rle8Result::Complete);
    EXPECT_EQ(std::count(p.pixels.begin(), p.pixels.end(), 0xEE), 0);
}

}  // namespace
}  // namespace ow
