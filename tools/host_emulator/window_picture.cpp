#include "window_picture.h"

#include <vector>

namespace host {

bool SaveWindowPicture(HWND window, const std::string& path) {
    RECT rc;
    if (!GetWindowRect(window, &rc)) return false;
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFOHEADER bih = {sizeof bih, w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const int stride = ((w * 3) + 3) & ~3;
    std::vector<char> pixels(static_cast<std::size_t>(stride) * h);
    GetDIBits(mem, bmp, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    BITMAPFILEHEADER bfh = {};
    bfh.bfType = 0x4D42;
    bfh.bfOffBits = sizeof bfh + sizeof bih;
    bfh.bfSize = bfh.bfOffBits + static_cast<DWORD>(pixels.size());
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(f, &bfh, sizeof bfh, &written, nullptr);
    WriteFile(f, &bih, sizeof bih, &written, nullptr);
    WriteFile(f, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
    CloseHandle(f);
    return true;
}

}  // namespace host
