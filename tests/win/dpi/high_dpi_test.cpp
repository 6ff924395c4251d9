// The skinned look and the launcher at 144 dots per inch, one and a half times the classic
// resolution: the test command runs this program with its Wine prefix set to 144.
#include "win/skin_paint/expected_colours.h"
#include "win/harness/harness.h"
#include "win/skin_paint/paint_fixture.h"

#include "app/launcher_dlg.h"
#include "res/resource.h"
#include "skin/painters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// Distance of (x, y) to the nearest edge of a w x h image.
int EdgeDistance(const WindowImage& image, int x, int y) {
    return std::min({x, y, image.width - 1 - x, image.height - 1 - y});
}

// Whether (x, y) lies in one of the 2 x 2 blocks whose top-left corners are given.
bool InBlock(const std::vector<POINT>& corners, int x, int y) {
    return std::any_of(corners.begin(), corners.end(), [x, y](const POINT& p) {
        return x >= p.x && x < p.x + 2 && y >= p.y && y < p.y + 2;
    });
}

TEST(HighDpi, TheScreenHas144DotsPerInch) {
    HDC screen = ::GetDC(nullptr);
    EXPECT_EQ(::GetDeviceCaps(screen, LOGPIXELSY), 144);
    ::ReleaseDC(nullptr, screen);
}

// At 144 dots per inch every one-pixel line of the push button is two pixels wide: the face
// ring, the border ring, the softened corners and the focus ring; the face band is four.
TEST(HighDpi, PushButtonRingsCornersAndFocusAreTwoPixelsWide) {
    HostWindow host;
    HWND button = host.Add("Button", BS_PUSHBUTTON, 0, "", 100, 40);
    PaintAs(PaintPushButton, button, kSkinFocused);
    const WindowImage image = Capture(button);
    const int w = image.width;
    const int h = image.height;
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const std::vector<POINT> ringCorners = {{2, 2}, {2, h - 4}, {w - 4, h - 4}, {w - 4, 2}};
    const std::vector<POINT> neighbours = {{2, 4},         {4, 2},         {w - 6, 2}, {w - 4, 4},
                                           {w - 6, h - 4}, {w - 4, h - 6}, {4, h - 4}, {2, h - 6}};
    const std::vector<POINT> innerCorners = {{4, 4}, {4, h - 6}, {w - 6, h - 6}, {w - 6, 4}};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int edge = EdgeDistance(image, x, y);
            COLORREF expected;
            if (edge < 2 || InBlock(ringCorners, x, y)) {
                expected = face;
            } else if (InBlock(neighbours, x, y)) {
                expected = kNeighbourBlue;
            } else if (edge < 4) {
                expected = kBorderBlue;
            } else if (InBlock(innerCorners, x, y)) {
                expected = kInnerCornerBlue;
            } else {
                continue;
            }
            ASSERT_EQ(Hex(image.At(x, y)), Hex(expected)) << "at " << x << "," << y;
        }
    }
    // The focus ring: two dotted rings at the inner edge of the face band, none elsewhere.
    PaintAs(PaintPushButton, button, kSkinDefault);
    const WindowImage unfocused = Capture(button);
    for (int edge = 4; edge < 12; ++edge) {
        int dotted = 0;
        for (int x = 10; x < w - 10; ++x) {
            dotted += image.At(x, edge) != unfocused.At(x, edge) ? 1 : 0;
        }
        const bool ring = edge == 6 || edge == 7;
        EXPECT_EQ(dotted >= (w - 20) / 3, ring) << "row " << edge << ": " << dotted;
    }
}

// The tick of a checked box at 144 dots per inch, in its 10 x 10 mark square: the seven
// columns of the classic tick, each as wide and as high as its share of the square.
const char* const kTick144[10] = {
    ".........#", ".......###", ".......###", "#.....####", "###.#####.",
    "###.#####.", "#######...", ".#####....", ".#####....", "...#......",
};

TEST(HighDpi, CheckBoxIsTwentyPixelsWithItsTickScaled) {
    HostWindow host;
    HWND box = host.Add("Button", BS_AUTOCHECKBOX, 0, "", 80, 30);
    PaintAs(PaintCheckBox, box, kSkinChecked);
    const WindowImage image = Capture(box);
    const int top = (30 - 20) / 2;
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < 24; ++x) {
            const bool inBox = x < 20 && y >= top && y < top + 20;
            const int edge = std::min({x, y - top, 19 - x, top + 19 - y});
            if (!inBox) {
                ASSERT_EQ(Hex(image.At(x, y)), Hex(face)) << x << "," << y;
            } else if (edge < 2) {
                ASSERT_EQ(Hex(image.At(x, y)), Hex(kBoxBlue)) << x << "," << y;
            } else if (x >= 5 && x < 15 && y >= top + 5 && y < top + 15) {
                const bool tick = kTick144[y - top - 5][x - 5] == '#';
                EXPECT_EQ(image.At(x, y) == kTickGreen, tick) << x << "," << y;
            }
        }
    }
}

TEST(HighDpi, LauncherShowsThePictureAndTheAddressAtScale) {
    CLauncherDlg dlg;
    AfxGetApp()->m_pMainWnd = &dlg;
    RunModal(dlg, [](HWND hwnd) {
        HWND picture = ::GetWindow(::GetDlgItem(hwnd, IDC_WEB_LINK), GW_HWNDNEXT);
        RECT rect;
        ::GetWindowRect(picture, &rect);
        // 35 x 104 pixels, drawn for 96 dots per inch.
        EXPECT_EQ(rect.right - rect.left, 53);
        EXPECT_EQ(rect.bottom - rect.top, 156);

        HWND email = ::GetDlgItem(hwnd, IDC_EMAIL);
        LOGFONTA font{};
        ::GetObjectA(reinterpret_cast<HGDIOBJ>(::SendMessageA(email, WM_GETFONT, 0, 0)),
                     sizeof font, &font);
        EXPECT_EQ(font.lfHeight, 23);
        EXPECT_EQ(::SendMessageA(email, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    });
    AfxGetApp()->m_pMainWnd = nullptr;
}

} // namespace
