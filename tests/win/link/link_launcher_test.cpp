#include "link_test_support.h"

#include "app/launcher_dlg.h"
#include "res/maker.h"
#include "res/resource.h"

#include <gtest/gtest.h>

namespace {

TEST(LinkLauncher, Control1008IsALinkToTheMakersAddress) {
    CLauncherDlg dlg;
    RunModal(dlg, [&](HWND hwnd) {
        HWND link = ::GetDlgItem(hwnd, IDC_WEB_LINK);
        ASSERT_NE(link, nullptr);
        EXPECT_NE(dynamic_cast<CLinkStatic*>(CWnd::FromHandlePermanent(link)), nullptr);
        const DWORD style = static_cast<DWORD>(::GetWindowLongA(link, GWL_STYLE));
        EXPECT_EQ(style & SS_NOTIFY, static_cast<DWORD>(SS_NOTIFY));
        EXPECT_EQ(style & (WS_GROUP | SS_CENTERIMAGE | WS_VISIBLE),
                  static_cast<DWORD>(WS_GROUP | SS_CENTERIMAGE | WS_VISIBLE));

        // The tooltip names the address with its trailing blank.
        const std::string address = MAKER_WEB_ADDRESS;
        ASSERT_EQ(address.back(), ' ');
        EXPECT_EQ(FindToolTipOf(link).text, address);

        // The launcher's colour handler hands the link's colour to the link, and still makes
        // the e-mail field red.
        const CtlColorAnswer answer = AskTextColor(hwnd, link);
        EXPECT_EQ(answer.text, kLinkBlue);
        EXPECT_EQ(answer.brush, ::GetStockObject(NULL_BRUSH));
        EXPECT_EQ(AskTextColor(hwnd, ::GetDlgItem(hwnd, IDC_EMAIL)).text, RGB(255, 0, 0));

        // Until the first hover the link shows in the dialog's own font.
        EXPECT_EQ(CurrentFont(link),
                  reinterpret_cast<HFONT>(::SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    });
}

TEST(LinkLauncher, HoverAndAClickWithTheMouseOpenTheAddress) {
    ScopedClassesValue browser("http\\shell\\open\\command");
    browser.Set("\"" + LoggerPath() + "\" \"%1\"");
    ClearLoggerLog();
    std::string log;
    CLauncherDlg dlg;
    RunModal(dlg, [&](HWND hwnd) {
        HWND link = ::GetDlgItem(hwnd, IDC_WEB_LINK);
        ParkPointer();
        RECT client;
        ::GetClientRect(link, &client);
        MovePointer(link, client.right / 2, client.bottom / 2);
        ASSERT_TRUE(PumpUntil([&] { return FontDescription(CurrentFont(link)).lfUnderline; }));
        EXPECT_EQ(AskTextColor(hwnd, link).text, kHoverRed);
        // The pointer shows the hand over the link.
        EXPECT_EQ(::SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
                  TRUE);

        INPUT clicks[2] = {};
        clicks[0].type = INPUT_MOUSE;
        clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        clicks[1].type = INPUT_MOUSE;
        clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ASSERT_EQ(::SendInput(2, clicks, sizeof(INPUT)), 2u);
        log = WaitForLoggerLog();

        // Off the link, the next tick ends the hover; the text stays visited.
        const POINT off = MovePointer(link, client.right / 2, client.bottom + 6);
        ASSERT_TRUE(PumpUntilTick(link, off));
        EXPECT_FALSE(FontDescription(CurrentFont(link)).lfUnderline);
        EXPECT_EQ(AskTextColor(hwnd, link).text, kVisitedPurple);
        ParkPointer();
    });
    EXPECT_EQ(log, "\"" + LoggerPath() + "\" \"" MAKER_WEB_ADDRESS "\"\n");
}

} // namespace
