#include "skin/skin_rules.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// The window messages, styles and answers the rules read, with the system's numbers.
constexpr unsigned int kWmDestroy = 0x0002;
constexpr unsigned int kWmSetFocus = 0x0007;
constexpr unsigned int kWmKillFocus = 0x0008;
constexpr unsigned int kWmEnable = 0x000A;
constexpr unsigned int kWmSetText = 0x000C;
constexpr unsigned int kWmPaint = 0x000F;
constexpr unsigned int kWmNcPaint = 0x0085;
constexpr unsigned int kEmSetReadOnly = 0x00CF;
constexpr unsigned int kBmSetCheck = 0x00F1;
constexpr unsigned int kBmSetState = 0x00F3;
constexpr unsigned int kBmSetStyle = 0x00F4;
constexpr unsigned int kWmMouseMove = 0x0200;
constexpr unsigned int kWmLButtonDown = 0x0201;
constexpr unsigned int kWmLButtonUp = 0x0202;
constexpr unsigned int kWmMouseLeave = 0x02A3;

constexpr std::uintptr_t kMkLButton = 0x0001;

constexpr std::uint32_t kWsDisabled = 0x08000000;
constexpr std::uint32_t kEsReadOnly = 0x0800;
constexpr std::uint32_t kBsPushLike = 0x1000;
constexpr std::uint32_t kButtonTypeMask = 0x1F;
constexpr std::uint32_t kComboTypeMask = 0x03;

constexpr std::uint32_t kBsDefPushButton = 1;
constexpr std::uint32_t kCbsSimple = 1;

constexpr std::uintptr_t kBstChecked = 1;
constexpr std::uintptr_t kBstIndeterminate = 2;

// The button types.
constexpr std::uint32_t kBsPushButton = 0;
constexpr std::uint32_t kBsCheckBox = 2;
constexpr std::uint32_t kBsAutoCheckBox = 3;
constexpr std::uint32_t kBsRadioButton = 4;
constexpr std::uint32_t kBs3State = 5;
constexpr std::uint32_t kBsAuto3State = 6;
constexpr std::uint32_t kBsAutoRadioButton = 9;

#ifdef _WIN32
// Copied by hand so that the rules build without the system's header; where it is at hand,
// each is checked against it. (The button type is the style's low five bits, for which the
// header names no mask.)
static_assert(kWmDestroy == WM_DESTROY);
static_assert(kWmSetFocus == WM_SETFOCUS);
static_assert(kWmKillFocus == WM_KILLFOCUS);
static_assert(kWmEnable == WM_ENABLE);
static_assert(kWmSetText == WM_SETTEXT);
static_assert(kWmPaint == WM_PAINT);
static_assert(kWmNcPaint == WM_NCPAINT);
static_assert(kEmSetReadOnly == EM_SETREADONLY);
static_assert(kBmSetCheck == BM_SETCHECK);
static_assert(kBmSetState == BM_SETSTATE);
static_assert(kBmSetStyle == BM_SETSTYLE);
static_assert(kWmMouseMove == WM_MOUSEMOVE);
static_assert(kWmLButtonDown == WM_LBUTTONDOWN);
static_assert(kWmLButtonUp == WM_LBUTTONUP);
static_assert(kWmMouseLeave == WM_MOUSELEAVE);
static_assert(kMkLButton == MK_LBUTTON);
static_assert(kWsDisabled == WS_DISABLED);
static_assert(kEsReadOnly == ES_READONLY);
static_assert(kBsPushLike == BS_PUSHLIKE);
static_assert(kComboTypeMask == (CBS_SIMPLE | CBS_DROPDOWN | CBS_DROPDOWNLIST));
static_assert(kBsDefPushButton == BS_DEFPUSHBUTTON);
static_assert(kCbsSimple == CBS_SIMPLE);
static_assert(kBstChecked == BST_CHECKED);
static_assert(kBstIndeterminate == BST_INDETERMINATE);
static_assert(kBsPushButton == BS_PUSHBUTTON);
static_assert(kBsCheckBox == BS_CHECKBOX);
static_assert(kBsAutoCheckBox == BS_AUTOCHECKBOX);
static_assert(kBsRadioButton == BS_RADIOBUTTON);
static_assert(kBs3State == BS_3STATE);
static_assert(kBsAuto3State == BS_AUTO3STATE);
static_assert(kBsAutoRadioButton == BS_AUTORADIOBUTTON);
#endif

// ASCII letters fold to upper case; window class names are compared without regard to case.
char Folded(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameClassName(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (Folded(*a) != Folded(*b)) {
            return false;
        }
    }
    return *a == *b;
}

SkinKind ButtonKind(std::uint32_t style) {
    const SkinKind boxKind = (style & kBsPushLike) != 0 ? kSkinPushButton : kSkinCheckBox;
    const SkinKind radioKind = (style & kBsPushLike) != 0 ? kSkinPushButton : kSkinRadioButton;
    switch (style & kButtonTypeMask) {
    case kBsPushButton:
    case kBsDefPushButton:
        return kSkinPushButton;
    case kBsCheckBox:
    case kBsAutoCheckBox:
    case kBs3State:
    case kBsAuto3State:
        return boxKind;
    case kBsRadioButton:
    case kBsAutoRadioButton:
        return radioKind;
    default: // group boxes, user buttons, owner-drawn buttons and the undefined types
        return kSkinNone;
    }
}

bool IsButtonKind(SkinKind kind) {
    return kind == kSkinPushButton || kind == kSkinCheckBox || kind == kSkinRadioButton;
}

SkinState Switched(SkinState state, SkinState bit, bool on) {
    return on ? state | bit : state & ~bit;
}

} // namespace

const char SkinClassNames[3][32] = {"Button", "Edit", "ComboBox"};

SkinKind SkinKindOf(const char* className, std::uint32_t style) {
    if (SameClassName(className, SkinClassNames[0])) {
        return ButtonKind(style);
    }
    if (SameClassName(className, SkinClassNames[1])) {
        return kSkinEdit;
    }
    if (SameClassName(className, SkinClassNames[2])) {
        return (style & kComboTypeMask) == kCbsSimple ? kSkinNone : kSkinComboBox;
    }
    return kSkinNone;
}

SkinState InitialSkinState(SkinKind kind, std::uint32_t style, bool focused) {
    SkinState state = 0;
    state = Switched(state, kSkinDisabled, (style & kWsDisabled) != 0);
    state = Switched(state, kSkinFocused, focused);
    if (IsButtonKind(kind)) {
        state = Switched(state, kSkinDefault, (style & kButtonTypeMask) == kBsDefPushButton);
    } else if (kind == kSkinEdit) {
        state = Switched(state, kSkinReadOnly, (style & kEsReadOnly) != 0);
    }
    return state;
}

SkinState WithCheckState(SkinState state, std::uintptr_t check) {
    state = Switched(state, kSkinChecked, check == kBstChecked);
    return Switched(state, kSkinIndeterminate, check == kBstIndeterminate);
}

SkinBefore SkinBeforeMessage(SkinKind kind, unsigned int message, std::uintptr_t wParam,
                             SkinState state) {
    SkinBefore before{state, false, false};
    if (IsButtonKind(kind)) {
        if (message == kWmSetText || message == kWmPaint) {
            before.defaultInstead = true;
        } else if (message == kBmSetStyle) {
            before.state = Switched(state, kSkinDefault, (wParam & 1) != 0);
            before.repaint = true;
        }
    } else if (kind == kSkinEdit) {
        if (message == kWmNcPaint) {
            before.defaultInstead = true;
        } else if (message == kEmSetReadOnly) {
            before.state = Switched(state, kSkinReadOnly, wParam != 0);
            before.repaint = true;
        }
    } else if (kind == kSkinComboBox) {
        // The pressed look of a combo box shows at its next paint.
        if (message == kWmLButtonDown) {
            before.state = state | kSkinPressed;
        } else if (message == kWmLButtonUp) {
            before.state = state & ~kSkinPressed;
        }
    }
    return before;
}

SkinAfter SkinAfterMessage(SkinKind kind, unsigned int message, std::uintptr_t wParam,
                           SkinState state) {
    SkinAfter after{state, false, false, false};
    // Paints handled by DefWindowProcW or by the control itself are covered by the skin's look.
    if ((IsButtonKind(kind) && (message == kWmSetText || message == kWmPaint)) ||
        (kind == kSkinEdit && message == kWmNcPaint) ||
        (kind == kSkinComboBox && (message == kWmPaint || message == kWmNcPaint))) {
        after.repaint = true;
        return after;
    }
    if (IsButtonKind(kind) && message == kBmSetCheck) {
        after.state = WithCheckState(state, wParam);
        after.repaint = true;
        return after;
    }
    if (IsButtonKind(kind) && message == kBmSetState) {
        after.state = Switched(state, kSkinPressed, wParam != 0);
        after.repaint = true;
        return after;
    }
    switch (message) {
    case kWmDestroy:
        after.detach = true;
        break;
    case kWmSetFocus:
    case kWmKillFocus:
        after.state = Switched(state, kSkinFocused, message == kWmSetFocus);
        after.repaint = true;
        break;
    case kWmEnable:
        after.state = Switched(state, kSkinDisabled, wParam == 0);
        after.repaint = true;
        break;
    case kWmMouseMove:
        // Only the first move without the left button makes the control hot.
        if ((state & kSkinHot) == 0 && (wParam & kMkLButton) == 0) {
            after.state = state | kSkinHot;
            after.repaint = true;
            after.trackLeave = true;
        }
        break;
    case kWmMouseLeave:
        if ((state & kSkinHot) != 0) {
            after.state = state & ~kSkinHot;
            after.repaint = true;
        }
        break;
    default:
        break;
    }
    return after;
}
