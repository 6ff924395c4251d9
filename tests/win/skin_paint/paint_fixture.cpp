#include "paint_fixture.h"

#include "win/harness/harness.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

WindowImage Capture(HWND hwnd) {
    WindowImage image;
    RECT rect;
    ::GetWindowRect(hwnd, &rect);
    image.width = rect.right - rect.left;
    image.height = rect.bottom - rect.top;
    image.pixels.assign(static_cast<size_t>(image.width * image.height), 0);

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC windowDC = ::GetWindowDC(hwnd);
    HDC memDC = ::CreateCompatibleDC(windowDC);
    HBITMAP dib = ::CreateDIBSection(windowDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memDC, dib);
    ::BitBlt(memDC, 0, 0, image.width, image.height, windowDC, 0, 0, SRCCOPY);
    ::GdiFlush();
    const auto* source = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const DWORD p = source[i]; // 0x00RRGGBB
        image.pixels[i] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    ::SelectObject(memDC, old);
    ::DeleteObject(dib);
    ::DeleteDC(memDC);
    ::ReleaseDC(hwnd, windowDC);
    return image;
}

testing::AssertionResult SameImage(const WindowImage& actual, const WindowImage& expected) {
    if (actual.width != expected.width || actual.height != expected.height) {
        return testing::AssertionFailure()
               << "the image is " << actual.width << " x " << actual.height << ", not "
               << expected.width << " x " << expected.height;
    }
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            if (actual.At(x, y) != expected.At(x, y)) {
                return testing::AssertionFailure()
                       << "first difference at " << x << "," << y << ": " << Hex(actual.At(x, y))
                       << " instead of " << Hex(expected.At(x, y));
            }
        }
    }
    return testing::AssertionSuccess();
}

namespace {

const char kHostClass[] = "PresovolPaintHost";

void RegisterHostClass() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kHostClass;
    ::RegisterClassA(&wc); // a second registration fails harmlessly
}

} // namespace

HostWindow::HostWindow() {
    RegisterHostClass();
    m_hwnd =
        ::CreateWindowExA(0, kHostClass, "paint", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40,
                          720, 560, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    Settle(m_hwnd);
}

HostWindow::~HostWindow() {
    ::DestroyWindow(m_hwnd);
    PumpMessages();
}

HWND HostWindow::Add(const char* className, DWORD style, DWORD exStyle, const char* text, int w,
                     int h) {
    HWND control =
        ::CreateWindowExA(exStyle, className, text, style | WS_CHILD | WS_VISIBLE, 8, m_nextY, w, h,
                          m_hwnd, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    m_nextY += h + 4;
    if (m_nextY > 500) {
        m_nextY = 4;
    }
    Settle(control);
    return control;
}

void Settle(HWND hwnd) {
    ::UpdateWindow(hwnd);
    PumpMessages();
    ::UpdateWindow(hwnd);
}

void PaintAs(Painter painter, HWND hwnd, SkinState state) {
    SkinnedControl node = {};
    node.hwnd = hwnd;
    node.state = state;
    painter(&node);
}

HFONT CrispFont(int height) {
    return ::CreateFontA(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                         DEFAULT_PITCH, "Tahoma");
}

int ColourDistance(COLORREF a, COLORREF b) {
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

COLORREF GradientAt(const COLORREF quad[4], const RECT& r, int x, int y) {
    const double u = static_cast<double>(x - r.left) / (r.right - r.left);
    const double v = static_cast<double>(y - r.top) / (r.bottom - r.top);
    auto channel = [&](int shift) {
        const double tl = (quad[0] >> shift) & 0xFF;
        const double tr = (quad[1] >> shift) & 0xFF;
        const double bl = (quad[2] >> shift) & 0xFF;
        const double br = (quad[3] >> shift) & 0xFF;
        const double value = u + v <= 1.0 ? tl + (tr - tl) * u + (bl - tl) * v
                                          : br + (bl - br) * (1.0 - u) + (tr - br) * (1.0 - v);
        return static_cast<int>(value + 0.5);
    };
    return RGB(channel(0), channel(8), channel(16));
}

RECT InkBox(const WindowImage& image, const RECT& area, COLORREF colour) {
    RECT box = {0, 0, 0, 0};
    bool found = false;
    for (int y = std::max(0L, area.top); y < std::min<LONG>(image.height, area.bottom); ++y) {
        for (int x = std::max(0L, area.left); x < std::min<LONG>(image.width, area.right); ++x) {
            if (image.At(x, y) != colour) {
                continue;
            }
            if (!found) {
                box = {x, y, x + 1, y + 1};
                found = true;
            }
            box.left = std::min<LONG>(box.left, x);
            box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    }
    return box;
}

std::string Hex(COLORREF colour) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(colour));
    return text;
}

ScopedFaceColour::ScopedFaceColour(COLORREF face) : m_saved(::GetSysColor(COLOR_BTNFACE)) {
    const int index = COLOR_BTNFACE;
    ::SetSysColors(1, &index, &face);
    PumpMessages();
}

ScopedFaceColour::~ScopedFaceColour() {
    const int index = COLOR_BTNFACE;
    ::SetSysColors(1, &index, &m_saved);
    PumpMessages();
}

COLORREF FaceLess(DWORD step) {
    return (::GetSysColor(COLOR_BTNFACE) - step) & 0x00FFFFFF;
}

bool OnRing(const RECT& r, int x, int y) {
    const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    return inside && (x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1);
}

RECT CentredInk(HFONT font, const char* text, int w, int h, const RECT& area) {
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
    HGDIOBJ oldFont = font != nullptr ? ::SelectObject(dc, font) : nullptr;
    RECT all = {0, 0, w, h};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    SIZE extent;
    const int length = static_cast<int>(std::strlen(text));
    ::GetTextExtentPoint32A(dc, text, length, &extent);
    const int x = area.left + (area.right - area.left - extent.cx) / 2;
    const int y = area.top + (area.bottom - area.top - extent.cy) / 2;
    ::TextOutA(dc, x, y, text, length);

    WindowImage image;
    image.width = w;
    image.height = h;
    for (int row = 0; row < h; ++row) {
        for (int column = 0; column < w; ++column) {
            image.pixels.push_back(::GetPixel(dc, column, row));
        }
    }
    if (oldFont != nullptr) {
        ::SelectObject(dc, oldFont);
    }
    ::SelectObject(dc, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return InkBox(image, all, RGB(0, 0, 0));
}
