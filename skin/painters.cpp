#include "skin/painters.h"

#include "skin/gdi_guards.h"
#include "skin/paint_tools.h"
#include "skin/skin_colours.h"
#include "base/wide_win.h"

namespace {

// The program's texts are GBK; a text is drawn cut to what fits in 255 bytes of it, on every
// system as on a Chinese one.
using base::kGbkCodePage;
constexpr int kMaxTextBytes = 255;

// The control's window text, in UTF-16 as the control holds it. 255 bytes never hold more
// than 255 characters.
struct WindowText {
    wchar_t text[kMaxTextBytes + 1];
    int length;
};

WindowText ReadWindowText(HWND hwnd) {
    WindowText result = {};
    const int read = ::GetWindowTextW(hwnd, result.text, kMaxTextBytes + 1);
    int bytes = 0;
    while (result.length < read) {
        bytes += ::WideCharToMultiByte(kGbkCodePage, 0, &result.text[result.length], 1, nullptr, 0,
                                       nullptr, nullptr);
        if (bytes > kMaxTextBytes) {
            break;
        }
        ++result.length;
    }
    return result;
}

// The control's font, or NULL when it has none: then the DC keeps its default font.
HGDIOBJ ControlFont(HWND hwnd) {
    return reinterpret_cast<HGDIOBJ>(::SendMessageA(hwnd, WM_GETFONT, 0, 0));
}

// The lengths of the look, drawn for 96 dots per inch, at the resolution of a DC.
class DpiScale {
public:
    explicit DpiScale(HDC dc) : m_dpi(::GetDeviceCaps(dc, LOGPIXELSY)) {}
    int operator()(int pixels) const { return ::MulDiv(pixels, m_dpi, 96); }

private:
    int m_dpi;
};

// Frames r with brush in rings of one pixel, thickness of them going inwards.
void FrameRing(HDC dc, RECT r, int thickness, HBRUSH brush) {
    for (int i = 0; i < thickness; ++i) {
        ::FrameRect(dc, &r, brush);
        ::InflateRect(&r, -1, -1);
    }
}

void FrameWithColour(HDC dc, const RECT* r, COLORREF colour, int thickness = 1) {
    OwnedBrush brush(::CreateSolidBrush(colour));
    if (brush.Get() != nullptr) {
        FrameRing(dc, *r, thickness, brush.Get());
    }
}

void FillWithColour(HDC dc, const RECT* r, COLORREF colour) {
    OwnedBrush brush(::CreateSolidBrush(colour));
    if (brush.Get() != nullptr) {
        ::FillRect(dc, r, brush.Get());
    }
}

// Fills a size x size square of colour at each of the points (their top-left corners).
void FillDots(HDC dc, const POINT* points, size_t count, int size, COLORREF colour) {
    OwnedBrush brush(::CreateSolidBrush(colour));
    if (brush.Get() == nullptr) {
        return;
    }
    for (size_t i = 0; i < count; ++i) {
        const RECT dot = {points[i].x, points[i].y, points[i].x + size, points[i].y + size};
        ::FillRect(dc, &dot, brush.Get());
    }
}

// The dotted focus ring just inside r, thickness pixels wide.
void DrawFocusRing(HDC dc, RECT r, int thickness) {
    for (int i = 0; i < thickness; ++i) {
        ::DrawFocusRect(dc, &r);
        ::InflateRect(&r, -1, -1);
    }
}

// One column of a small pixel drawing: count pixels from row first down.
struct PixelRun {
    int column;
    int first;
    int count;
};

// Fills the runs of a drawing of columns x rows pixels stretched over box: each pixel becomes its
// share of box, so the drawing keeps its shape at any resolution and is itself at 96 dots per inch.
template <size_t N>
void FillRuns(HDC dc, const RECT& box, int columns, int rows, const PixelRun (&runs)[N],
              COLORREF colour) {
    OwnedBrush brush(::CreateSolidBrush(colour));
    if (brush.Get() == nullptr) {
        return;
    }
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    for (const PixelRun& run : runs) {
        const RECT cell = {box.left + ::MulDiv(run.column, width, columns),
                           box.top + ::MulDiv(run.first, height, rows),
                           box.left + ::MulDiv(run.column + 1, width, columns),
                           box.top + ::MulDiv(run.first + run.count, height, rows)};
        ::FillRect(dc, &cell, brush.Get());
    }
}

// The tick of a checked box in its 7 x 7 mark square: a short stroke down, then a longer one up,
// each column three pixels high.
constexpr PixelRun kTickRuns[] = {{0, 2, 3}, {1, 3, 3}, {2, 4, 3}, {3, 3, 3},
                                  {4, 2, 3}, {5, 1, 3}, {6, 0, 3}};

// The combo box's drop arrow, a chevron in a 9 x 6 box whose centre column and fourth row cross at
// the drop button's centre.
constexpr PixelRun kChevronRuns[] = {{0, 1, 1}, {1, 0, 3}, {2, 1, 3}, {3, 2, 3}, {4, 3, 3},
                                     {5, 2, 3}, {6, 1, 3}, {7, 0, 3}, {8, 1, 1}};

size_t PushFaceRow(SkinState state) {
    if (state & kSkinPressed) {
        return 0;
    }
    if (state & kSkinHot) {
        return 1;
    }
    if (state & (kSkinChecked | kSkinIndeterminate)) {
        return 2;
    }
    if (state & (kSkinFocused | kSkinDefault)) {
        return 3;
    }
    return 4;
}

// The colour of the check box's mark square, or false when the square is not filled: it shows
// for an indeterminate box, and as hover feedback for a hot box that is not pressed.
bool MarkColour(SkinState state, COLORREF* colour) {
    if (state & kSkinIndeterminate) {
        if (state & kSkinDisabled) {
            *colour = kMarkIndeterminateDisabled;
        } else if (state & kSkinPressed) {
            *colour = kMarkIndeterminatePressed;
        } else if (state & kSkinHot) {
            *colour = kMarkIndeterminateHot;
        } else {
            *colour = kMarkIndeterminate;
        }
        return true;
    }
    if ((state & kSkinHot) && !(state & kSkinPressed)) {
        *colour = (state & kSkinChecked) ? kMarkHotChecked : kMarkHot;
        return true;
    }
    return false;
}

// The check box and the radio button: a 13 x 13 box (at 96 dots per inch) at the left edge,
// vertically centred, with its interior gradient from quads, the mark square, the tick and the text
// beside it.
void PaintBox(SkinnedControl* node, const GradientQuad* quads) {
    if (node == nullptr) {
        return;
    }
    const OffscreenScope paint(node->hwnd, OffscreenSeed::None);
    HDC dc = paint.Dc();
    if (dc == nullptr) {
        return;
    }
    const int w = paint.Width();
    const int h = paint.Height();
    const SkinState state = node->state;
    const bool disabled = (state & kSkinDisabled) != 0;
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);

    const DpiScale px(dc);
    const int line = px(1);

    RECT whole = {0, 0, w, h};
    ::FillRect(dc, &whole, ::GetSysColorBrush(COLOR_BTNFACE));

    const int size = px(13);
    const int top = (h - size) / 2;
    RECT box = {0, top, size, top + size};
    FrameWithColour(dc, &box, disabled ? FaceMinus(face, kBorderStep) : kBoxBorder, line);

    ::InflateRect(&box, -line, -line);
    if (disabled) {
        ::FillRect(dc, &box, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    } else {
        const size_t row = (state & kSkinPressed) ? 0 : (state & kSkinHot) ? 1 : 2;
        FillQuadGradient(dc, &box, &quads[row]);
    }

    RECT mark = box;
    ::InflateRect(&mark, -px(2), -px(2));
    COLORREF markColour = 0;
    if (MarkColour(state, &markColour)) {
        FillWithColour(dc, &mark, markColour);
    }
    if (state & kSkinChecked) {
        FillRuns(dc, mark, 7, 7, kTickRuns, disabled ? kDisabledTick : kTick);
    }

    const WindowText text = ReadWindowText(node->hwnd);
    if (text.length > 0) {
        ::SetTextColor(dc, ::GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        ScopedSelection selectFont(dc, ControlFont(node->hwnd));
        RECT textRect = mark;
        textRect.left = px(18);
        textRect.top = mark.top - px(2);
        const int height = ::DrawTextW(dc, text.text, text.length, &textRect,
                                       DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
        textRect.bottom = textRect.top + height + line;
        ::DrawTextW(dc, text.text, text.length, &textRect, DT_SINGLELINE | DT_VCENTER);
        if (state & kSkinFocused) {
            ::InflateRect(&textRect, line, line);
            DrawFocusRing(dc, textRect, line);
        }
    }
    paint.Commit();
}

} // namespace

void PaintPushButton(SkinnedControl* node) {
    if (node == nullptr) {
        return;
    }
    const OffscreenScope paint(node->hwnd, OffscreenSeed::None);
    HDC dc = paint.Dc();
    if (dc == nullptr) {
        return;
    }
    const int w = paint.Width();
    const int h = paint.Height();
    const SkinState state = node->state;
    const bool disabled = (state & kSkinDisabled) != 0;
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);

    const DpiScale px(dc);
    const int line = px(1);

    // The outermost ring takes the button face, so the button sits flat on its dialog.
    RECT r = {0, 0, w, h};
    FrameRing(dc, r, line, ::GetSysColorBrush(COLOR_BTNFACE));

    ::InflateRect(&r, -line, -line);
    FrameWithColour(dc, &r, disabled ? FaceMinus(face, kBorderStep) : kPushBorder, line);

    ::InflateRect(&r, -line, -line);
    if (disabled) {
        FillWithColour(dc, &r, kPushDisabledFace);
    } else {
        FillQuadGradient(dc, &r, &PushFaceQuads[PushFaceRow(state)]);
    }

    // The face band holds the softened corners and, inside them, the focus ring: two lines.
    ::InflateRect(&r, -2 * line, -2 * line);
    if (state & (kSkinPressed | kSkinChecked | kSkinIndeterminate)) {
        FillQuadGradient(dc, &r, &PushFaceQuads[5]);
    } else if (!disabled) {
        FillQuadGradient(dc, &r, &PushFaceQuads[6]);
    }

    // Soften the corners: the border ring's corner pixels take the face, the face's corner pixels
    // and the border pixels beside each corner take blends. a and b are the border ring and the
    // face edge from the left or the top; ar and br from the right, ab and bb from the bottom.
    const int a = line;
    const int b = 2 * line;
    const int ar = w - 2 * line;
    const int br = w - 3 * line;
    const int ab = h - 2 * line;
    const int bb = h - 3 * line;
    const POINT ringCorners[4] = {{a, a}, {a, ab}, {ar, ab}, {ar, a}};
    FillDots(dc, ringCorners, 4, line, face);
    const POINT innerCorners[4] = {{b, b}, {b, bb}, {br, bb}, {br, b}};
    FillDots(dc, innerCorners, 4, line,
             disabled ? FaceMinus(face, kInnerCornerStep) : kPushInnerCorner);
    const POINT neighbours[8] = {{a, b},   {b, a},   {br, a}, {ar, b},
                                 {br, ab}, {ar, bb}, {b, ab}, {a, bb}};
    FillDots(dc, neighbours, 8, line,
             disabled ? FaceMinus(face, kCornerNeighbourStep) : kPushCornerNeighbour);

    if (state & kSkinFocused) {
        ::InflateRect(&r, line, line);
        DrawFocusRing(dc, r, line);
    }

    const WindowText text = ReadWindowText(node->hwnd);
    if (text.length > 0) {
        if (state & kSkinPressed) {
            ::OffsetRect(&r, line, line);
        }
        ::SetTextColor(dc,
                       (state & (kSkinDisabled | kSkinIndeterminate)) ? kPushGreyText : kPushText);
        ScopedSelection selectFont(dc, ControlFont(node->hwnd));
        ::DrawTextW(dc, text.text, text.length, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    paint.Commit();
}

void PaintCheckBox(SkinnedControl* node) {
    PaintBox(node, CheckBoxQuads);
}

void PaintRadioButton(SkinnedControl* node) {
    PaintBox(node, RadioQuads);
}

void PaintEditFrame(SkinnedControl* node) {
    if (node == nullptr) {
        return;
    }
    const LONG ex = ::GetWindowLongA(node->hwnd, GWL_EXSTYLE);
    const LONG style = ::GetWindowLongA(node->hwnd, GWL_STYLE);
    const bool edged = (ex & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) != 0;
    int w = 0;
    int h = 0;
    if ((!(style & WS_BORDER) && !edged) || !GetWindowSize(node->hwnd, &w, &h)) {
        return;
    }
    ScopedWindowDC windowDC(node->hwnd);
    HDC dc = windowDC.Get();
    if (dc == nullptr) {
        return;
    }
    const SkinState state = node->state;
    const bool disabled = (state & kSkinDisabled) != 0;

    // The rings lie on the edit's borders, which keep their pixels at every resolution.
    RECT r = {0, 0, w, h};
    FrameWithColour(dc, &r,
                    disabled ? FaceMinus(::GetSysColor(COLOR_BTNFACE), kBorderStep) : kFrame);
    if (edged) {
        // The edge rings take the window colour, or the face when the text cannot be changed.
        HBRUSH ring = ::GetSysColorBrush((state & (kSkinDisabled | kSkinReadOnly)) ? COLOR_BTNFACE
                                                                                   : COLOR_WINDOW);
        ::InflateRect(&r, -1, -1);
        ::FrameRect(dc, &r, ring);
        if ((ex & WS_EX_CLIENTEDGE) && (ex & WS_EX_STATICEDGE)) {
            ::InflateRect(&r, -1, -1);
            ::FrameRect(dc, &r, ring);
        }
    }
}

void PaintComboBox(SkinnedControl* node) {
    if (node == nullptr) {
        return;
    }
    // The buffer starts as what the combo box has just painted; the skin draws its frame and
    // drop button over it.
    const OffscreenScope paint(node->hwnd, OffscreenSeed::FromWindow);
    HDC dc = paint.Dc();
    if (dc == nullptr) {
        return;
    }
    const int w = paint.Width();
    const int h = paint.Height();
    const SkinState state = node->state;
    const bool disabled = (state & kSkinDisabled) != 0;

    // The rings lie on the combo box's borders, which keep their pixels at every resolution; the
    // drop button's corners and arrow are the skin's own and scale.
    RECT r = {0, 0, w, h};
    FrameWithColour(dc, &r,
                    disabled ? FaceMinus(::GetSysColor(COLOR_BTNFACE), kBorderStep) : kFrame);
    ::InflateRect(&r, -1, -1);
    HBRUSH ring = ::GetSysColorBrush(disabled ? COLOR_BTNFACE : COLOR_WINDOW);
    ::FrameRect(dc, &r, ring);

    ::InflateRect(&r, -1, -1);
    RECT button = {r.right - ::GetSystemMetrics(SM_CYVTHUMB), 2, w - 2, h - 2};
    ::FrameRect(dc, &button, ring);
    button.left += 1;

    const DpiScale px(dc);
    const int line = px(1);
    const size_t row = disabled ? 0 : (state & kSkinPressed) ? 1 : (state & kSkinHot) ? 2 : 3;
    FillQuadGradient(dc, &button, &ComboButtonQuads[row]);
    const CornerColours& corners = ComboCornerColours[row];
    const POINT topLeft = {button.left, button.top};
    const POINT topRight = {button.right - line, button.top};
    const POINT bottomLeft = {button.left, button.bottom - line};
    const POINT bottomRight = {button.right - line, button.bottom - line};
    FillDots(dc, &topLeft, 1, line, corners.topLeft);
    FillDots(dc, &topRight, 1, line, corners.topRight);
    FillDots(dc, &bottomLeft, 1, line, corners.bottomLeft);
    FillDots(dc, &bottomRight, 1, line, corners.bottomRight);

    ::InflateRect(&button, -line, -line);
    FillQuadGradient(dc, &button, &ComboInnerQuads[row]);

    const int cx = button.left + (button.right - button.left) / 2;
    const int cy = button.top + (button.bottom - button.top) / 2;
    const RECT chevron = {cx - px(4), cy - px(3), cx - px(4) + px(9), cy - px(3) + px(6)};
    FillRuns(dc, chevron, 9, 6, kChevronRuns, disabled ? kDisabledArrow : kArrow);
    paint.Commit();
}
