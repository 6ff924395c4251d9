// Shared pieces of the painter tests: a visible host window with real controls, and the
// window image read back from the control's window DC.
#pragma once

#include "skin/skin_types.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

// The whole window image of a control, as the screen shows it.
struct WindowImage {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

// Whether the two images are alike; when not, the message names the first pixel that differs
// and its colour in each.
testing::AssertionResult SameImage(const WindowImage& actual, const WindowImage& expected);

// Reads the control's window rectangle back from its window DC.
WindowImage Capture(HWND hwnd);

// A visible top-level window at a fixed place on the screen, parent of the controls of a test.
// The controls are destroyed with it.
class HostWindow {
public:
    HostWindow();
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND Handle() const { return m_hwnd; }
    // Creates a visible control of class className with its window rectangle w x h, and lets
    // its own painting settle.
    HWND Add(const char* className, DWORD style, DWORD exStyle, const char* text, int w, int h);

private:
    HWND m_hwnd;
    int m_nextY = 4;
};

// Lets a control finish its own painting (Wine paints buttons on WM_PAINT too).
void Settle(HWND hwnd);

// Calls painter on a node filled in by hand for hwnd with state.
using Painter = void (*)(SkinnedControl*);
void PaintAs(Painter painter, HWND hwnd, SkinState state);

// A font that draws without anti-aliasing, so every text pixel has exactly the text colour.
HFONT CrispFont(int height);

// Channel distance of two colours: the largest difference of red, green and blue.
int ColourDistance(COLORREF a, COLORREF b);

// The colour a four-corner gradient over (left, top, right, bottom) has at pixel (x, y): the
// upper-left triangle interpolates the top-left, top-right and bottom-left colours, the
// lower-right one the bottom-right, top-right and bottom-left colours.
COLORREF GradientAt(const COLORREF quad[4], const RECT& r, int x, int y);

// Bounding box of the pixels of exactly colour inside area; empty (all 0) when there is none.
RECT InkBox(const WindowImage& image, const RECT& area, COLORREF colour);

std::string Hex(COLORREF colour);

// While alive, the button face has the given colour; the old colour comes back at the end.
class ScopedFaceColour {
public:
    explicit ScopedFaceColour(COLORREF face);
    ~ScopedFaceColour();
    ScopedFaceColour(const ScopedFaceColour&) = delete;
    ScopedFaceColour& operator=(const ScopedFaceColour&) = delete;

private:
    COLORREF m_saved;
};

// The face colour darkened by step, the whole COLORREF minus the step.
COLORREF FaceLess(DWORD step);

// Where a one-pixel ring around r lies: true for the pixels of its four sides.
bool OnRing(const RECT& r, int x, int y);

// Draws text with font (NULL: the DC's default font) onto a white w x h bitmap, centred in area
// as its extent says, and answers the bounding box of the black pixels.
RECT CentredInk(HFONT font, const char* text, int w, int h, const RECT& area);
