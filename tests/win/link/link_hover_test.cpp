#include "link_test_support.h"

#include <gtest/gtest.h>

namespace {

const std::string kAddress = "http://www.example.com/ ";

// Puts the pointer on the middle of the link and waits for the hover to start.
POINT StartHover(HWND link, const LinkProbe& probe) {
    RECT client;
    ::GetClientRect(link, &client);
    const POINT at = MovePointer(link, client.right / 2, client.bottom / 2);
    EXPECT_TRUE(PumpUntil([&] { return probe.m_hovering != FALSE; }));
    return at;
}

TEST(LinkHover, FirstMoveUnderlinesRepaintsInTheHoverColourAndStartsTheTimer) {
    LinkHost host(kAddress);
    LinkProbe link;
    ASSERT_TRUE(link.SubclassWindow(host.Static()));
    ParkPointer();
    ASSERT_FALSE(link.m_hovering);
    Smudge(host.Static());

    const POINT at = StartHover(host.Static(), link);
    ASSERT_TRUE(link.m_hovering);
    EXPECT_EQ(CurrentFont(host.Static()), link.m_underlinedFont.GetSafeHandle());
    EXPECT_EQ(AskTextColor(host.Window(), host.Static()).text, kHoverRed);

    ::UpdateWindow(host.Static());
    int width = 0;
    int height = 0;
    const std::vector<COLORREF> pixels = ReadClientPixels(host.Static(), &width, &height);
    EXPECT_GT(CountPixels(pixels, kHoverRed), 50);
    EXPECT_EQ(CountPixels(pixels, kLinkBlue), 0);
    EXPECT_EQ(pixels.back(), ::GetSysColor(COLOR_BTNFACE));

    // The timer polls; with the pointer still on the link, a tick changes nothing.
    ASSERT_TRUE(PumpUntilTick(host.Static(), at));
    EXPECT_TRUE(link.m_hovering);
    EXPECT_EQ(CurrentFont(host.Static()), link.m_underlinedFont.GetSafeHandle());
    ParkPointer();
}

TEST(LinkHover, ATickEndsTheHoverOnlyWithThePointerOffTheClientRectangle) {
    LinkHost host(kAddress);
    LinkProbe link;
    ASSERT_TRUE(link.SubclassWindow(host.Static()));
    RECT client;
    ::GetClientRect(host.Static(), &client);
    const int w = client.right;
    const int h = client.bottom;
    struct Case {
        int x;
        int y;
        bool inside;
    };
    // Left and top edges belong to the control, right and bottom edges do not.
    const Case cases[] = {
        {0, 0, true},      {w - 1, h - 1, true}, {w / 2, h / 2, true}, {w, h / 2, false},
        {w / 2, h, false}, {-1, h / 2, false},   {w / 2, -1, false},   {w, h, false},
    };
    ParkPointer();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "pointer at " << c.x << "," << c.y);
        if (!link.m_hovering) {
            StartHover(host.Static(), link);
        }
        ASSERT_TRUE(link.m_hovering);
        const POINT at = MovePointer(host.Static(), c.x, c.y);
        ASSERT_TRUE(PumpUntilTick(host.Static(), at));
        EXPECT_EQ(link.m_hovering != FALSE, c.inside);
        if (c.inside) {
            EXPECT_EQ(CurrentFont(host.Static()), link.m_underlinedFont.GetSafeHandle());
            EXPECT_EQ(AskTextColor(host.Window(), host.Static()).text, kHoverRed);
        } else {
            EXPECT_EQ(CurrentFont(host.Static()), link.m_plainFont.GetSafeHandle());
            EXPECT_EQ(AskTextColor(host.Window(), host.Static()).text, kLinkBlue);
            // The timer has gone with the hover.
            EXPECT_FALSE(::KillTimer(host.Static(), kHoverTimer));
        }
    }
    ParkPointer();
}

// Counts the fonts the link is given.
int g_fontChanges = 0;
HWND g_watched = nullptr;

LRESULT CALLBACK CountFontChanges(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->hwnd == g_watched && sent->message == WM_SETFONT) {
        ++g_fontChanges;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(LinkHover, MovesDuringAHoverChangeNothingAndAShortAbsenceGoesUnnoticed) {
    LinkHost host(kAddress);
    LinkProbe link;
    ASSERT_TRUE(link.SubclassWindow(host.Static()));
    ParkPointer();
    StartHover(host.Static(), link);
    ::UpdateWindow(host.Static());

    g_watched = host.Static();
    g_fontChanges = 0;
    HHOOK hook =
        ::SetWindowsHookExA(WH_CALLWNDPROC, &CountFontChanges, nullptr, ::GetCurrentThreadId());
    MovePointer(host.Static(), 5, 5);
    const bool moved = PumpUntilDispatched([&](const MSG& msg) {
        return msg.message == WM_MOUSEMOVE && msg.hwnd == host.Static() &&
               LOWORD(msg.lParam) == 5 && HIWORD(msg.lParam) == 5;
    });
    RECT update;
    const BOOL repaint = ::GetUpdateRect(host.Static(), &update, FALSE);
    ::UnhookWindowsHookEx(hook);
    ASSERT_TRUE(moved);
    EXPECT_EQ(g_fontChanges, 0);
    EXPECT_FALSE(repaint);
    EXPECT_TRUE(link.m_hovering);

    // Off and back on before the next tick is taken: the tick sees the pointer on the link.
    RECT client;
    ::GetClientRect(host.Static(), &client);
    MovePointer(host.Static(), client.right + 10, client.bottom / 2);
    const POINT back = MovePointer(host.Static(), 7, 7);
    ASSERT_TRUE(PumpUntilTick(host.Static(), back));
    EXPECT_TRUE(link.m_hovering);
    EXPECT_EQ(CurrentFont(host.Static()), link.m_underlinedFont.GetSafeHandle());
    ParkPointer();
}

} // namespace
