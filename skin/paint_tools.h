// The building blocks the painters share: the off-screen buffer and the four-corner gradient.
#pragma once

#include "skin/skin_colours.h"

#include <windows.h>

// The off-screen buffer of one paint, kept on the painter's stack. The painter sets hwnd and
// seedFromWindow before BeginOffscreenPaint; the rest is BeginOffscreenPaint's.
struct OffscreenPaint {
    HWND hwnd;           // the control
    bool seedFromWindow; // the buffer starts as a copy of the window's image
    HDC windowDC;        // its window DC
    HDC memDC;           // the buffer; NULL when the painter draws straight onto windowDC
    HBITMAP savedBitmap; // the bitmap the buffer displaced from memDC
    int width;           // the window rectangle's size
    int height;
};

// Makes the buffer's bitmap: CreateCompatibleBitmap, unless a test puts in one that fails.
extern HBITMAP(WINAPI* CreateOffscreenBitmap)(HDC dc, int width, int height);

// The size of a window rectangle, as GetWindowRect gives it; false when the window is gone.
bool GetWindowSize(HWND hwnd, int* width, int* height);

// Makes a memory DC holding a bitmap of the control's window size, with transparent text
// background, and answers it. When no buffer can be made, answers the window DC itself (with
// transparent text background), so the painter draws straight onto the window rather than
// leave it blank. Answers NULL, holding nothing, when the window has no area or no DC.
HDC BeginOffscreenPaint(OffscreenPaint* paint);

// Copies the buffer onto the window in one piece; nothing when the painter drew straight onto
// the window.
void CommitOffscreenPaint(const OffscreenPaint* paint);

// Releases the buffer and the window DC.
void EndOffscreenPaint(OffscreenPaint* paint);

// Fills r with a gradient between its four corner colours: one vertical rectangle gradient when
// the top entries are equal and the bottom entries are equal, else two triangles split along the
// top-right to bottom-left diagonal.
void FillQuadGradient(HDC dc, const RECT* r, const GradientQuad* quad);

// Where the buffer of an off-screen paint starts: undefined, for a painter that paints over
// all of it, or as a copy of the window, for one that draws over what the control painted.
enum class OffscreenSeed { None, FromWindow };

// Runs one off-screen paint: begins it on construction and ends it when the scope ends, so the
// buffer and the window DC are released on every way out of a painter. The image reaches the
// window only when the painter commits it.
class OffscreenScope {
public:
    OffscreenScope(HWND hwnd, OffscreenSeed seed);
    ~OffscreenScope() { EndOffscreenPaint(&m_paint); }
    OffscreenScope(const OffscreenScope&) = delete;
    OffscreenScope& operator=(const OffscreenScope&) = delete;

    // The DC to draw into, or NULL when there is nothing to paint.
    HDC Dc() const { return m_dc; }
    int Width() const { return m_paint.width; }
    int Height() const { return m_paint.height; }
    // Copies the finished image onto the window.
    void Commit() const { CommitOffscreenPaint(&m_paint); }

private:
    OffscreenPaint m_paint;
    HDC m_dc;
};
