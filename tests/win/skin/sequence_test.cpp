// The order of a control's own processing and the skin's repaint, read from the messages that
// reach the control's own procedure: the recorder sits below the skin, and notes for each
// message whether the skin's look was already on the screen when it arrived. The painters of
// buttons ask the control for its text and font, so their repaint shows up as WM_GETTEXT and
// WM_GETFONT.
#include "skin_fixture.h"

#include "win/harness/harness.h"

namespace {

using SequenceTest = SkinTest;

constexpr unsigned kShown = kSent | kSkinShown;

// The messages a button's painter sends while it draws off-screen (its text, read into a
// 256-byte buffer, and its font), and the same while the skin's look is already showing.
#define BUTTON_REPAINT                                                                             \
    {WM_GETTEXT, kSent | kWParam, 256, 0}, {                                                       \
        WM_GETFONT, kSent, 0, 0                                                                    \
    }
#define BUTTON_REPAINT_SHOWN                                                                       \
    {WM_GETTEXT, kShown | kWParam, 256, 0}, {                                                      \
        WM_GETFONT, kShown, 0, 0                                                                   \
    }

// A visible host with one skinned control whose own procedure is recorded.
class RecordedControl {
public:
    RecordedControl(const char* className, DWORD style, DWORD exStyle = 0) {
        m_control = m_host.Add(className, style, "Text", 120, 30, exStyle);
        m_recorder.Install(m_control);
        EXPECT_NE(AttachSkin(m_control), nullptr);
        m_recorder.Flush();
    }
    HWND Handle() const { return m_control; }
    HWND Host() const { return m_host.Handle(); }
    MessageRecorder& Recorder() { return m_recorder; }
    // Scribbles over the control and forgets what was recorded.
    void Reset() {
        m_recorder.Flush();
        Scribble(m_control);
    }

private:
    MessageRecorder m_recorder; // outlives the control
    HostWindow m_host;
    HWND m_control;
};

TEST_F(SequenceTest, CheckAndPressRepaintAfterTheButton) {
    RecordedControl box("Button", BS_AUTO3STATE);
    box.Reset();
    ::SendMessageA(box.Handle(), BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_TRUE(ShowsSkin(box.Handle()));
    const RecordedMessage check[] = {
        {BM_SETCHECK, kSent | kWParam, BST_INDETERMINATE, 0}, BUTTON_REPAINT, {0, 0, 0, 0}};
    ExpectSequence(box.Recorder(), check, "BM_SETCHECK");

    box.Reset();
    ::SendMessageA(box.Handle(), BM_SETSTATE, TRUE, 0);
    EXPECT_TRUE(ShowsSkin(box.Handle()));
    const RecordedMessage press[] = {
        {BM_SETSTATE, kSent | kWParam, TRUE, 0}, BUTTON_REPAINT, {0, 0, 0, 0}};
    ExpectSequence(box.Recorder(), press, "BM_SETSTATE");
}

TEST_F(SequenceTest, NewStyleIsPaintedBeforeTheButtonSeesIt) {
    RecordedControl button("Button", BS_PUSHBUTTON);
    button.Reset();
    ::SendMessageA(button.Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, FALSE);
    const RecordedMessage style[] = {
        BUTTON_REPAINT,
        {BM_SETSTYLE, kShown | kWParam | kLParam, BS_DEFPUSHBUTTON, FALSE},
        {0, 0, 0, 0}};
    ExpectSequence(button.Recorder(), style, "BM_SETSTYLE");
    EXPECT_EQ(FindSkinned(button.Handle())->state, kSkinDefault);
}

TEST_F(SequenceTest, ReadOnlyIsPaintedBeforeTheEditSeesIt) {
    RecordedControl edit("Edit", 0, WS_EX_CLIENTEDGE);
    edit.Reset();
    ::SendMessageA(edit.Handle(), EM_SETREADONLY, TRUE, 0);
    // The edit's painter asks nothing; the frame in the read-only colours was there when the
    // edit got the message. The edit then takes the style and asks for a paint of its own.
    const RecordedMessage readOnly[] = {
        {EM_SETREADONLY, kShown | kWParam, TRUE, 0},
        {WM_STYLECHANGING, kShown | kWParam, static_cast<WPARAM>(GWL_STYLE), 0},
        {WM_STYLECHANGED, kShown | kWParam, static_cast<WPARAM>(GWL_STYLE), 0},
        {WM_PAINT, kShown, 0, 0},
        {WM_ERASEBKGND, kShown | kOptional, 0, 0},
        {0, 0, 0, 0}};
    ExpectSequence(edit.Recorder(), readOnly, "EM_SETREADONLY");
}

TEST_F(SequenceTest, FocusAndEnableRepaintAfterTheControl) {
    RecordedControl button("Button", BS_PUSHBUTTON);
    button.Reset();
    ::SetFocus(button.Handle());
    const RecordedMessage focus[] = {{WM_SETFOCUS, kSent, 0, 0}, BUTTON_REPAINT, {0, 0, 0, 0}};
    ExpectSequence(button.Recorder(), focus, "WM_SETFOCUS");

    button.Reset();
    ::SetFocus(button.Host());
    // The button asks for a paint of its own as well, which the skin paints again.
    const RecordedMessage kill[] = {
        {WM_KILLFOCUS, kSent | kWParam, reinterpret_cast<WPARAM>(button.Host()), 0},
        BUTTON_REPAINT,
        BUTTON_REPAINT_SHOWN,
        {0, 0, 0, 0}};
    ExpectSequence(button.Recorder(), kill, "WM_KILLFOCUS");

    button.Reset();
    ::EnableWindow(button.Handle(), FALSE);
    const RecordedMessage disable[] = {{WM_CANCELMODE, kSent, 0, 0},
                                       {WM_ENABLE, kSent | kWParam, FALSE, 0},
                                       BUTTON_REPAINT,
                                       {0, 0, 0, 0}};
    ExpectSequence(button.Recorder(), disable, "WM_ENABLE");
    EXPECT_EQ(FindSkinned(button.Handle())->state, kSkinDisabled);
}

TEST_F(SequenceTest, HoverRepaintsOnceAndLeaveOnlyWhenHot) {
    ::SetCursorPos(1270, 1010); // away from every window: no mouse message of its own comes
    RecordedControl button("Button", BS_PUSHBUTTON);
    button.Reset();
    ::SendMessageA(button.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    ::SendMessageA(button.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ::SendMessageA(button.Handle(), WM_MOUSELEAVE, 0, 0);
    // The second move finds the control hot already.
    const RecordedMessage hover[] = {{WM_MOUSEMOVE, kSent | kLParam, 0, MAKELPARAM(4, 4)},
                                     BUTTON_REPAINT,
                                     {WM_MOUSEMOVE, kShown | kLParam, 0, MAKELPARAM(5, 5)},
                                     {WM_MOUSELEAVE, kShown, 0, 0},
                                     BUTTON_REPAINT_SHOWN,
                                     {0, 0, 0, 0}};
    ExpectSequence(button.Recorder(), hover, "WM_MOUSEMOVE");
    EXPECT_EQ(FindSkinned(button.Handle())->state, 0u);

    button.Reset();
    ::SendMessageA(button.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(4, 4));
    ::SendMessageA(button.Handle(), WM_MOUSELEAVE, 0, 0);
    const RecordedMessage dragged[] = {
        {WM_MOUSEMOVE, kSent | kWParam, MK_LBUTTON, 0}, {WM_MOUSELEAVE, kSent, 0, 0}, {0, 0, 0, 0}};
    ExpectSequence(button.Recorder(), dragged, "WM_MOUSEMOVE with the left button");
}

TEST_F(SequenceTest, ButtonTextAndPaintNeverReachTheButton) {
    RecordedControl button("Button", BS_AUTOCHECKBOX);
    button.Reset();
    ::SetWindowTextA(button.Handle(), "Other");
    const RecordedMessage text[] = {BUTTON_REPAINT, {0, 0, 0, 0}};
    ExpectSequence(button.Recorder(), text, "WM_SETTEXT");
    EXPECT_EQ(WindowText(button.Handle()), "Other");

    button.Reset();
    ::InvalidateRect(button.Handle(), nullptr, FALSE);
    ::UpdateWindow(button.Handle());
    const RecordedMessage paint[] = {BUTTON_REPAINT, {0, 0, 0, 0}};
    ExpectSequence(button.Recorder(), paint, "WM_PAINT");
    EXPECT_TRUE(ShowsSkin(button.Handle()));
}

TEST_F(SequenceTest, ComboBoxPaintsFirstAndEditFrameGoesToTheDefault) {
    RecordedControl combo("ComboBox", CBS_DROPDOWNLIST);
    combo.Reset();
    ::InvalidateRect(combo.Handle(), nullptr, FALSE);
    ::UpdateWindow(combo.Handle());
    const RecordedMessage paint[] = {{WM_PAINT, kSent, 0, 0}, {0, 0, 0, 0}};
    ExpectSequence(combo.Recorder(), paint, "combo box WM_PAINT");
    EXPECT_TRUE(ShowsSkin(combo.Handle()));

    RecordedControl edit("Edit", 0, WS_EX_CLIENTEDGE);
    edit.Reset();
    ::RedrawWindow(edit.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    // The frame is the skin's alone: the edit paints its client area, and the frame paint that
    // its BeginPaint asks for never reaches it.
    const RecordedMessage frame[] = {{WM_PAINT, kSent, 0, 0}, {0, 0, 0, 0}};
    ExpectSequence(edit.Recorder(), frame, "edit WM_NCPAINT");
    EXPECT_TRUE(ShowsSkin(edit.Handle()));
}

TEST_F(SequenceTest, DestroyDetachesBeforeTheLastMessage) {
    RecordedControl button("Button", BS_PUSHBUTTON);
    button.Recorder().Flush();
    HWND hwnd = button.Handle();
    ::DestroyWindow(hwnd);
    // The button is hidden, handles WM_DESTROY while skinned, and gets WM_NCDESTROY straight
    // from the system: the skin has let go in between.
    const RecordedMessage destroy[] = {
        {WM_SHOWWINDOW, kShown | kWParam, FALSE, 0}, {WM_WINDOWPOSCHANGING, kShown, 0, 0},
        {WM_WINDOWPOSCHANGED, kSent, 0, 0},          {WM_DESTROY, kSent, 0, 0},
        {WM_NCDESTROY, kSent | kUnregistered, 0, 0}, {0, 0, 0, 0}};
    ExpectSequence(button.Recorder(), destroy, "DestroyWindow");
    EXPECT_EQ(FindSkinned(hwnd), nullptr);
}

} // namespace
