// The building blocks the painters share: the off-screen buffer and the four-corner gradient.
#pragma once

#include "skin/skin_colours.h"

#include <windows.h>

// The off-screen buffer of one paint, kept on the painter's stack. The painter sets hwnd,
// copyPixels and savedBitmap (NULL) before BeginOffscreenPaint; copyPixels again before
// EndOffscreenPaint.
struct OffscreenPaint {
    HWND hwnd;           // the control
    HDC windowDC;        // its window DC
    HDC memDC;           // the memory DC the painter draws into
    int copyPixels;      // begin: 1 copies the window into the buffer; end: 1 copies it back
    HBITMAP savedBitmap; // the bitmap the buffer displaced from memDC
};

// The size of a window rectangle, as GetWindowRect gives it; false when the window is gone.
bool GetWindowSize(HWND hwnd, int* width, int* height);

// Makes a memory DC holding a bitmap of the control's window size, with transparent text
// background. Answers the memory DC, or NULL when the window has no area or the DC or the
// bitmap cannot be made; then nothing is held and the record's handles are NULL.
HDC BeginOffscreenPaint(OffscreenPaint* paint);

// Copies the buffer onto the window when copyPixels is 1, then releases the buffer and the
// window DC. Answers whether the copy was asked for and made.
BOOL EndOffscreenPaint(OffscreenPaint* paint);

// Fills r with a gradient between its four corner colours: one vertical rectangle gradient when
// the top entries are equal and the bottom entries are equal, else two triangles split along the
// top-right to bottom-left diagonal.
void FillQuadGradient(HDC dc, const RECT* r, const GradientQuad* quad);

// Runs one off-screen paint: begins it on construction and ends it when the scope ends, so the
// buffer and the window DC are released on every way out of a painter. The image reaches the
// window only if the painter set copyPixels to 1 before leaving.
class OffscreenScope {
public:
    OffscreenScope(HWND hwnd, int copyPixels);
    ~OffscreenScope() { EndOffscreenPaint(&m_paint); }
    OffscreenScope(const OffscreenScope&) = delete;
    OffscreenScope& operator=(const OffscreenScope&) = delete;

    // The memory DC, or NULL when the buffer could not be made.
    HDC Dc() const { return m_dc; }
    // Asks for the finished image to be copied onto the window at the end.
    void Commit() { m_paint.copyPixels = 1; }

private:
    OffscreenPaint m_paint;
    HDC m_dc;
};
