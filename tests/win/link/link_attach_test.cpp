#include "link_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const std::string kAddress = "http://www.example.com/ ";

// Everything of two font descriptions but the underline.
void ExpectSameFontApartFromUnderline(const LOGFONTA& a, const LOGFONTA& b) {
    EXPECT_EQ(a.lfHeight, b.lfHeight);
    EXPECT_EQ(a.lfWidth, b.lfWidth);
    EXPECT_EQ(a.lfWeight, b.lfWeight);
    EXPECT_EQ(a.lfItalic, b.lfItalic);
    EXPECT_EQ(a.lfStrikeOut, b.lfStrikeOut);
    EXPECT_EQ(a.lfCharSet, b.lfCharSet);
    EXPECT_EQ(a.lfQuality, b.lfQuality);
    EXPECT_EQ(a.lfPitchAndFamily, b.lfPitchAndFamily);
    EXPECT_STREQ(a.lfFaceName, b.lfFaceName);
}

TEST(LinkAttach, AddsNotifyTakesTheTextVerbatimAndNamesItInItsTooltip) {
    LinkHost host(kAddress);
    const DWORD before = static_cast<DWORD>(::GetWindowLongA(host.Static(), GWL_STYLE));
    ASSERT_EQ(before & SS_NOTIFY, 0u);

    LinkProbe link;
    ASSERT_TRUE(link.SubclassWindow(host.Static()));

    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongA(host.Static(), GWL_STYLE)), before | SS_NOTIFY);
    EXPECT_EQ(link.m_url.Str(), kAddress);

    const ToolTipSeen tip = FindToolTipOf(host.Static());
    ASSERT_NE(tip.tip, nullptr);
    EXPECT_EQ(tip.toolCount, 1);
    EXPECT_EQ(tip.text, kAddress);
    EXPECT_EQ(tip.tool.uId, 1u);
    EXPECT_EQ(tip.tool.uFlags & TTF_IDISHWND, 0u);
    RECT client;
    ::GetClientRect(host.Static(), &client);
    EXPECT_TRUE(::EqualRect(&tip.tool.rect, &client));
}

TEST(LinkAttach, ShowsTheLinkColourInItsOwnFontUntilTheFirstHover) {
    LinkHost host(kAddress);
    LinkProbe link;
    ASSERT_TRUE(link.SubclassWindow(host.Static()));

    // The control keeps its own font; the two copies describe it, one underlined.
    EXPECT_EQ(CurrentFont(host.Static()), host.StaticFont());
    const LOGFONTA own = FontDescription(host.StaticFont());
    ASSERT_NE(link.m_plainFont.GetSafeHandle(), nullptr);
    ASSERT_NE(link.m_underlinedFont.GetSafeHandle(), nullptr);
    EXPECT_NE(link.m_plainFont.GetSafeHandle(), host.StaticFont());
    const LOGFONTA plain = FontDescription(link.m_plainFont.GetSafeHandle());
    const LOGFONTA underlined = FontDescription(link.m_underlinedFont.GetSafeHandle());
    ExpectSameFontApartFromUnderline(plain, own);
    EXPECT_FALSE(plain.lfUnderline);
    ExpectSameFontApartFromUnderline(underlined, own);
    EXPECT_TRUE(underlined.lfUnderline);

    // The parent reflects the colour message: link blue, and no background brush.
    const CtlColorAnswer answer = AskTextColor(host.Window(), host.Static());
    EXPECT_EQ(answer.text, kLinkBlue);
    EXPECT_EQ(answer.brush, ::GetStockObject(NULL_BRUSH));

    Smudge(host.Static());
    ::InvalidateRect(host.Static(), nullptr, TRUE);
    ::UpdateWindow(host.Static());
    int width = 0;
    int height = 0;
    const std::vector<COLORREF> pixels = ReadClientPixels(host.Static(), &width, &height);
    EXPECT_GT(CountPixels(pixels, kLinkBlue), 50);
    EXPECT_EQ(CountPixels(pixels, kHoverRed), 0);
    // Right of the text the background is the button face the control erased it with.
    EXPECT_EQ(pixels[static_cast<size_t>(width - 1)], ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(pixels.back(), ::GetSysColor(COLOR_BTNFACE));
}

TEST(LinkAttach, WithoutTextOrFontTakesAnEmptyAddressAndTheStockGuiFont) {
    LinkHost host("", false);
    ASSERT_EQ(CurrentFont(host.Static()), nullptr);
    LinkProbe link;
    ASSERT_TRUE(link.SubclassWindow(host.Static()));

    EXPECT_TRUE(link.m_url.IsEmpty());
    const ToolTipSeen tip = FindToolTipOf(host.Static());
    ASSERT_NE(tip.tip, nullptr);
    EXPECT_EQ(tip.text, "");

    const LOGFONTA stock = FontDescription(::GetStockObject(DEFAULT_GUI_FONT));
    ASSERT_NE(link.m_plainFont.GetSafeHandle(), nullptr);
    ExpectSameFontApartFromUnderline(FontDescription(link.m_plainFont.GetSafeHandle()), stock);
    ExpectSameFontApartFromUnderline(FontDescription(link.m_underlinedFont.GetSafeHandle()), stock);
    EXPECT_TRUE(FontDescription(link.m_underlinedFont.GetSafeHandle()).lfUnderline);
    // Attaching does not give the control a font.
    EXPECT_EQ(CurrentFont(host.Static()), nullptr);
}

// The cursor the link should copy: the Help program's hand, or the system's where that is
// missing.
HCURSOR ExpectedHandSource(HMODULE* help) {
    char path[MAX_PATH] = {};
    ::GetWindowsDirectoryA(path, MAX_PATH);
    lstrcatA(path, "\\winhlp32.exe");
    *help = ::LoadLibraryA(path);
    HCURSOR cursor = *help != nullptr ? ::LoadCursorA(*help, MAKEINTRESOURCEA(106)) : nullptr;
    return cursor != nullptr ? cursor : ::LoadCursorA(nullptr, IDC_HAND);
}

TEST(LinkAttach, SetsItsOwnCopyOfTheHandCursorAndLeavesThePointerAloneWithoutOne) {
    LinkHost host(kAddress);
    LinkProbe link;
    ASSERT_TRUE(link.SubclassWindow(host.Static()));
    ASSERT_NE(link.m_handCursor, nullptr);

    HMODULE help = nullptr;
    HCURSOR source = ExpectedHandSource(&help);
    ASSERT_NE(source, nullptr);
    EXPECT_NE(link.m_handCursor, source);
    ICONINFO mine{};
    ICONINFO original{};
    ASSERT_TRUE(::GetIconInfo(link.m_handCursor, &mine));
    ASSERT_TRUE(::GetIconInfo(source, &original));
    EXPECT_FALSE(mine.fIcon);
    EXPECT_EQ(mine.xHotspot, original.xHotspot);
    EXPECT_EQ(mine.yHotspot, original.yHotspot);
    for (HBITMAP bitmap : {mine.hbmMask, mine.hbmColor, original.hbmMask, original.hbmColor}) {
        if (bitmap != nullptr) {
            ::DeleteObject(bitmap);
        }
    }
    if (help != nullptr) {
        ::FreeLibrary(help);
    }

    const LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
    ::SetCursor(arrow);
    EXPECT_EQ(::SendMessageA(host.Static(), WM_SETCURSOR, reinterpret_cast<WPARAM>(host.Static()),
                             overClient),
              TRUE);
    EXPECT_EQ(::GetCursor(), link.m_handCursor);

    HCURSOR hand = link.m_handCursor;
    link.m_handCursor = nullptr;
    ::SetCursor(arrow);
    EXPECT_EQ(::SendMessageA(host.Static(), WM_SETCURSOR, reinterpret_cast<WPARAM>(host.Static()),
                             overClient),
              FALSE);
    EXPECT_EQ(::GetCursor(), arrow);
    link.m_handCursor = hand;
}

TEST(LinkAttach, LetsGoOfItsFontsCursorAndTooltipWithTheObject) {
    LinkHost host(kAddress);
    HGDIOBJ plain = nullptr;
    HGDIOBJ underlined = nullptr;
    HCURSOR cursor = nullptr;
    HWND tip = nullptr;
    {
        LinkProbe link;
        ASSERT_TRUE(link.SubclassWindow(host.Static()));
        plain = link.m_plainFont.GetSafeHandle();
        underlined = link.m_underlinedFont.GetSafeHandle();
        cursor = link.m_handCursor;
        tip = FindToolTipOf(host.Static()).tip;
        ASSERT_NE(plain, nullptr);
        ASSERT_NE(underlined, nullptr);
        ASSERT_NE(cursor, nullptr);
        ASSERT_TRUE(::IsWindow(tip));
    }
    EXPECT_EQ(::GetObjectType(plain), 0u);
    EXPECT_EQ(::GetObjectType(underlined), 0u);
    ICONINFO info{};
    EXPECT_FALSE(::GetIconInfo(cursor, &info));
    EXPECT_FALSE(::IsWindow(tip));
}

// Records the messages the tooltip is asked to relay.
std::vector<const MSG*> g_relayed;
WNDPROC g_tipProc = nullptr;

LRESULT CALLBACK RecordRelay(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TTM_RELAYEVENT) {
        g_relayed.push_back(reinterpret_cast<const MSG*>(lParam));
    }
    return ::CallWindowProcA(g_tipProc, hwnd, message, wParam, lParam);
}

TEST(LinkAttach, RelaysEveryMessageToItsTooltip) {
    LinkHost host(kAddress);
    LinkProbe link;
    ASSERT_TRUE(link.SubclassWindow(host.Static()));
    HWND tip = FindToolTipOf(host.Static()).tip;
    ASSERT_NE(tip, nullptr);
    g_relayed.clear();
    g_tipProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(tip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordRelay)));

    MSG messages[] = {
        {host.Static(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 4), 0, {0, 0}},
        {host.Static(), WM_TIMER, kHoverTimer, 0, 0, {0, 0}},
        {host.Window(), WM_KEYDOWN, VK_SPACE, 0, 0, {0, 0}},
    };
    for (MSG& msg : messages) {
        EXPECT_FALSE(link.PreTranslateMessage(&msg));
    }
    ::SetWindowLongPtrA(tip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_tipProc));

    ASSERT_EQ(g_relayed.size(), 3u);
    for (size_t i = 0; i < g_relayed.size(); ++i) {
        EXPECT_EQ(g_relayed[i], &messages[i]);
    }
}

} // namespace
