#include "prefs/win32/about_picture.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "prefs/core/rle8.h"
#include "prefs/win32/pref_font.h"

namespace ow {

namespace {

constexpr char kResourceName[] = "ABOUT";
constexpr int kMaxSide = 4096;  // far above the picture's 308 x 163; bounds the arithmetic
constexpr int kPaletteBits = 8;
constexpr int kPaletteSize = 1 << kPaletteBits;

struct CreditLine {
    int points;
    int left, top;
};
constexpr CreditLine kVersionLine = {9, 145, 31};
constexpr CreditLine kWebLine = {8, 112, 115};
constexpr CreditLine kEmailLine = {8, 112, 127};
constexpr CreditLine kDataLine = {8, 14, 150};

// BITMAPINFO with the whole palette, so it can be filled from the file.
struct PaletteBitmapInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[kPaletteSize];
};

std::uint32_t ReadU32(const std::uint8_t* p) {
    std::uint32_t v = 0;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// An 8-bit BMP file, plain or run-length encoded, read only within its size:
// the header, the palette and the pixel data must all lie inside it. `info`
// describes the plain rows the picture is unpacked into.
struct ParsedBitmap {
    PaletteBitmapInfo info = {};
    const std::uint8_t* data = nullptr;
    std::size_t dataBytes = 0;
    std::size_t stride = 0;  // bytes per plain row
    bool encoded = false;
};

bool ParseBmp(const std::uint8_t* file, std::size_t size, ParsedBitmap& out) {
    constexpr std::size_t kFileHeader = sizeof(BITMAPFILEHEADER);
    if (size < kFileHeader + sizeof(BITMAPINFOHEADER) || file[0] != 'B' || file[1] != 'M') return false;
    const std::uint32_t pixelOffset = ReadU32(file + 10);
    const std::uint32_t headerSize = ReadU32(file + kFileHeader);
    if (headerSize < sizeof(BITMAPINFOHEADER) || headerSize > size - kFileHeader) return false;
    BITMAPINFOHEADER header;
    std::memcpy(&header, file + kFileHeader, sizeof header);
    const long width = header.biWidth;
    const long height = header.biHeight < 0 ? -static_cast<long>(header.biHeight) : header.biHeight;
    if (width <= 0 || width > kMaxSide || height <= 0 || height > kMaxSide || header.biPlanes != 1 ||
        header.biBitCount != kPaletteBits || (header.biCompression != BI_RGB && header.biCompression != BI_RLE8)) {
        return false;
    }
    const std::uint32_t colours = header.biClrUsed == 0 ? kPaletteSize : header.biClrUsed;
    if (colours > kPaletteSize) return false;
    const std::size_t paletteStart = kFileHeader + headerSize;
    const std::size_t paletteBytes = colours * sizeof(RGBQUAD);
    if (paletteBytes > size - paletteStart) return false;
    const std::size_t stride = (static_cast<std::size_t>(width) + 3) & ~std::size_t{3};
    const std::size_t pixelBytes = stride * static_cast<std::size_t>(height);
    out.encoded = header.biCompression == BI_RLE8;
    const std::size_t dataBytes = out.encoded ? header.biSizeImage : pixelBytes;
    if (pixelOffset > size || dataBytes > size - pixelOffset) return false;

    out.info.header = header;
    out.info.header.biSize = sizeof(BITMAPINFOHEADER);
    out.info.header.biCompression = BI_RGB;
    out.info.header.biClrUsed = colours;
    out.info.header.biSizeImage = static_cast<DWORD>(pixelBytes);
    std::memcpy(out.info.colours, file + paletteStart, paletteBytes);
    out.data = file + pixelOffset;
    out.dataBytes = dataBytes;
    out.stride = stride;
    return true;
}

}  // namespace

bool AboutPicture::Load(HINSTANCE module) {
    bitmap_.reset();
    width_ = height_ = 0;
    HRSRC found = FindResourceA(module, kResourceName, MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (found == nullptr) return false;
    HGLOBAL loaded = LoadResource(module, found);
    const auto* bytes = loaded != nullptr ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
    const DWORD size = SizeofResource(module, found);
    ParsedBitmap parsed;
    if (bytes == nullptr || !ParseBmp(bytes, size, parsed)) return false;

    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&parsed.info), DIB_RGB_COLORS,
                                      &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) {
        if (bitmap != nullptr) DeleteObject(bitmap);
        return false;
    }
    const BITMAPINFOHEADER& plain = parsed.info.header;
    width_ = static_cast<int>(plain.biWidth);
    height_ = static_cast<int>(plain.biHeight < 0 ? -plain.biHeight : plain.biHeight);
    auto* pixels = static_cast<std::uint8_t*>(bits);
    if (parsed.encoded) {
        // A damaged resource still shows whatever part of it decodes.
        std::memset(pixels, 0, plain.biSizeImage);
        DecodeRle8({parsed.data, parsed.dataBytes}, width_, height_, parsed.stride, {pixels, plain.biSizeImage});
    } else {
        std::memcpy(pixels, parsed.data, parsed.dataBytes);
    }
    bitmap_.reset(bitmap);
    return true;
}

void AboutPicture::DrawTexts(std::string_view version) {
    if (!bitmap_) return;
    const std::string versionText(version);
    const std::string web = "[" + std::string(kAuthorWebAddress) + "]";
    const std::string email = "[email: " + std::string(kAuthorEmail) + "]";
    const std::string data = "[" + std::string(kWeatherDataCredit) + "]";
    struct {
        const CreditLine& line;
        const std::string& text;
    } const texts[] = {{kVersionLine, versionText}, {kWebLine, web}, {kEmailLine, email}, {kDataLine, data}};

    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) return;
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    for (const auto& [line, text] : texts) {
        UniqueGdiObject font = CreateFormFont(line.points, true);
        HGDIOBJ oldFont = SelectObject(dc, font.get());
        TextOutA(dc, line.left, line.top, text.data(), static_cast<int>(text.size()));
        SelectObject(dc, oldFont);
    }
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
}

void AboutPicture::PaintOn(HWND window) const {
    if (!bitmap_ || window == nullptr) return;
    HDC target = GetDC(window);
    if (target == nullptr) return;
    if (HDC source = CreateCompatibleDC(target)) {
        HGDIOBJ old = SelectObject(source, bitmap_.get());
        BitBlt(target, 0, 0, width_, height_, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }
    ReleaseDC(window, target);
}

}  // namespace ow
