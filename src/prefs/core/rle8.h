#pragma once
// Run-length encoded 8-bit bitmap rows, as BMP files store them
// (compression BI_RLE8). The About picture ships in this form: its flat sky
// packs to a quarter of the plain rows.
#include <cstddef>
#include <cstdint>
#include <span>

namespace ow {

enum class Rle8Result {
    Complete,   // the end-of-picture mark was reached
    Truncated,  // the data ended first; the rest stays as it was
};

// Decodes `data` into `pixels`: `height` rows of `stride` bytes, in the
// file's order (the first row decoded is pixels[0..width)). Never writes
// outside `pixels` or past `width` in a row: runs that would are cut short,
// as the system's own drawing does. Returns Truncated if the size is not
// sensible (width beyond stride, too few pixel bytes).
Rle8Result DecodeRle8(std::span<const std::uint8_t> data, int width, int height, std::size_t stride,
                      std::span<std::uint8_t> pixels);

}  // namespace ow
