// The edit-frame and combo-box painters on real Edit and ComboBox windows.
#include "expected_colours.h"
#include "paint_fixture.h"

#include "skin/painters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>

namespace {

// Gives an edit exactly the frame styles of a case and lets it repaint its frame.
void SetFrameStyles(HWND edit, bool border, DWORD exStyle) {
    LONG style = ::GetWindowLongA(edit, GWL_STYLE);
    style = border ? (style | WS_BORDER) : (style & ~WS_BORDER);
    ::SetWindowLongA(edit, GWL_STYLE, style);
    LONG ex = ::GetWindowLongA(edit, GWL_EXSTYLE) & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE);
    ::SetWindowLongA(edit, GWL_EXSTYLE, ex | static_cast<LONG>(exStyle));
    ::SetWindowPos(edit, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Settle(edit);
}

TEST(EditFrame, RingsFollowBorderEdgesReadOnlyAndDisabled) {
    struct Case {
        bool border;
        DWORD exStyle;
        int rings; // 0: nothing drawn; else the frame ring and rings-1 edge rings
    };
    const Case cases[] = {
        {false, 0, 0},
        {true, 0, 1},
        {false, WS_EX_CLIENTEDGE, 2},
        {false, WS_EX_STATICEDGE, 2},
        {true, WS_EX_CLIENTEDGE, 2},
        {true, WS_EX_STATICEDGE, 2},
        {false, WS_EX_CLIENTEDGE | WS_EX_STATICEDGE, 3},
        {true, WS_EX_CLIENTEDGE | WS_EX_STATICEDGE, 3},
    };
    const SkinState states[] = {0, kSkinReadOnly, kSkinDisabled, kSkinDisabled | kSkinReadOnly,
                                kSkinHot | kSkinFocused | kSkinPressed};
    HostWindow host;
    HWND edit = host.Add("Edit", ES_AUTOHSCROLL, 0, "frame", 120, 26);
    for (const Case& c : cases) {
        SetFrameStyles(edit, c.border, c.exStyle);
        for (SkinState state : states) {
            SCOPED_TRACE("border " + std::to_string(c.border) + " ex " + Hex(c.exStyle) +
                         " state " + std::to_string(state));
            Settle(edit);
            const WindowImage before = Capture(edit);
            PaintAs(PaintEditFrame, edit, state);
            const WindowImage after = Capture(edit);
            const bool disabled = (state & kSkinDisabled) != 0;
            const COLORREF frame = disabled ? FaceLess(0x00202020) : kFrameBlue;
            const COLORREF edge = ::GetSysColor(
                (state & (kSkinDisabled | kSkinReadOnly)) ? COLOR_BTNFACE : COLOR_WINDOW);
            for (int y = 0; y < after.height; ++y) {
                for (int x = 0; x < after.width; ++x) {
                    const int ring = std::min({x, y, after.width - 1 - x, after.height - 1 - y});
                    COLORREF expected = before.At(x, y); // the edit's own pixels stay
                    if (ring < c.rings) {
                        expected = ring == 0 ? frame : edge;
                    }
                    ASSERT_EQ(Hex(after.At(x, y)), Hex(expected)) << "at " << x << "," << y;
                }
            }
        }
    }
}

struct ComboGeometry {
    int w;
    int h;
    RECT button; // the drop-button gradient, its left frame column just left of it
    RECT inner;
    int cx;
    int cy;
};

ComboGeometry Geometry(HWND combo) {
    RECT rect;
    ::GetWindowRect(combo, &rect);
    ComboGeometry g;
    g.w = rect.right - rect.left;
    g.h = rect.bottom - rect.top;
    const int thumb = ::GetSystemMetrics(SM_CYVTHUMB);
    g.button = {g.w - 2 - thumb + 1, 2, g.w - 2, g.h - 2};
    g.inner = {g.button.left + 1, 3, g.w - 3, g.h - 3};
    g.cx = g.inner.left + (g.inner.right - g.inner.left) / 2;
    g.cy = g.inner.top + (g.inner.bottom - g.inner.top) / 2;
    return g;
}

// The pixels the chevron covers around (cx, cy).
std::set<std::pair<int, int>> Chevron(int cx, int cy) {
    const struct {
        int dx;
        int fromDy;
        int toDy;
    } columns[] = {{-4, -2, -2}, {-3, -3, -1}, {-2, -2, 0}, {-1, -1, 1}, {0, 0, 2},
                   {1, -1, 1},   {2, -2, 0},   {3, -3, -1}, {4, -2, -2}};
    std::set<std::pair<int, int>> pixels;
    for (const auto& column : columns) {
        for (int dy = column.fromDy; dy <= column.toDy; ++dy) {
            pixels.insert({cx + column.dx, cy + dy});
        }
    }
    return pixels;
}

void ExpectCombo(const WindowImage& before, const WindowImage& after, const ComboGeometry& g,
                 SkinState state, int row) {
    const bool disabled = (state & kSkinDisabled) != 0;
    const COLORREF frame = disabled ? FaceLess(0x00202020) : kFrameBlue;
    const COLORREF ring = ::GetSysColor(disabled ? COLOR_BTNFACE : COLOR_WINDOW);
    const COLORREF arrow = disabled ? kArrowGrey : kArrowBlue;
    const auto chevron = Chevron(g.cx, g.cy);
    const Corners& corners = kComboCornerRows[row];
    for (int y = 0; y < g.h; ++y) {
        for (int x = 0; x < g.w; ++x) {
            const COLORREF pixel = after.At(x, y);
            const std::string where = std::to_string(x) + "," + std::to_string(y);
            const bool inButton = x >= g.button.left && x < g.button.right && y >= g.button.top &&
                                  y < g.button.bottom;
            const bool inInner =
                x >= g.inner.left && x < g.inner.right && y >= g.inner.top && y < g.inner.bottom;
            if (x == 0 || y == 0 || x == g.w - 1 || y == g.h - 1) {
                ASSERT_EQ(Hex(pixel), Hex(frame)) << "frame at " << where;
            } else if (x == 1 || y == 1 || x == g.w - 2 || y == g.h - 2 || x == g.button.left - 1) {
                ASSERT_EQ(Hex(pixel), Hex(ring)) << "ring at " << where;
            } else if (chevron.count({x, y})) {
                ASSERT_EQ(Hex(pixel), Hex(arrow)) << "chevron at " << where;
            } else if (inInner) {
                const COLORREF expected = GradientAt(kComboInnerRows[row], g.inner, x, y);
                ASSERT_LE(ColourDistance(pixel, expected), 3)
                    << "inner at " << where << " is " << Hex(pixel);
            } else if (inButton) {
                const bool left = x == g.button.left;
                const bool top = y == g.button.top;
                const bool right = x == g.button.right - 1;
                const bool bottom = y == g.button.bottom - 1;
                if ((left || right) && (top || bottom)) {
                    const COLORREF expected = corners[(bottom ? 2 : 0) + (right ? 1 : 0)];
                    ASSERT_EQ(Hex(pixel), Hex(expected)) << "corner at " << where;
                } else {
                    const COLORREF expected = GradientAt(kComboButtonRows[row], g.button, x, y);
                    ASSERT_LE(ColourDistance(pixel, expected), 3)
                        << "button at " << where << " is " << Hex(pixel);
                }
            } else {
                ASSERT_EQ(Hex(pixel), Hex(before.At(x, y))) << "own paint changed at " << where;
            }
        }
    }
}

TEST(ComboBox, FrameDropButtonCornersAndChevronByState) {
    struct Case {
        SkinState state;
        int row;
    };
    const Case cases[] = {
        {0, 3},
        {kSkinReadOnly, 3},
        {kSkinFocused | kSkinDefault | kSkinChecked, 3},
        {kSkinHot, 2},
        {kSkinPressed, 1},
        {kSkinPressed | kSkinHot, 1},
        {kSkinDisabled, 0},
        {kSkinDisabled | kSkinPressed | kSkinHot, 0},
        {kSkinDisabled | kSkinReadOnly, 0},
    };
    HostWindow host;
    for (DWORD type : {static_cast<DWORD>(CBS_DROPDOWNLIST), static_cast<DWORD>(CBS_DROPDOWN)}) {
        HWND combo = host.Add("ComboBox", type | WS_VSCROLL, 0, "", 140, 160);
        ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("first"));
        ::SendMessageA(combo, CB_SETCURSEL, 0, 0);
        const ComboGeometry g = Geometry(combo);
        for (const Case& c : cases) {
            SCOPED_TRACE("type " + std::to_string(type) + " state " + std::to_string(c.state));
            ::RedrawWindow(combo, nullptr, nullptr,
                           RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW |
                               RDW_ALLCHILDREN);
            Settle(combo);
            const WindowImage before = Capture(combo);
            PaintAs(PaintComboBox, combo, c.state);
            ExpectCombo(before, Capture(combo), g, c.state, c.row);
        }
    }
}

} // namespace
