#include "skin/painters.h"

#include "skin/gdi_guards.h"
#include "skin/paint_tools.h"
#include "skin/skin_colours.h"

namespace {

// The program's texts are GBK; a text is drawn cut to what fits in 255 bytes of it, on every
// system as on a Chinese one.
constexpr UINT kGbkCodePage = 936;
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

void FrameWithColour(HDC dc, const RECT* r, COLORREF colour) {
    OwnedBrush brush(::CreateSolidBrush(colour));
    if (brush.Get() != nullptr) {
        ::FrameRect(dc, r, brush.Get());
    }
}

void FillWithColour(HDC dc, const RECT* r, COLORREF colour) {
    OwnedBrush brush(::CreateSolidBrush(colour));
    if (brush.Get() != nullptr) {
        ::FillRect(dc, r, brush.Get());
    }
}

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

// Draws a one-pixel line with the pen selected in dc through the given points.
void Polyline3(HDC dc, POINT a, POINT b, POINT c) {
    ::MoveToEx(dc, a.x, a.y, nullptr);
    ::LineTo(dc, b.x, b.y);
    ::LineTo(dc, c.x, c.y);
}

// The check box and the radio button: a 13 x 13 box at the left edge, vertically centred, with
// its interior gradient from quads, the mark square, the tick and the text beside it.
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

    RECT whole = {0, 0, w, h};
    ::FillRect(dc, &whole, ::GetSysColorBrush(COLOR_BTNFACE));

    const int top = (h - 13) / 2;
    RECT box = {0, top, 13, top + 13};
    FrameWithColour(dc, &box, disabled ? FaceMinus(face, kBorderStep) : kBoxBorder);

    ::InflateRect(&box, -1, -1);
    if (disabled) {
        ::FillRect(dc, &box, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    } else {
        const size_t row = (state & kSkinPressed) ? 0 : (state & kSkinHot) ? 1 : 2;
        FillQuadGradient(dc, &box, &quads[row]);
    }

    RECT mark = box;
    ::InflateRect(&mark, -2, -2);
    COLORREF markColour = 0;
    if (MarkColour(state, &markColour)) {
        FillWithColour(dc, &mark, markColour);
    }

    if (state & kSkinChecked) {
        OwnedPen pen(::CreatePen(PS_SOLID, 1, disabled ? kDisabledTick : kTick));
        if (pen.Get() != nullptr) {
            ScopedSelection selectPen(dc, pen.Get());
            // Seven strokes of three pixels: a short stroke down, then a longer one up.
            for (int k = 0; k < 7; ++k) {
                const int x = mark.left + k;
                const int y0 = k < 3 ? mark.top + 2 + k : mark.top + 6 - k;
                ::MoveToEx(dc, x, y0, nullptr);
                ::LineTo(dc, x, y0 + 3);
            }
        }
    }

    const WindowText text = ReadWindowText(node->hwnd);
    if (text.length > 0) {
        ::SetTextColor(dc, ::GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        ScopedSelection selectFont(dc, ControlFont(node->hwnd));
        RECT textRect = mark;
        textRect.left = 18;
        textRect.top = mark.top - 2;
        const int height = ::DrawTextW(dc, text.text, text.length, &textRect,
                                       DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
        textRect.bottom = textRect.top + height + 1;
        ::DrawTextW(dc, text.text, text.length, &textRect, DT_SINGLELINE | DT_VCENTER);
        if (state & kSkinFocused) {
            ::InflateRect(&textRect, 1, 1);
            ::DrawFocusRect(dc, &textRect);
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

    // The outermost ring takes the button face, so the button sits flat on its dialog.
    RECT r = {0, 0, w, h};
    ::FrameRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));

    ::InflateRect(&r, -1, -1);
    FrameWithColour(dc, &r, disabled ? FaceMinus(face, kBorderStep) : kPushBorder);

    ::InflateRect(&r, -1, -1);
    if (disabled) {
        FillWithColour(dc, &r, kPushDisabledFace);
    } else {
        FillQuadGradient(dc, &r, &PushFaceQuads[PushFaceRow(state)]);
    }

    ::InflateRect(&r, -2, -2);
    if (state & (kSkinPressed | kSkinChecked | kSkinIndeterminate)) {
        FillQuadGradient(dc, &r, &PushFaceQuads[5]);
    } else if (!disabled) {
        FillQuadGradient(dc, &r, &PushFaceQuads[6]);
    }

    // Soften the corners: the border ring's corner pixels take the face, the face's corner
    // pixels and the border pixels beside each corner take blends.
    const POINT ringCorners[4] = {{1, 1}, {1, h - 2}, {w - 2, h - 2}, {w - 2, 1}};
    for (const POINT& p : ringCorners) {
        ::SetPixel(dc, p.x, p.y, face);
    }
    const COLORREF innerCorner = disabled ? FaceMinus(face, kInnerCornerStep) : kPushInnerCorner;
    const POINT innerCorners[4] = {{2, 2}, {2, h - 3}, {w - 3, h - 3}, {w - 3, 2}};
    for (const POINT& p : innerCorners) {
        ::SetPixel(dc, p.x, p.y, innerCorner);
    }
    const COLORREF neighbour =
        disabled ? FaceMinus(face, kCornerNeighbourStep) : kPushCornerNeighbour;
    const POINT neighbours[8] = {{1, 2},         {2, 1},         {w - 3, 1}, {w - 2, 2},
                                 {w - 3, h - 2}, {w - 2, h - 3}, {2, h - 2}, {1, h - 3}};
    for (const POINT& p : neighbours) {
        ::SetPixel(dc, p.x, p.y, neighbour);
    }

    if (state & kSkinFocused) {
        ::InflateRect(&r, 1, 1);
        ::DrawFocusRect(dc, &r);
    }

    const WindowText text = ReadWindowText(node->hwnd);
    if (text.length > 0) {
        if (state & kSkinPressed) {
            ::OffsetRect(&r, 1, 1);
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

    const size_t row = disabled ? 0 : (state & kSkinPressed) ? 1 : (state & kSkinHot) ? 2 : 3;
    FillQuadGradient(dc, &button, &ComboButtonQuads[row]);
    const CornerColours& corners = ComboCornerColours[row];
    ::SetPixel(dc, button.left, button.top, corners.topLeft);
    ::SetPixel(dc, button.right - 1, button.top, corners.topRight);
    ::SetPixel(dc, button.left, button.bottom - 1, corners.bottomLeft);
    ::SetPixel(dc, button.right - 1, button.bottom - 1, corners.bottomRight);

    ::InflateRect(&button, -1, -1);
    FillQuadGradient(dc, &button, &ComboInnerQuads[row]);

    // The chevron: three nested two-segment lines, every segment an exact diagonal.
    const int cx = button.left + (button.right - button.left) / 2;
    const int cy = button.top + (button.bottom - button.top) / 2;
    OwnedPen pen(::CreatePen(PS_SOLID, 1, disabled ? kDisabledArrow : kArrow));
    if (pen.Get() != nullptr) {
        ScopedSelection selectPen(dc, pen.Get());
        Polyline3(dc, {cx - 4, cy - 2}, {cx, cy + 2}, {cx + 5, cy - 3});
        Polyline3(dc, {cx - 3, cy - 2}, {cx, cy + 1}, {cx + 4, cy - 3});
        Polyline3(dc, {cx - 3, cy - 3}, {cx, cy}, {cx + 4, cy - 4});
    }
    paint.Commit();
}
