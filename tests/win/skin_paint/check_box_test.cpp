// The check-box and radio-button painters on real Button windows: the box, its interior, the
// mark square, the tick, the text and its focus rectangle.
#include "expected_colours.h"
#include "paint_fixture.h"

#include "skin/painters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <utility>

namespace {

// The 21 pixels of the tick in the mark square whose top row is t.
std::set<std::pair<int, int>> TickPixels(int t) {
    const int starts[7] = {t + 2, t + 3, t + 4, t + 3, t + 2, t + 1, t};
    std::set<std::pair<int, int>> pixels;
    for (int k = 0; k < 7; ++k) {
        for (int dy = 0; dy < 3; ++dy) {
            pixels.insert({3 + k, starts[k] + dy});
        }
    }
    return pixels;
}

TEST(CheckBox, BoxIsThirteenPixelsAtTheLeftCentredVertically) {
    struct Case {
        int height;
        int top; // the division truncates toward zero
    };
    const Case cases[] = {{20, 3},  {17, 2},  {14, 0}, {13, 0}, {12, 0},
                          {11, -1}, {10, -1}, {9, -2}, {8, -2}};
    HostWindow host;
    for (const Case& c : cases) {
        SCOPED_TRACE("height " + std::to_string(c.height));
        HWND box = host.Add("Button", BS_AUTOCHECKBOX, 0, "", 60, c.height);
        for (SkinState state : {0u, kSkinDisabled}) {
            PaintAs(PaintCheckBox, box, state);
            const WindowImage image = Capture(box);
            const RECT frame = {0, c.top, 13, c.top + 13};
            const COLORREF border = state ? FaceLess(0x00202020) : kBoxBlue;
            for (int y = 0; y < c.height; ++y) {
                for (int x = 0; x < 60; ++x) {
                    const bool inBox = x < 13 && y >= c.top && y < c.top + 13;
                    if (OnRing(frame, x, y)) {
                        ASSERT_EQ(Hex(image.At(x, y)), Hex(border)) << x << "," << y;
                    } else if (!inBox) {
                        ASSERT_EQ(Hex(image.At(x, y)), Hex(::GetSysColor(COLOR_BTNFACE)))
                            << x << "," << y;
                    } else if (state == kSkinDisabled) {
                        ASSERT_EQ(Hex(image.At(x, y)), Hex(RGB(255, 255, 255))) << x << "," << y;
                    }
                }
            }
        }
    }
}

TEST(CheckBox, InteriorGradientFollowsPressedAndHot) {
    struct Case {
        SkinState state;
        int row;
    };
    const Case cases[] = {
        {0, 2},
        {kSkinFocused | kSkinChecked, 2},
        {kSkinHot | kSkinPressed, 0},
        {kSkinPressed | kSkinIndeterminate, 0},
        {kSkinHot, 1},
        {kSkinHot | kSkinChecked, 1},
    };
    HostWindow host;
    HWND box = host.Add("Button", BS_AUTOCHECKBOX, 0, "", 60, 21);
    const int t = 4; // the box's top in a window 21 pixels high
    const RECT interior = {1, t + 1, 12, t + 12};
    for (const Case& c : cases) {
        SCOPED_TRACE("state " + std::to_string(c.state));
        PaintAs(PaintCheckBox, box, c.state);
        const WindowImage image = Capture(box);
        for (int y = interior.top; y < interior.bottom; ++y) {
            for (int x = interior.left; x < interior.right; ++x) {
                const bool inMark = x >= 3 && x < 10 && y >= t + 3 && y < t + 10;
                if (inMark) {
                    continue;
                }
                const COLORREF expected = GradientAt(kBoxRows[c.row], interior, x, y);
                ASSERT_LE(ColourDistance(image.At(x, y), expected), 3)
                    << x << "," << y << " is " << Hex(image.At(x, y)) << ", expected "
                    << Hex(expected);
            }
        }
    }
}

TEST(CheckBox, MarkSquareAndTickColours) {
    struct Case {
        SkinState state;
        bool filled;     // the 7 x 7 square is filled with square
        COLORREF square; //
        int gradientRow; // otherwise the interior gradient shows through
    };
    const SkinState ind = kSkinIndeterminate;
    const Case cases[] = {
        {ind | kSkinDisabled | kSkinPressed | kSkinHot, true, RGB(206, 203, 189), 0},
        {ind | kSkinPressed | kSkinHot, true, RGB(24, 138, 24), 0},
        {ind | kSkinHot, true, RGB(33, 162, 33), 1},
        {ind, true, RGB(115, 195, 115), 2},
        {ind | kSkinChecked, true, RGB(115, 195, 115), 2},
        {kSkinHot | kSkinChecked, true, RGB(247, 247, 247), 1},
        {kSkinHot, true, RGB(231, 231, 231), 1},
        {kSkinHot | kSkinChecked | kSkinDisabled, true, RGB(247, 247, 247), 1},
        {kSkinHot | kSkinPressed, false, 0, 0},
        {kSkinHot | kSkinPressed | kSkinChecked, false, 0, 0},
        {kSkinChecked, false, 0, 2},
        {kSkinChecked | kSkinDisabled, false, RGB(255, 255, 255), -1},
        {0, false, 0, 2},
    };
    HostWindow host;
    // Window heights and the box's top in them.
    const struct { int height, top; } heights[] = {{21, 4}, {13, 0}, {9, -2}};
    for (const auto& [height, top] : heights) {
        HWND box = host.Add("Button", BS_AUTOCHECKBOX, 0, "", 60, height);
        const int t = top + 3;
        const RECT interior = {1, top + 1, 12, top + 12};
        const auto tick = TickPixels(t);
        for (const Case& c : cases) {
            SCOPED_TRACE("height " + std::to_string(height) + " state " + std::to_string(c.state));
            PaintAs(PaintCheckBox, box, c.state);
            const WindowImage image = Capture(box);
            const bool checked = (c.state & kSkinChecked) != 0;
            const COLORREF tickColour = (c.state & kSkinDisabled) ? kTickGrey : kTickGreen;
            for (int y = std::max(t, 0); y < t + 7; ++y) {
                for (int x = 3; x < 10; ++x) {
                    const COLORREF pixel = image.At(x, y);
                    if (checked && tick.count({x, y})) {
                        ASSERT_EQ(Hex(pixel), Hex(tickColour)) << "tick at " << x << "," << y;
                    } else if (c.filled) {
                        ASSERT_EQ(Hex(pixel), Hex(c.square)) << "square at " << x << "," << y;
                    } else if (c.gradientRow < 0) {
                        ASSERT_EQ(Hex(pixel), Hex(c.square)) << "white at " << x << "," << y;
                    } else {
                        const COLORREF expected =
                            GradientAt(kBoxRows[c.gradientRow], interior, x, y);
                        ASSERT_LE(ColourDistance(pixel, expected), 3)
                            << "gradient at " << x << "," << y << " is " << Hex(pixel);
                    }
                }
            }
        }
    }
}

// The text rectangle of a check box whose box has its top at top, showing text in font, as the
// painter lays it out: measured from (18, top + 1), one pixel taller than the measured height.
RECT TextRect(HFONT font, const char* text, int top) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font);
    RECT r = {18, top + 1, 10, top + 10};
    const int height = ::DrawTextA(dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
    r.bottom = r.top + height + 1;
    SIZE extent;
    ::GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &extent);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    EXPECT_EQ(r.right, 18 + extent.cx) << "the measured text starts at 18";
    return r;
}

TEST(CheckBox, TextStandsBesideTheBoxInTheButtonTextColours) {
    HostWindow host;
    HFONT font = CrispFont(12);
    const char text[] = "Hello";
    const int h = 21;
    HWND box = host.Add("Button", BS_AUTOCHECKBOX, 0, text, 100, h);
    ::SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const RECT layout = TextRect(font, text, 4);
    const RECT beside = {13, 0, 100, h};

    for (SkinState state : {0u, kSkinDisabled}) {
        SCOPED_TRACE("state " + std::to_string(state));
        PaintAs(PaintCheckBox, box, state);
        const COLORREF colour = ::GetSysColor(state ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
        const RECT ink = InkBox(Capture(box), beside, colour);
        ASSERT_GT(ink.right, ink.left) << "no text in " << Hex(colour);
        // The glyphs start at the left of the text rectangle and stay inside its width.
        EXPECT_GE(ink.left, 18);
        EXPECT_LE(ink.left, 19);
        EXPECT_LE(ink.right, layout.right);
    }
    ::DeleteObject(font);
}

TEST(CheckBox, FocusRectangleSurroundsTheTextOnly) {
    HostWindow host;
    HFONT font = CrispFont(12);
    // Window heights and the box's top in them: the ring starts level with the box.
    const struct { int h, top; } heights[] = {{21, 4}, {16, 1}};
    for (const auto& [h, boxTop] : heights) {
        const char text[] = "Focus me";
        SCOPED_TRACE("height " + std::to_string(h));
        HWND box = host.Add("Button", BS_AUTOCHECKBOX, 0, text, 120, h);
        ::SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        RECT ring = TextRect(font, text, boxTop);
        ::InflateRect(&ring, 1, 1);
        PaintAs(PaintCheckBox, box, kSkinChecked);
        const WindowImage plain = Capture(box);
        PaintAs(PaintCheckBox, box, kSkinChecked | kSkinFocused);
        const WindowImage focused = Capture(box);
        int changed = 0;
        int top = 0, left = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < 120; ++x) {
                if (plain.At(x, y) == focused.At(x, y)) {
                    continue;
                }
                ++changed;
                ASSERT_TRUE(OnRing(ring, x, y)) << "off the focus ring at " << x << "," << y;
                top += y == ring.top;
                left += x == ring.left;
            }
        }
        EXPECT_GE(top, (ring.right - ring.left) / 3);
        EXPECT_GT(left, 0);
        EXPECT_GT(changed, 0);
    }
    // Without text there is no focus rectangle at all.
    HWND empty = host.Add("Button", BS_AUTOCHECKBOX, 0, "", 120, 21);
    PaintAs(PaintCheckBox, empty, 0);
    const WindowImage plain = Capture(empty);
    PaintAs(PaintCheckBox, empty, kSkinFocused);
    EXPECT_TRUE(SameImage(Capture(empty), plain));
    ::DeleteObject(font);
}

TEST(RadioButton, LooksExactlyLikeACheckBoxInEveryState) {
    HostWindow host;
    HFONT font = CrispFont(12);
    HWND check = host.Add("Button", BS_AUTOCHECKBOX, 0, "Same", 90, 19);
    HWND radio = host.Add("Button", BS_AUTORADIOBUTTON, 0, "Same", 90, 19);
    ::SendMessageA(check, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ::SendMessageA(radio, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (SkinState state = 0; state < 0x100; ++state) {
        PaintAs(PaintCheckBox, check, state);
        PaintAs(PaintRadioButton, radio, state);
        ASSERT_TRUE(SameImage(Capture(radio), Capture(check))) << "state " << state;
    }
    ::DeleteObject(font);
}

} // namespace
