// The four-corner gradient and the off-screen buffer the painters share.
#include "expected_colours.h"
#include "win/harness/gdi_count.h"
#include "paint_fixture.h"

#include "skin/gdi_guards.h"
#include "skin/paint_tools.h"
#include "skin/painters.h"
#include "skin/skin_colours.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A 32-bit top-down DIB section selected into a memory DC, whose pixels (alpha included) can
// be read directly.
class DibCanvas {
public:
    DibCanvas(int w, int h) : m_width(w) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_dc = ::CreateCompatibleDC(nullptr);
        m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
        m_old = ::SelectObject(m_dc, m_bitmap);
    }
    ~DibCanvas() {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC Dc() const { return m_dc; }
    // The pixel as 0xAARRGGBB.
    DWORD Raw(int x, int y) const {
        ::GdiFlush();
        return static_cast<const DWORD*>(m_bits)[y * m_width + x];
    }
    COLORREF At(int x, int y) const {
        const DWORD p = Raw(x, y);
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int Alpha(int x, int y) const { return static_cast<int>(Raw(x, y) >> 24); }

private:
    int m_width;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    void* m_bits = nullptr;
};

TEST(FillQuadGradient, CornersOfEveryTableRowShowTheirColours) {
    struct Table {
        const char* name;
        const GradientQuad* rows;
        const Corners* expected;
        int count;
    };
    const Table tables[] = {
        {"PushFaceQuads", PushFaceQuads, kFaceRows, 7},
        {"CheckBoxQuads", CheckBoxQuads, kBoxRows, 3},
        {"RadioQuads", RadioQuads, kBoxRows, 3},
        {"ComboButtonQuads", ComboButtonQuads, kComboButtonRows, 4},
        {"ComboInnerQuads", ComboInnerQuads, kComboInnerRows, 4},
    };
    DibCanvas canvas(240, 160);
    const RECT r = {10, 20, 230, 150};
    for (const Table& table : tables) {
        for (int row = 0; row < table.count; ++row) {
            SCOPED_TRACE(std::string(table.name) + " row " + std::to_string(row));
            FillQuadGradient(canvas.Dc(), &r, &table.rows[row]);
            const POINT corners[4] = {{r.left, r.top},
                                      {r.right - 1, r.top},
                                      {r.left, r.bottom - 1},
                                      {r.right - 1, r.bottom - 1}};
            for (int i = 0; i < 4; ++i) {
                const COLORREF pixel = canvas.At(corners[i].x, corners[i].y);
                EXPECT_LE(ColourDistance(pixel, table.expected[row][i]), 3)
                    << "corner " << i << " is " << Hex(pixel) << ", expected "
                    << Hex(table.expected[row][i]);
            }
            // The gradient stays inside its rectangle.
            EXPECT_EQ(canvas.Raw(r.left - 1, r.top), 0u);
            EXPECT_EQ(canvas.Raw(r.right, r.bottom - 1), 0u);
            EXPECT_EQ(canvas.Raw(r.left, r.bottom), 0u);
        }
    }
}

TEST(FillQuadGradient, CornerPixelTableHoldsItsColours) {
    for (int row = 0; row < 4; ++row) {
        const CornerColours& c = ComboCornerColours[row];
        const COLORREF actual[4] = {c.topLeft, c.topRight, c.bottomLeft, c.bottomRight};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(Hex(actual[i]), Hex(kComboCornerRows[row][i])) << row << "," << i;
        }
    }
}

TEST(FillQuadGradient, EqualPairsByWholeValueGiveOneVerticalGradientElseTwoTriangles) {
    DibCanvas canvas(100, 100);
    const RECT r = {0, 0, 100, 100};
    // The face rows carry alpha 0xFF in their bottom-right entry only: not equal as whole
    // values, so two triangles, and the bottom-left corner keeps alpha 0.
    FillQuadGradient(canvas.Dc(), &r, &PushFaceQuads[4]);
    EXPECT_LE(canvas.Alpha(0, 99), 3);
    EXPECT_GE(canvas.Alpha(99, 99), 0xF0);
    EXPECT_LE(canvas.Alpha(99, 0), 3);
    // Equal pairs, alpha included: one vertical gradient, every row one colour and alpha.
    const GradientQuad vertical = {0x00FFFFFF, 0x00FFFFFF, 0x80000000, 0x80000000};
    FillQuadGradient(canvas.Dc(), &r, &vertical);
    for (int y : {0, 50, 99}) {
        EXPECT_EQ(canvas.Raw(0, y), canvas.Raw(99, y)) << "row " << y;
    }
    EXPECT_GE(canvas.Alpha(0, 99), 0x7C);
    EXPECT_LE(ColourDistance(canvas.At(50, 0), RGB(255, 255, 255)), 3);
    EXPECT_LE(ColourDistance(canvas.At(50, 99), RGB(0, 0, 0)), 3);
}

TEST(OffscreenPaint, BeginSeedsFromTheWindowAndCommitCopiesTheBufferOut) {
    HostWindow host;
    HWND control = host.Add("Static", SS_LEFT, 0, "", 64, 32);
    const RECT all = {0, 0, 64, 32};
    HDC windowDC = ::GetWindowDC(control);
    HBRUSH red = ::CreateSolidBrush(RGB(200, 10, 20));
    ::FillRect(windowDC, &all, red);
    ::DeleteObject(red);
    ::ReleaseDC(control, windowDC);
    const int objects = CountGdiObjects();

    OffscreenPaint paint = {control, true, nullptr, nullptr, nullptr, 0, 0};
    HDC dc = BeginOffscreenPaint(&paint);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dc, paint.memDC);
    EXPECT_NE(paint.windowDC, nullptr);
    EXPECT_NE(paint.savedBitmap, nullptr);
    EXPECT_EQ(paint.width, 64);
    EXPECT_EQ(paint.height, 32);
    EXPECT_EQ(Hex(::GetPixel(dc, 0, 0)), Hex(RGB(200, 10, 20)));
    EXPECT_EQ(Hex(::GetPixel(dc, 63, 31)), Hex(RGB(200, 10, 20)));
    ::SetPixel(dc, 5, 6, RGB(1, 2, 3));
    CommitOffscreenPaint(&paint);
    EndOffscreenPaint(&paint);
    const WindowImage shown = Capture(control);
    EXPECT_EQ(Hex(shown.At(5, 6)), Hex(RGB(1, 2, 3)));
    EXPECT_EQ(Hex(shown.At(6, 6)), Hex(RGB(200, 10, 20)));
    EXPECT_EQ(CountGdiObjects(), objects);

    // Not committed: the window keeps its image.
    OffscreenPaint discarded = {control, false, nullptr, nullptr, nullptr, 0, 0};
    dc = BeginOffscreenPaint(&discarded);
    ASSERT_NE(dc, nullptr);
    ::SetPixel(dc, 5, 6, RGB(9, 9, 9));
    EndOffscreenPaint(&discarded);
    EXPECT_TRUE(SameImage(Capture(control), shown));
    EXPECT_EQ(CountGdiObjects(), objects);
}

TEST(OffscreenPaint, AWindowThatIsGoneOrEmptyGetsNoBuffer) {
    HostWindow host;
    HWND gone = host.Add("Static", SS_LEFT, 0, "", 20, 20);
    ::DestroyWindow(gone);
    HWND empty = host.Add("Static", SS_LEFT, 0, "", 0, 10);
    const int objects = CountGdiObjects();
    for (HWND hwnd : {static_cast<HWND>(nullptr), gone, empty}) {
        OffscreenPaint paint = {hwnd, true, nullptr, nullptr, nullptr, 0, 0};
        EXPECT_EQ(BeginOffscreenPaint(&paint), nullptr);
        EXPECT_EQ(paint.windowDC, nullptr);
        EXPECT_EQ(paint.memDC, nullptr);
        EXPECT_EQ(paint.savedBitmap, nullptr);
        CommitOffscreenPaint(&paint);
        EndOffscreenPaint(&paint);
    }
    EXPECT_EQ(CountGdiObjects(), objects);
}

HBITMAP WINAPI NoBitmap(HDC, int, int) {
    return nullptr;
}

void Blacken(HWND hwnd) {
    RECT window;
    ::GetWindowRect(hwnd, &window);
    const RECT all = {0, 0, window.right - window.left, window.bottom - window.top};
    HDC dc = ::GetWindowDC(hwnd);
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::ReleaseDC(hwnd, dc);
}

TEST(OffscreenPaint, WithoutABufferThePaintersDrawStraightOntoTheWindow) {
    struct Case {
        const char* className;
        DWORD style;
        Painter painter;
        SkinState state;
    };
    const Case cases[] = {
        {"Button", BS_PUSHBUTTON, PaintPushButton, kSkinFocused},
        {"Button", BS_AUTOCHECKBOX, PaintCheckBox, kSkinChecked | kSkinFocused},
        {"ComboBox", CBS_DROPDOWNLIST, PaintComboBox, kSkinHot},
    };
    HostWindow host;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.className);
        HWND control = host.Add(c.className, c.style, 0, "Text", 90, 24);
        Blacken(control);
        PaintAs(c.painter, control, c.state);
        const WindowImage buffered = Capture(control);
        Blacken(control);
        CreateOffscreenBitmap = &NoBitmap;
        PaintAs(c.painter, control, c.state);
        CreateOffscreenBitmap = &::CreateCompatibleBitmap;
        EXPECT_TRUE(SameImage(Capture(control), buffered));
    }
}

TEST(GdiGuards, SelectionIsUndoneAndOwnedObjectsAreDeletedAtScopeEnd) {
    DibCanvas canvas(4, 4);
    HDC dc = canvas.Dc();
    const HGDIOBJ originalPen = ::GetCurrentObject(dc, OBJ_PEN);
    const int before = CountGdiObjects();
    {
        OwnedGdiObject<HPEN> pen(::CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
        EXPECT_EQ(CountGdiObjects(), before + 1);
        {
            ScopedSelection select(dc, pen.Get());
            EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), pen.Get());
        }
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), originalPen);
        {
            // A failed creation selects nothing and puts nothing back.
            ScopedSelection none(dc, nullptr);
            EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), originalPen);
        }
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), originalPen);
    }
    EXPECT_EQ(CountGdiObjects(), before);
    { OwnedBrush none(nullptr); }
    EXPECT_EQ(CountGdiObjects(), before);
}

TEST(GdiCount, MovesWithEveryBrushCreatedAndDeleted) {
    const int before = CountGdiObjects();
    ASSERT_GT(before, 0);
    HBRUSH brushes[3];
    for (int i = 0; i < 3; ++i) {
        brushes[i] = ::CreateSolidBrush(RGB(i, 2, 3));
        EXPECT_EQ(CountGdiObjects(), before + i + 1);
    }
    for (int i = 0; i < 3; ++i) {
        ::DeleteObject(brushes[i]);
    }
    EXPECT_EQ(CountGdiObjects(), before);
}

} // namespace
