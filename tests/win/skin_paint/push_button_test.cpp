// The push-button painter on real Button windows: rings, corners, face and inner gradients,
// focus rectangle and text, read back from the screen.
#include "expected_colours.h"
#include "paint_fixture.h"

#include "skin/painters.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct RingColours {
    COLORREF border;
    COLORREF innerCorner;
    COLORREF neighbour;
};

// Checks the outer face ring, the border ring with its softened corners and the face's corner
// pixels of a w x h push button.
void ExpectRings(const WindowImage& image, COLORREF face, const RingColours& colours) {
    const int w = image.width;
    const int h = image.height;
    const RECT outer = {0, 0, w, h};
    const RECT border = {1, 1, w - 1, h - 1};
    const POINT ringCorners[] = {{1, 1}, {1, h - 2}, {w - 2, h - 2}, {w - 2, 1}};
    const POINT innerCorners[] = {{2, 2}, {2, h - 3}, {w - 3, h - 3}, {w - 3, 2}};
    const POINT neighbours[] = {{1, 2},         {2, 1},         {w - 3, 1}, {w - 2, 2},
                                {w - 3, h - 2}, {w - 2, h - 3}, {2, h - 2}, {1, h - 3}};
    auto in = [](const POINT* points, int count, int x, int y) {
        for (int i = 0; i < count; ++i) {
            if (points[i].x == x && points[i].y == y) {
                return true;
            }
        }
        return false;
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            COLORREF expected;
            if (OnRing(outer, x, y) || in(ringCorners, 4, x, y)) {
                expected = face;
            } else if (in(neighbours, 8, x, y)) {
                expected = colours.neighbour;
            } else if (OnRing(border, x, y)) {
                expected = colours.border;
            } else if (in(innerCorners, 4, x, y)) {
                expected = colours.innerCorner;
            } else {
                continue;
            }
            ASSERT_EQ(Hex(image.At(x, y)), Hex(expected)) << "at " << x << "," << y;
        }
    }
}

TEST(PushButton, RingsAndCornersOfAnEnabledButton) {
    HostWindow host;
    const SIZE sizes[] = {{100, 30}, {57, 23}, {200, 60}};
    for (const SIZE& size : sizes) {
        HWND button = host.Add("Button", BS_PUSHBUTTON, 0, "", size.cx, size.cy);
        for (SkinState state : {0u, kSkinPressed, kSkinHot | kSkinFocused, kSkinChecked}) {
            SCOPED_TRACE("size " + std::to_string(size.cx) + "x" + std::to_string(size.cy) +
                         " state " + std::to_string(state));
            PaintAs(PaintPushButton, button, state);
            ExpectRings(Capture(button), ::GetSysColor(COLOR_BTNFACE),
                        {kBorderBlue, kInnerCornerBlue, kNeighbourBlue});
        }
    }
}

TEST(PushButton, DisabledRingsAreDerivedFromTheFace) {
    HostWindow host;
    HWND button = host.Add("Button", BS_PUSHBUTTON, 0, "", 90, 28);
    PaintAs(PaintPushButton, button, kSkinDisabled);
    ExpectRings(Capture(button), ::GetSysColor(COLOR_BTNFACE),
                {FaceLess(0x00202020), FaceLess(0x00151515), FaceLess(0x00111111)});
}

TEST(PushButton, DisabledColoursSubtractTheWholeValueWithoutClamping) {
    struct Case {
        COLORREF face;
        RingColours expected;
    };
    // A channel below the step borrows from the next one; a face darker than the whole step
    // still gives a plain colour.
    const Case cases[] = {
        {RGB(0x30, 0x10, 0x40),
         {RGB(0x10, 0xF0, 0x1F), RGB(0x1B, 0xFB, 0x2A), RGB(0x1F, 0xFF, 0x2E)}},
        {RGB(0x40, 0x40, 0x10),
         {RGB(0x20, 0x20, 0xF0), RGB(0x2B, 0x2B, 0xFB), RGB(0x2F, 0x2F, 0xFF)}},
        {RGB(0xD4, 0xD0, 0xC8),
         {RGB(0xB4, 0xB0, 0xA8), RGB(0xBF, 0xBB, 0xB3), RGB(0xC3, 0xBF, 0xB7)}},
    };
    HostWindow host;
    HWND button = host.Add("Button", BS_PUSHBUTTON, 0, "", 80, 26);
    for (const Case& c : cases) {
        SCOPED_TRACE("face " + Hex(c.face));
        ScopedFaceColour face(c.face);
        Settle(button);
        PaintAs(PaintPushButton, button, kSkinDisabled);
        ExpectRings(Capture(button), c.face, c.expected);
    }
}

// Checks the face ring (outside the focus rectangle's path) against a face gradient row, or
// the flat disabled colour when row is -1.
void ExpectFace(const WindowImage& image, int row) {
    const int w = image.width;
    const int h = image.height;
    const RECT face = {2, 2, w - 2, h - 2};
    for (int y = 2; y < h - 2; ++y) {
        for (int x = 2; x < w - 2; ++x) {
            const bool edge = x == 2 || y == 2 || x == w - 3 || y == h - 3;
            const bool corner = (x == 2 || x == w - 3) && (y == 2 || y == h - 3);
            if (!edge || corner) {
                continue;
            }
            const COLORREF expected = row < 0 ? kFlatFace : GradientAt(kFaceRows[row], face, x, y);
            ASSERT_LE(ColourDistance(image.At(x, y), expected), row < 0 ? 0 : 3)
                << "face at " << x << "," << y << " is " << Hex(image.At(x, y)) << ", expected "
                << Hex(expected);
        }
    }
}

// Checks every pixel of the inner rectangle against an inner row, or the flat disabled face
// when row is -1.
void ExpectInner(const WindowImage& image, int row) {
    const RECT inner = {4, 4, image.width - 4, image.height - 4};
    for (int y = inner.top; y < inner.bottom; ++y) {
        for (int x = inner.left; x < inner.right; ++x) {
            const COLORREF expected = row < 0 ? kFlatFace : GradientAt(kFaceRows[row], inner, x, y);
            ASSERT_LE(ColourDistance(image.At(x, y), expected), row < 0 ? 0 : 3)
                << "inner at " << x << "," << y << " is " << Hex(image.At(x, y)) << ", expected "
                << Hex(expected);
        }
    }
}

TEST(PushButton, FaceAndInnerGradientsFollowTheState) {
    struct Case {
        SkinState state;
        int faceRow;  // -1: flat disabled face
        int innerRow; // -1: no inner gradient, the flat face shows
    };
    const Case cases[] = {
        {0, 4, 6},
        {kSkinPressed, 0, 5},
        {kSkinPressed | kSkinHot | kSkinFocused, 0, 5},
        {kSkinHot, 1, 6},
        {kSkinHot | kSkinChecked, 1, 5},
        {kSkinChecked, 2, 5},
        {kSkinIndeterminate, 2, 5},
        {kSkinChecked | kSkinFocused | kSkinDefault, 2, 5},
        {kSkinFocused, 3, 6},
        {kSkinDefault, 3, 6},
        {kSkinReadOnly, 4, 6},
        {kSkinDisabled, -1, -1},
        {kSkinDisabled | kSkinHot | kSkinFocused | kSkinDefault, -1, -1},
        {kSkinDisabled | kSkinPressed, -1, 5},
        {kSkinDisabled | kSkinChecked, -1, 5},
        {kSkinDisabled | kSkinIndeterminate, -1, 5},
    };
    HostWindow host;
    HWND button = host.Add("Button", BS_PUSHBUTTON, 0, "", 200, 60);
    for (const Case& c : cases) {
        SCOPED_TRACE("state " + std::to_string(c.state));
        PaintAs(PaintPushButton, button, c.state);
        const WindowImage image = Capture(button);
        ExpectFace(image, c.faceRow);
        ExpectInner(image, c.innerRow);
    }
}

// The pixels that differ between two images.
std::vector<POINT> Differences(const WindowImage& a, const WindowImage& b) {
    std::vector<POINT> points;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            if (a.At(x, y) != b.At(x, y)) {
                points.push_back({x, y});
            }
        }
    }
    return points;
}

// Expects the differences to be a dotted ring on r: nothing off the ring, and at least a third
// of the pixels of each side.
void ExpectFocusRing(const std::vector<POINT>& changed, const RECT& r) {
    int top = 0, bottom = 0, left = 0, right = 0;
    for (const POINT& p : changed) {
        ASSERT_TRUE(OnRing(r, p.x, p.y))
            << "changed pixel off the focus ring at " << p.x << "," << p.y;
        top += p.y == r.top;
        bottom += p.y == r.bottom - 1;
        left += p.x == r.left;
        right += p.x == r.right - 1;
    }
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    EXPECT_GE(top, width / 3);
    EXPECT_GE(bottom, width / 3);
    EXPECT_GE(left, height / 3);
    EXPECT_GE(right, height / 3);
}

TEST(PushButton, FocusRectangleLiesOnePixelInsideTheFace) {
    HostWindow host;
    HFONT font = CrispFont(13);
    for (const char* text : {"", "OK"}) {
        SCOPED_TRACE(std::string("text '") + text + "'");
        HWND button = host.Add("Button", BS_PUSHBUTTON, 0, text, 100, 30);
        ::SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        // Focused and default share face row 3: the images differ only by the focus rectangle.
        PaintAs(PaintPushButton, button, kSkinDefault);
        const WindowImage plain = Capture(button);
        PaintAs(PaintPushButton, button, kSkinFocused);
        ExpectFocusRing(Differences(plain, Capture(button)), {3, 3, 97, 27});
    }
    ::DeleteObject(font);
}

TEST(PushButton, TextIsCentredAndMovesDownRightWhenPressed) {
    HostWindow host;
    HFONT font = CrispFont(13);
    const char text[] = "Calc";
    HWND button = host.Add("Button", BS_PUSHBUTTON, 0, text, 100, 30);
    ::SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const RECT area = {0, 0, 100, 30};
    const RECT reference = CentredInk(font, text, 100, 30, {4, 4, 96, 26});

    PaintAs(PaintPushButton, button, 0);
    const RECT normal = InkBox(Capture(button), area, RGB(0, 0, 0));
    ASSERT_GT(normal.right, normal.left) << "no black text found";
    EXPECT_NEAR(normal.left, reference.left, 1);
    EXPECT_NEAR(normal.top, reference.top, 1);
    EXPECT_EQ(normal.right - normal.left, reference.right - reference.left);
    EXPECT_EQ(normal.bottom - normal.top, reference.bottom - reference.top);

    PaintAs(PaintPushButton, button, kSkinFocused);
    const RECT focused = InkBox(Capture(button), {4, 4, 96, 26}, RGB(0, 0, 0));
    EXPECT_EQ(focused.left, normal.left);
    EXPECT_EQ(focused.top, normal.top);

    PaintAs(PaintPushButton, button, kSkinPressed);
    const RECT pressed = InkBox(Capture(button), area, RGB(0, 0, 0));
    EXPECT_EQ(pressed.left, normal.left + 1);
    EXPECT_EQ(pressed.top, normal.top + 1);
    EXPECT_EQ(pressed.right, normal.right + 1);
    EXPECT_EQ(pressed.bottom, normal.bottom + 1);
    ::DeleteObject(font);
}

TEST(PushButton, TextIsGreyWhenDisabledOrIndeterminate) {
    HostWindow host;
    HFONT font = CrispFont(13);
    HWND button = host.Add("Button", BS_PUSHBUTTON, 0, "Grey", 100, 30);
    ::SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const RECT area = {0, 0, 100, 30};
    PaintAs(PaintPushButton, button, 0);
    const RECT black = InkBox(Capture(button), area, RGB(0, 0, 0));
    ASSERT_GT(black.right, black.left);
    for (SkinState state : {kSkinDisabled, kSkinIndeterminate, kSkinDisabled | kSkinChecked}) {
        SCOPED_TRACE("state " + std::to_string(state));
        PaintAs(PaintPushButton, button, state);
        const WindowImage image = Capture(button);
        const RECT grey = InkBox(image, area, kGreyText);
        EXPECT_EQ(grey.left, black.left);
        EXPECT_EQ(grey.top, black.top);
        EXPECT_EQ(grey.right, black.right);
        EXPECT_EQ(grey.bottom, black.bottom);
        const RECT none = InkBox(image, area, RGB(0, 0, 0));
        EXPECT_EQ(none.right, none.left) << "black text left in a grey state";
    }
    ::DeleteObject(font);
}

TEST(PushButton, ControlWithoutFontDrawsWithTheDefaultFont) {
    HostWindow host;
    const char text[] = "Default";
    HWND button = host.Add("Button", BS_PUSHBUTTON, 0, text, 120, 30);
    ASSERT_EQ(::SendMessageA(button, WM_GETFONT, 0, 0), 0);
    PaintAs(PaintPushButton, button, 0);
    const RECT ink = InkBox(Capture(button), {0, 0, 120, 30}, RGB(0, 0, 0));
    const RECT reference = CentredInk(nullptr, text, 120, 30, {4, 4, 116, 26});
    ASSERT_GT(ink.right, ink.left) << "no text drawn";
    EXPECT_NEAR(ink.left, reference.left, 1);
    EXPECT_NEAR(ink.top, reference.top, 1);
    EXPECT_EQ(ink.right - ink.left, reference.right - reference.left);
    EXPECT_EQ(ink.bottom - ink.top, reference.bottom - reference.top);
}

} // namespace

namespace {

// The first n characters of a long text of digits.
std::string Digits(size_t n) {
    std::string text;
    while (text.size() < n) {
        text += "0123456789";
    }
    return text.substr(0, n);
}

std::string Repeated(const char* piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

TEST(WindowText, LongTextsAreDrawnCutAtTheirFirst255Bytes) {
    HostWindow host;
    // Characters about two pixels wide, so that 255 of them fit in the window.
    HFONT font = ::CreateFontA(-11, 2, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                               DEFAULT_PITCH, "Tahoma");
    struct Kind {
        const char* name;
        Painter painter;
        DWORD style;
    };
    const Kind kinds[] = {{"push button", PaintPushButton, BS_PUSHBUTTON},
                          {"check box", PaintCheckBox, BS_AUTOCHECKBOX}};
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        HWND button = host.Add("Button", kind.style, 0, "", 700, 24);
        ::SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        auto paintWith = [&](const std::string& text) {
            ::SetWindowTextA(button, text.c_str());
            Settle(button);
            PaintAs(kind.painter, button, 0);
            return Capture(button);
        };
        const WindowImage cut = paintWith(Digits(255));
        EXPECT_TRUE(SameImage(paintWith(Digits(300)), cut));
        EXPECT_TRUE(SameImage(paintWith(Digits(256)), cut));
        EXPECT_FALSE(SameImage(paintWith(Digits(254)), cut));
        // Double-byte characters take two bytes each: 127 of them fit.
        const WindowImage wide = paintWith(Repeated("计", 127));
        EXPECT_TRUE(SameImage(paintWith(Repeated("计", 200)), wide));
        EXPECT_FALSE(SameImage(paintWith(Repeated("计", 126)), wide));
    }
    ::DeleteObject(font);
}

} // namespace
