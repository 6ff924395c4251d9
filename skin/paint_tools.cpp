#include "skin/paint_tools.h"

namespace {

TRIVERTEX Vertex(LONG x, LONG y, COLORREF colour) {
    TRIVERTEX vertex;
    vertex.x = x;
    vertex.y = y;
    vertex.Red = static_cast<COLOR16>(GetRValue(colour) << 8);
    vertex.Green = static_cast<COLOR16>(GetGValue(colour) << 8);
    vertex.Blue = static_cast<COLOR16>(GetBValue(colour) << 8);
    vertex.Alpha = static_cast<COLOR16>(((colour >> 24) & 0xFF) << 8);
    return vertex;
}

} // namespace

HBITMAP(WINAPI* CreateOffscreenBitmap)(HDC, int, int) = &::CreateCompatibleBitmap;

bool GetWindowSize(HWND hwnd, int* width, int* height) {
    RECT rect;
    if (!::GetWindowRect(hwnd, &rect)) {
        return false;
    }
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return true;
}

HDC BeginOffscreenPaint(OffscreenPaint* paint) {
    paint->windowDC = nullptr;
    paint->memDC = nullptr;
    paint->savedBitmap = nullptr;
    paint->width = 0;
    paint->height = 0;
    // A window that is gone or has no area has nothing to paint; GetWindowDC(NULL) would even
    // answer the screen.
    int width = 0;
    int height = 0;
    if (!GetWindowSize(paint->hwnd, &width, &height) || width <= 0 || height <= 0) {
        return nullptr;
    }
    paint->windowDC = ::GetWindowDC(paint->hwnd);
    if (paint->windowDC == nullptr) {
        return nullptr;
    }
    paint->width = width;
    paint->height = height;
    HDC memDC = ::CreateCompatibleDC(paint->windowDC);
    HBITMAP buffer =
        memDC != nullptr ? CreateOffscreenBitmap(paint->windowDC, width, height) : nullptr;
    HGDIOBJ displaced = buffer != nullptr ? ::SelectObject(memDC, buffer) : nullptr;
    if (displaced == nullptr || displaced == HGDI_ERROR) {
        // No buffer: give back what was made and draw straight onto the window.
        if (buffer != nullptr) {
            ::DeleteObject(buffer);
        }
        if (memDC != nullptr) {
            ::DeleteDC(memDC);
        }
        ::SetBkMode(paint->windowDC, TRANSPARENT);
        return paint->windowDC;
    }
    paint->memDC = memDC;
    paint->savedBitmap = static_cast<HBITMAP>(displaced);
    ::SetBkMode(memDC, TRANSPARENT);
    if (paint->seedFromWindow) {
        ::BitBlt(memDC, 0, 0, width, height, paint->windowDC, 0, 0, SRCCOPY);
    }
    return memDC;
}

void CommitOffscreenPaint(const OffscreenPaint* paint) {
    if (paint->memDC != nullptr) {
        ::BitBlt(paint->windowDC, 0, 0, paint->width, paint->height, paint->memDC, 0, 0, SRCCOPY);
    }
}

void EndOffscreenPaint(OffscreenPaint* paint) {
    if (paint->savedBitmap != nullptr) {
        ::DeleteObject(::SelectObject(paint->memDC, paint->savedBitmap));
        paint->savedBitmap = nullptr;
    }
    if (paint->memDC != nullptr) {
        ::DeleteDC(paint->memDC);
        paint->memDC = nullptr;
    }
    if (paint->windowDC != nullptr) {
        ::ReleaseDC(paint->hwnd, paint->windowDC);
        paint->windowDC = nullptr;
    }
}

void FillQuadGradient(HDC dc, const RECT* r, const GradientQuad* quad) {
    TRIVERTEX vertices[4] = {
        Vertex(r->left, r->top, quad->topLeft),
        Vertex(r->right, r->top, quad->topRight),
        Vertex(r->left, r->bottom, quad->bottomLeft),
        Vertex(r->right, r->bottom, quad->bottomRight),
    };
    if (quad->topLeft == quad->topRight && quad->bottomLeft == quad->bottomRight) {
        GRADIENT_RECT rect = {0, 3};
        ::GradientFill(dc, vertices, 4, &rect, 1, GRADIENT_FILL_RECT_V);
        return;
    }
    GRADIENT_TRIANGLE upperLeft = {0, 1, 2};
    ::GradientFill(dc, vertices, 4, &upperLeft, 1, GRADIENT_FILL_TRIANGLE);
    GRADIENT_TRIANGLE lowerRight = {3, 1, 2};
    ::GradientFill(dc, vertices, 4, &lowerRight, 1, GRADIENT_FILL_TRIANGLE);
}

OffscreenScope::OffscreenScope(HWND hwnd, OffscreenSeed seed)
    : m_paint{hwnd, seed == OffscreenSeed::FromWindow, nullptr, nullptr, nullptr, 0, 0},
      m_dc(BeginOffscreenPaint(&m_paint)) {}
