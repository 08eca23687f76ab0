#include "prefs/core/rle8.h"

#include <algorithm>

namespace ow {

namespace {

// Second byte after a zero count.
constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfPicture = 1;
constexpr std::uint8_t kDelta = 2;

class Cursor {
public:
    Cursor(int width, int height, std::size_t stride, std::span<std::uint8_t> pixels)
        : width_(width), height_(height), stride_(stride), pixels_(pixels) {}

    void Put(std::uint8_t index) {
        if (x_ < width_ && y_ < height_) pixels_[static_cast<std::size_t>(y_) * stride_ + static_cast<std::size_t>(x_)] = index;
        if (x_ < width_) ++x_;
    }
    void NextLine() {
        x_ = 0;
        if (y_ < height_) ++y_;
    }
    void Move(int dx, int dy) {
        x_ = std::min(width_, x_ + dx);
        y_ = std::min(height_, y_ + dy);
    }

private:
    int width_, height_;
    std::size_t stride_;
    std::span<std::uint8_t> pixels_;
    int x_ = 0, y_ = 0;
};

}  // namespace

Rle8Result DecodeRle8(std::span<const std::uint8_t> data, int width, int height, std::size_t stride,
                      std::span<std::uint8_t> pixels) {
    if (width <= 0 || height <= 0 || static_cast<std::size_t>(width) > stride ||
        pixels.size() / stride < static_cast<std::size_t>(height)) {
        return Rle8Result::Truncated;
    }
    Cursor cursor(width, height, stride, pixels);
    std::size_t at = 0;
    while (data.size() - at >= 2) {
        const std::uint8_t count = data[at];
        const std::uint8_t value = data[at + 1];
        at += 2;
        if (count != 0) {  // a run of one colour
            for (int i = 0; i < count; ++i) cursor.Put(value);
            continue;
        }
        switch (value) {
            case kEndOfLine:
                cursor.NextLine();
                break;
            case kEndOfPicture:
                return Rle8Result::Complete;
            case kDelta:
                if (data.size() - at < 2) return Rle8Result::Truncated;
                cursor.Move(data[at], data[at + 1]);
                at += 2;
                break;
            default: {  // `value` literal pixels, padded to an even count
                const std::size_t padded = (value + 1u) & ~1u;
                if (data.size() - at < value) return Rle8Result::Truncated;
                for (std::size_t i = 0; i < value; ++i) cursor.Put(data[at + i]);
                at += std::min(padded, data.size() - at);
                break;
            }
        }
    }
    return Rle8Result::Truncated;
}

}  // namespace ow
