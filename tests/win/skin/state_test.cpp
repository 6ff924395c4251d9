#include "skin_fixture.h"

#include "win/harness/harness.h"

#include <string>

namespace {

using StateTest = SkinTest;

// Where no window of the tests lies, so a mouse-leave request is answered at once.
void ParkCursor() {
    ::SetCursorPos(1270, 1010);
    PumpMessages();
}

TEST_F(StateTest, InitialStateIsReadAtAttach) {
    HostWindow host;
    HWND disabled = host.Add("Button", BS_PUSHBUTTON | WS_DISABLED, "off");
    HWND focused = host.Add("Button", BS_PUSHBUTTON, "focus");
    HWND defaultButton = host.Add("Button", BS_DEFPUSHBUTTON, "default");
    HWND checked = host.Add("Button", BS_AUTOCHECKBOX, "checked");
    HWND indeterminate = host.Add("Button", BS_AUTO3STATE, "third");
    HWND radio = host.Add("Button", BS_AUTORADIOBUTTON, "radio");
    HWND pushLike = host.Add("Button", BS_AUTOCHECKBOX | BS_PUSHLIKE, "push-like");
    // Edits in dialogs have their border turned into a client edge.
    HWND readOnly = host.Add("Edit", ES_READONLY, "read-only", 120, 30, WS_EX_CLIENTEDGE);
    HWND edit = host.Add("Edit", 0, "edit", 120, 30, WS_EX_CLIENTEDGE);
    HWND combo = host.Add("ComboBox", CBS_DROPDOWNLIST | WS_DISABLED, "", 120, 120);
    ::SendMessageA(checked, BM_SETCHECK, BST_CHECKED, 0);
    ::SendMessageA(indeterminate, BM_SETCHECK, BST_INDETERMINATE, 0);
    ::SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
    ::SendMessageA(pushLike, BM_SETCHECK, BST_CHECKED, 0);
    ::SetFocus(focused);
    ASSERT_EQ(::GetFocus(), focused);
    PumpMessages();

    const struct {
        HWND hwnd;
        SkinKind kind;
        SkinState state;
    } cases[] = {
        {disabled, kSkinPushButton, kSkinDisabled},
        {focused, kSkinPushButton, kSkinFocused},
        {defaultButton, kSkinPushButton, kSkinDefault},
        {checked, kSkinCheckBox, kSkinChecked},
        {indeterminate, kSkinCheckBox, kSkinIndeterminate},
        {radio, kSkinRadioButton, kSkinChecked},
        {pushLike, kSkinPushButton, kSkinChecked},
        {readOnly, kSkinEdit, kSkinReadOnly},
        {edit, kSkinEdit, 0},
        {combo, kSkinComboBox, kSkinDisabled},
    };
    for (const auto& c : cases) {
        Scribble(c.hwnd);
    }
    ASSERT_NE(EnableSkin(nullptr, TRUE), 0);
    for (const auto& c : cases) {
        const std::string name = WindowText(c.hwnd);
        const SkinnedControl* node = FindSkinned(c.hwnd);
        ASSERT_NE(node, nullptr) << name;
        EXPECT_EQ(node->kind, c.kind) << name;
        EXPECT_EQ(node->state, c.state) << name;
        EXPECT_TRUE(ShowsSkin(c.hwnd)) << name << ": painted when attached";
    }
    EXPECT_NE(EnableSkin(nullptr, FALSE), 0);
}

// One message sent to a freshly skinned control in a given state (a control whose state says
// focused is given the focus first).
struct StateRow {
    const char* className;
    DWORD style;
    DWORD exStyle;
    SkinState before; // written into the node before the message
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    SkinState after;
    bool repaint; // the skin repainted before the message returned
};

constexpr DWORD kEdge = WS_EX_CLIENTEDGE;

void RunRows(const StateRow* rows, size_t count) {
    HostWindow host;
    ParkCursor();
    for (size_t i = 0; i < count; ++i) {
        const StateRow& r = rows[i];
        HWND control = host.Add(r.className, r.style, "Text", 120, 30, r.exStyle);
        SkinnedControl* node = AttachSkin(control);
        ASSERT_NE(node, nullptr) << "row " << i;
        if ((r.before & kSkinFocused) != 0) {
            ::SetFocus(control);
            PumpMessages();
        }
        node->state = r.before;
        Scribble(control);
        ::SendMessageA(control, r.message, r.wParam, r.lParam);
        node = FindSkinned(control);
        ASSERT_NE(node, nullptr) << "row " << i;
        EXPECT_EQ(node->state, r.after) << "row " << i << ": message " << std::hex << r.message;
        const testing::AssertionResult shown = ShowsSkin(control);
        EXPECT_EQ(static_cast<bool>(shown), r.repaint)
            << "row " << i << ": message " << std::hex << r.message << " repaint, "
            << shown.message();
        ::DestroyWindow(control);
        EXPECT_EQ(FindSkinned(control), nullptr);
        PumpMessages();
    }
}

TEST_F(StateTest, ButtonMessagesChangeTheStateAndRepaint) {
    const DWORD push = BS_PUSHBUTTON;
    const DWORD box = BS_AUTO3STATE;
    const DWORD radio = BS_AUTORADIOBUTTON;
    const StateRow rows[] = {
        {"Button", box, 0, kSkinIndeterminate, BM_SETCHECK, BST_CHECKED, 0, kSkinChecked, true},
        {"Button", box, 0, kSkinChecked, BM_SETCHECK, BST_INDETERMINATE, 0, kSkinIndeterminate,
         true},
        {"Button", box, 0, kSkinIndeterminate, BM_SETCHECK, BST_UNCHECKED, 0, 0, true},
        {"Button", radio, 0, 0, BM_SETCHECK, BST_CHECKED, 0, kSkinChecked, true},
        {"Button", radio, 0, kSkinChecked, BM_SETCHECK, BST_UNCHECKED, 0, 0, true},
        // A push button keeps the check state it is told, for a push-like look.
        {"Button", push, 0, 0, BM_SETCHECK, BST_CHECKED, 0, kSkinChecked, true},
        {"Button", push, 0, kSkinHot, BM_SETSTATE, TRUE, 0, kSkinHot | kSkinPressed, true},
        {"Button", push, 0, kSkinPressed, BM_SETSTATE, FALSE, 0, 0, true},
        {"Button", box, 0, 0, BM_SETSTATE, TRUE, 0, kSkinPressed, true},
        {"Button", push, 0, 0, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE, kSkinDefault, true},
        {"Button", push, 0, kSkinDefault, BM_SETSTYLE, BS_PUSHBUTTON, FALSE, 0, true},
        {"Button", box, 0, 0, BM_SETSTYLE, BS_AUTOCHECKBOX, FALSE, kSkinDefault, true},
        {"Button", push, 0, 0, WM_ENABLE, FALSE, 0, kSkinDisabled, true},
        {"Button", push, 0, kSkinDisabled, WM_ENABLE, TRUE, 0, 0, true},
        {"Button", radio, 0, 0, WM_SETFOCUS, 0, 0, kSkinFocused, true},
        {"Button", push, 0, kSkinFocused, WM_KILLFOCUS, 0, 0, 0, true},
        {"Button", push, 0, 0, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("New"), 0, true},
        {"Button", push, 0, 0, WM_PAINT, 0, 0, 0, true},
    };
    RunRows(rows, sizeof rows / sizeof rows[0]);
}

TEST_F(StateTest, MouseMessagesMakeHotOnceAndClearIt) {
    const DWORD push = BS_PUSHBUTTON;
    const StateRow rows[] = {
        {"Button", push, 0, 0, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5), 0, false},
        {"Button", push, 0, 0, WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, MAKELPARAM(5, 5), 0, false},
        {"Button", push, 0, 0, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), kSkinHot, true},
        {"Button", push, 0, 0, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(5, 5), kSkinHot, true},
        {"Button", push, 0, kSkinHot, WM_MOUSEMOVE, 0, MAKELPARAM(6, 6), kSkinHot, false},
        {"Button", push, 0, kSkinHot, WM_MOUSELEAVE, 0, 0, 0, true},
        {"Button", push, 0, 0, WM_MOUSELEAVE, 0, 0, 0, false},
        {"Edit", WS_BORDER, kEdge, 0, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), kSkinHot, true},
        {"Edit", WS_BORDER, kEdge, 0, WM_MOUSELEAVE, 0, 0, 0, false},
        {"ComboBox", CBS_DROPDOWN, 0, 0, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1), kSkinHot, true},
        {"ComboBox", CBS_DROPDOWN, 0, kSkinHot, WM_MOUSELEAVE, 0, 0, 0, true},
    };
    RunRows(rows, sizeof rows / sizeof rows[0]);
}

TEST_F(StateTest, EditAndComboBoxMessages) {
    const StateRow rows[] = {
        {"Edit", WS_BORDER, kEdge, 0, EM_SETREADONLY, TRUE, 0, kSkinReadOnly, true},
        {"Edit", WS_BORDER, kEdge, kSkinReadOnly, EM_SETREADONLY, FALSE, 0, 0, true},
        {"Edit", WS_BORDER, kEdge, 0, WM_ENABLE, FALSE, 0, kSkinDisabled, true},
        {"Edit", WS_BORDER, kEdge, 0, WM_SETFOCUS, 0, 0, kSkinFocused, true},
        {"Edit", WS_BORDER, kEdge, 0, WM_NCPAINT, 1, 0, 0, true},
        // Edits know nothing of check states.
        {"Edit", WS_BORDER, kEdge, 0, BM_SETCHECK, BST_CHECKED, 0, 0, false},
        // A click on the frame of a drop-down combo box, away from its button, does nothing
        // but press it: the pressed look waits for the next paint.
        {"ComboBox", CBS_DROPDOWN, 0, kSkinFocused, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1),
         kSkinFocused | kSkinPressed, false},
        {"ComboBox", CBS_DROPDOWN, 0, kSkinFocused | kSkinPressed | kSkinHot, WM_LBUTTONUP, 0,
         MAKELPARAM(1, 1), kSkinFocused | kSkinHot, false},
        {"ComboBox", CBS_DROPDOWNLIST, 0, 0, WM_ENABLE, FALSE, 0, kSkinDisabled, true},
        {"ComboBox", CBS_DROPDOWNLIST, 0, kSkinFocused, WM_KILLFOCUS, 0, 0, 0, true},
        {"ComboBox", CBS_DROPDOWNLIST, 0, 0, WM_PAINT, 0, 0, 0, true},
        {"ComboBox", CBS_DROPDOWN, 0, 0, WM_NCPAINT, 1, 0, 0, true},
        // Button messages mean nothing to a combo box.
        {"ComboBox", CBS_DROPDOWNLIST, 0, 0, BM_SETSTATE, TRUE, 0, 0, false},
    };
    RunRows(rows, sizeof rows / sizeof rows[0]);
}

TEST_F(StateTest, NewTextOfAButtonIsStoredAndShown) {
    HostWindow host;
    HWND button = host.Add("Button", BS_PUSHBUTTON, "Old", 120, 30);
    ASSERT_NE(AttachSkin(button), nullptr);
    Scribble(button);
    ::SetWindowTextA(button, "新的");
    EXPECT_EQ(WindowText(button), "新的");
    EXPECT_TRUE(ShowsSkin(button));
    DetachSkin(button);
}

} // namespace
