// The hover look with the real pointer, moved from inside Wine.
#include "skin_fixture.h"

#include "win/harness/harness.h"

#include <algorithm>

namespace {

using MouseTest = SkinTest;

POINT ScreenPoint(HWND hwnd, int x, int y) {
    RECT r;
    ::GetWindowRect(hwnd, &r);
    return POINT{r.left + x, r.top + y};
}

void MoveTo(POINT p) {
    ::SetCursorPos(p.x, p.y);
}

bool IsHot(HWND hwnd) {
    const SkinnedControl* node = FindSkinned(hwnd);
    return node != nullptr && (node->state & kSkinHot) != 0;
}

// Whether a move to (x, y) of the control, with the left button down or not, has reached the
// control's own procedure through the skin.
bool MovedTo(const MessageRecorder& recorder, int x, int y, bool leftDown) {
    const auto& seen = recorder.Seen();
    return std::any_of(seen.begin(), seen.end(), [&](const RecordedMessage& m) {
        return m.message == WM_MOUSEMOVE && LOWORD(m.lParam) == x && HIWORD(m.lParam) == y &&
               ((m.wParam & MK_LBUTTON) != 0) == leftDown;
    });
}

// The window the system watches for the pointer leaving, or NULL.
HWND TrackedWindow() {
    TRACKMOUSEEVENT query{sizeof(TRACKMOUSEEVENT), TME_QUERY, nullptr, 0};
    ::TrackMouseEvent(&query);
    return (query.dwFlags & TME_LEAVE) != 0 ? query.hwndTrack : nullptr;
}

// The face gradient of a push button at row y of its face (2, 2, w-2, h-2), between the top and
// bottom colours.
COLORREF FaceAt(COLORREF top, COLORREF bottom, int h, int y) {
    const double v = static_cast<double>(y - 2) / (h - 4);
    auto channel = [&](int shift) {
        const double a = (top >> shift) & 0xFF;
        const double b = (bottom >> shift) & 0xFF;
        return static_cast<int>(a + (b - a) * v + 0.5);
    };
    return RGB(channel(0), channel(8), channel(16));
}

TEST_F(MouseTest, PointerOverAButtonShowsTheHotFaceUntilItLeaves) {
    HostWindow host;
    HWND button = host.Add("Button", BS_PUSHBUTTON, "Hover", 140, 40);
    HWND other = host.Add("Static", SS_LEFT, "elsewhere", 140, 40);
    MoveTo(ScreenPoint(other, 20, 20));
    PumpMessages();
    MessageRecorder recorder;
    recorder.Install(button);
    ASSERT_NE(AttachSkin(button), nullptr);
    const SIZE size = WindowSize(button);
    const int x = size.cx / 2;

    MoveTo(ScreenPoint(button, 30, size.cy / 2));
    ASSERT_TRUE(PumpUntil([&] { return IsHot(button); })) << "the pointer made the button hot";
    EXPECT_EQ(TrackedWindow(), button) << "the skin asked to hear when the pointer leaves";
    // Face row 1: from (255, 240, 207) at the top to (229, 151, 0) at the bottom.
    const COLORREF top = RGB(255, 240, 207);
    const COLORREF bottom = RGB(229, 151, 0);
    EXPECT_LE(ColourDistance(WindowPixel(button, x, 2), top), 3);
    EXPECT_LE(ColourDistance(WindowPixel(button, x, size.cy - 3),
                             FaceAt(top, bottom, size.cy, size.cy - 3)),
              3);
    EXPECT_EQ(WindowPixel(button, 1, size.cy / 2), kPushRing);

    // Further moves on the hot button ask for nothing more: with the watch called off, a move
    // leaves it off.
    TRACKMOUSEEVENT cancel{sizeof(TRACKMOUSEEVENT), TME_LEAVE | TME_CANCEL, button, 0};
    ::TrackMouseEvent(&cancel);
    ASSERT_EQ(TrackedWindow(), nullptr);
    recorder.Flush();
    MoveTo(ScreenPoint(button, 60, size.cy / 2 + 1));
    ASSERT_TRUE(PumpUntil([&] { return MovedTo(recorder, 60, size.cy / 2 + 1, false); }))
        << "the move reached the button";
    EXPECT_EQ(TrackedWindow(), nullptr);
    EXPECT_TRUE(IsHot(button));
    ::SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(IsHot(button));

    // A new hover asks again, and leaving clears it.
    MoveTo(ScreenPoint(button, 30, size.cy / 2));
    ASSERT_TRUE(PumpUntil([&] { return IsHot(button); }));
    EXPECT_EQ(TrackedWindow(), button);
    MoveTo(ScreenPoint(other, 20, 20));
    ASSERT_TRUE(PumpUntil([&] { return !IsHot(button); })) << "leaving cleared hot";
    // Face row 4 again: white at the top.
    EXPECT_EQ(WindowPixel(button, x, 2), RGB(255, 255, 255));
    DetachSkin(button);
}

TEST_F(MouseTest, PointerMovedWithTheLeftButtonDownDoesNotMakeHot) {
    HostWindow host;
    HWND button = host.Add("Button", BS_PUSHBUTTON, "Drag", 140, 40);
    HWND other = host.Add("Static", SS_LEFT, "elsewhere", 140, 40);
    MoveTo(ScreenPoint(other, 20, 20));
    PumpMessages();
    MessageRecorder recorder;
    recorder.Install(button);
    ASSERT_NE(AttachSkin(button), nullptr);
    // The left button goes down outside and the pointer is dragged over the button.
    INPUT press{};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ::SendInput(1, &press, sizeof press);
    PumpMessages();
    MoveTo(ScreenPoint(button, 30, 20));
    EXPECT_TRUE(PumpUntil([&] { return MovedTo(recorder, 30, 20, true); }))
        << "the move with the button held reached the button";
    EXPECT_FALSE(IsHot(button));
    INPUT release{};
    release.type = INPUT_MOUSE;
    release.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &release, sizeof release);
    PumpMessages();
    // The first move without the button held does it.
    MoveTo(ScreenPoint(button, 40, 20));
    EXPECT_TRUE(PumpUntil([&] { return IsHot(button); }));
    MoveTo(ScreenPoint(other, 20, 20));
    EXPECT_TRUE(PumpUntil([&] { return !IsHot(button); }));
    DetachSkin(button);
}

} // namespace
