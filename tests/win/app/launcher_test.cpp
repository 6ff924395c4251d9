#include "win/harness/harness.h"
#include "win/harness/template_check.h"

#include "app/launcher_dlg.h"
#include "res/maker.h"
#include "res/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

const DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;
const DWORD kText = SS_LEFT | SS_CENTERIMAGE | WS_GROUP;
// The web link adds notifications to its template style when it attaches.
const DWORD kLink = kText | SS_NOTIFY;

// Runs the launcher as the program's main window, as InitInstance does.
void RunLauncher(const std::function<void(HWND)>& body) {
    CLauncherDlg dlg;
    AfxGetApp()->m_pMainWnd = &dlg;
    RunModal(dlg, body);
    AfxGetApp()->m_pMainWnd = nullptr;
}

TEST(Launcher, ControlsStandAsTheTemplateGivesThem) {
    RunLauncher([](HWND hwnd) {
        ExpectControls(
            hwnd,
            {
                {IDC_AUX_POWER, "Button", "辅助动力源", kPush, 43, 26, 52, 21},
                {-1, "Static", MAKER_PROMO_LINE1, kText, 7, 125, 150, 16},
                {-1, "Static", MAKER_PROMO_LINE2, kText, 7, 143, 297, 16},
                {-1, "Static", MAKER_PROMO_LINE3, kText, 7, 161, 291, 16},
                {-1, "Static", MAKER_PROMO_LINE4, kText, 7, 179, 151, 16},
                {IDC_WEB_LINK, "Static", "http://www.example.com/ ", kLink, 159, 177, 117, 19},
                {-1, "Static", nullptr, SS_BITMAP, 7, 29, 0, 0},
                {IDC_SHOCK_A, "Button", "吸收冲击A", kPush, 109, 26, 52, 21},
                {IDC_PULSE_A, "Button", "消除脉动A", kPush, 43, 83, 52, 21},
                {IDC_SHOCK_B, "Button", "吸收冲击B", kPush, 175, 26, 52, 21},
                {IDC_PULSE_B, "Button", "消除脉动B", kPush, 109, 83, 52, 21},
                {IDC_PULSE_C, "Button", "消除脉动C", kPush, 175, 83, 52, 21},
                {IDC_PULSE_D, "Button", "消除脉动D", kPush, 241, 83, 52, 21},
                {IDC_EMAIL, "Edit", MAKER_EMAIL,
                 ES_LEFT | ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP, 157, 127, 79, 12},
                {-1, "Static", "）开发提供，供您", kText, 235, 125, 70, 16},
                {IDC_SHOCK_C, "Button", "吸收冲击C", kPush, 241, 26, 52, 21},
            });
    });
}

// Line 1 opens the parenthesis that the static after the e-mail field closes; line 4 leads to
// the web link.
TEST(Launcher, PromotionalBlockReadsAsOneSentence) {
    RunLauncher([](HWND hwnd) {
        HWND line1 = ::GetWindow(::GetDlgItem(hwnd, IDC_AUX_POWER), GW_HWNDNEXT);
        const std::string opening = WindowText(line1);
        ASSERT_GE(opening.size(), 2u);
        EXPECT_EQ(opening.substr(opening.size() - 2), "（");
        EXPECT_NE(ItemText(hwnd, IDC_EMAIL).find('@'), std::string::npos);
        const std::string closing =
            WindowText(::GetWindow(::GetDlgItem(hwnd, IDC_EMAIL), GW_HWNDNEXT));
        EXPECT_EQ(closing.substr(0, 2), "）");
        HWND line4 = ::GetWindow(::GetDlgItem(hwnd, IDC_WEB_LINK), GW_HWNDPREV);
        const std::string lead = WindowText(line4);
        ASSERT_GE(lead.size(), 10u);
        EXPECT_EQ(lead.substr(lead.size() - 10), "详细资料：");
        EXPECT_EQ(ItemText(hwnd, IDC_WEB_LINK).substr(0, 7), "http://");
    });
}

TEST(Launcher, TabOrderRunsThroughButtonsAndTheEmailField) {
    RunLauncher([](HWND hwnd) {
        // The focus starts on the first method, not on the e-mail field.
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(hwnd, IDC_AUX_POWER));
        const int order[] = {IDC_AUX_POWER, IDC_SHOCK_A, IDC_PULSE_A, IDC_SHOCK_B, IDC_PULSE_B,
                             IDC_PULSE_C,   IDC_PULSE_D, IDC_EMAIL,   IDC_SHOCK_C, IDC_AUX_POWER};
        HWND item = ::GetDlgItem(hwnd, order[0]);
        for (size_t i = 1; i < sizeof order / sizeof order[0]; ++i) {
            item = ::GetNextDlgTabItem(hwnd, item, FALSE);
            EXPECT_EQ(::GetDlgCtrlID(item), order[i]) << "after step " << i;
        }
    });
}

TEST(Launcher, HasSizingBorderAndMinimiseBoxButNoMaximiseBox) {
    RunLauncher([](HWND hwnd) {
        const LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
        EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX),
                  WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX);
        EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_POPUP | DS_MODALFRAME), 0);
        EXPECT_TRUE(::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
        const std::string caption = WindowText(hwnd);
        EXPECT_EQ(caption.substr(caption.size() - 3), "1.3");
    });
}

TEST(Launcher, CarriesItsIconBigAndSmall) {
    RunLauncher([](HWND hwnd) {
        const auto big = reinterpret_cast<HICON>(::SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0));
        const auto small = reinterpret_cast<HICON>(::SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0));
        EXPECT_NE(big, nullptr);
        EXPECT_EQ(big, small);
        EXPECT_EQ(big, ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME)));
        // Dragged while minimised, the launcher shows the same icon.
        EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(hwnd, WM_QUERYDRAGICON, 0, 0)), big);
    });
}

TEST(Launcher, SystemMenuEndsWithTheAboutEntryThatOpensTheAboutBox) {
    RunLauncher([](HWND hwnd) {
        HMENU menu = ::GetSystemMenu(hwnd, FALSE);
        ASSERT_NE(menu, nullptr);
        const int count = ::GetMenuItemCount(menu);
        ASSERT_GE(count, 2);
        EXPECT_EQ(::GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
        char text[64] = {};
        ::GetMenuStringA(menu, count - 1, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, "关于 Presovol(&A)...");
        MENUITEMINFOA separator{};
        separator.cbSize = sizeof separator;
        separator.fMask = MIIM_FTYPE;
        ::GetMenuItemInfoA(menu, count - 2, TRUE, &separator);
        EXPECT_TRUE(separator.fType & MFT_SEPARATOR);

        std::string versionText;
        NestedDialogCatcher catcher([&](HWND about) {
            EXPECT_EQ(::GetWindow(about, GW_OWNER), hwnd);
            EXPECT_FALSE(::IsWindowEnabled(hwnd));
            HWND child = ::GetWindow(about, GW_CHILD);
            versionText = WindowText(::GetWindow(child, GW_HWNDNEXT));
            EXPECT_EQ(ItemText(about, IDOK), "确定");
        });
        // Every command from 16 to 31 is the about entry.
        for (WPARAM command : {0x10, 0x1F, 0x13}) {
            ::SendMessageA(hwnd, WM_SYSCOMMAND, command, 0);
        }
        ::SendMessageA(hwnd, WM_SYSCOMMAND, 0x20, 0); // not the about box
        ASSERT_EQ(catcher.Captions().size(), 3u);
        for (const auto& caption : catcher.Captions()) {
            EXPECT_EQ(caption, "关于 Presovol");
        }
        EXPECT_EQ(versionText, "Presovol 1.0 版");
        EXPECT_TRUE(::IsWindowEnabled(hwnd));
    });
}

TEST(Launcher, EachMethodButtonHasItsBalloonTip) {
    RunLauncher([](HWND hwnd) {
        HWND tip = nullptr;
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND w, LPARAM lParam) -> BOOL {
                char name[64] = {};
                ::GetClassNameA(w, name, sizeof name);
                if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0 &&
                    ::SendMessageA(w, TTM_GETTOOLCOUNT, 0, 0) == 8) {
                    *reinterpret_cast<HWND*>(lParam) = w;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&tip));
        ASSERT_NE(tip, nullptr);
        EXPECT_EQ(::GetWindow(tip, GW_OWNER), hwnd);
        const LONG style = ::GetWindowLongA(tip, GWL_STYLE);
        EXPECT_EQ(style & (TTS_BALLOON | TTS_NOPREFIX), TTS_BALLOON | TTS_NOPREFIX);
        const struct {
            int id;
            const char* text;
        } tools[] = {
            {IDC_AUX_POWER, "作辅助动力源、应急动力源、流量补充、保压等"},
            {IDC_SHOCK_A, "吸收管道突然关闭等造成的液压冲击、水锤"},
            {IDC_SHOCK_B, "吸收管道突然关闭等造成的液压冲击、水锤"},
            {IDC_SHOCK_C, "吸收管道突然关闭等造成的液压冲击、水锤"},
            {IDC_PULSE_A, "吸收柱塞泵造成的脉动，消减噪音和振动"},
            {IDC_PULSE_B, "吸收柱塞泵造成的脉动，消减噪音和振动"},
            {IDC_PULSE_C, "吸收非柱塞泵造成的脉动，消减噪音和振动"},
            {IDC_PULSE_D, "吸收非柱塞泵造成的脉动，消减噪音和振动"},
        };
        for (const auto& tool : tools) {
            char text[256] = {};
            TOOLINFOA info{};
            info.cbSize = TTTOOLINFOA_V2_SIZE;
            info.hwnd = hwnd;
            info.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(hwnd, tool.id));
            info.lpszText = text;
            ::SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
            EXPECT_STREQ(text, tool.text) << tool.id;
        }
    });
}

TEST(Launcher, EmailFieldIsRedReadOnlyBorderlessInItsOwnFont) {
    RunLauncher([](HWND hwnd) {
        HWND email = ::GetDlgItem(hwnd, IDC_EMAIL);
        EXPECT_EQ(WindowText(email), MAKER_EMAIL);
        const LONG style = ::GetWindowLongA(email, GWL_STYLE);
        EXPECT_TRUE(style & ES_READONLY);
        EXPECT_FALSE(style & WS_BORDER);
        EXPECT_FALSE(::GetWindowLongA(email, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));

        LOGFONTA font{};
        auto hfont = reinterpret_cast<HFONT>(::SendMessageA(email, WM_GETFONT, 0, 0));
        ASSERT_NE(hfont, nullptr);
        ASSERT_EQ(::GetObjectA(hfont, sizeof font, &font), static_cast<int>(sizeof font));
        EXPECT_EQ(font.lfHeight, 15);
        EXPECT_EQ(font.lfWeight, FW_NORMAL);
        EXPECT_EQ(font.lfPitchAndFamily, FF_SWISS | DEFAULT_PITCH);
        EXPECT_STREQ(font.lfFaceName, "宋体");

        // The caret stands at the end of the address.
        DWORD end = 0;
        ::SendMessageA(email, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(end, WindowText(email).size());
        // The whole address fits: its first character is the first one shown.
        EXPECT_EQ(::SendMessageA(email, EM_GETFIRSTVISIBLELINE, 0, 0), 0);

        // Its text colour is red; other statics keep the system's.
        HDC dc = ::CreateCompatibleDC(nullptr);
        ::SendMessageA(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(email));
        EXPECT_EQ(::GetTextColor(dc), RGB(255, 0, 0));
        ::SetTextColor(dc, RGB(1, 2, 3));
        ::SendMessageA(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(::GetDlgItem(hwnd, IDC_WEB_LINK)));
        EXPECT_NE(::GetTextColor(dc), RGB(255, 0, 0));
        ::DeleteDC(dc);
    });
}

TEST(Launcher, AuxPowerButtonOpensItsCalculator) {
    RunLauncher([](HWND hwnd) {
        HWND owner = nullptr;
        NestedDialogCatcher catcher([&](HWND calc) { owner = ::GetWindow(calc, GW_OWNER); });
        ClickItem(hwnd, IDC_AUX_POWER);
        ASSERT_EQ(catcher.Captions().size(), 1u);
        EXPECT_EQ(catcher.Captions()[0], "作辅助动力源、应急动力源、流量补充、保压等");
        EXPECT_EQ(owner, hwnd);
    });
}

TEST(Launcher, ClosingEndsTheModalRun) {
    CLauncherDlg dlg;
    const INT_PTR result = RunModal(dlg, [](HWND hwnd) {
        ::PostMessageA(hwnd, WM_CLOSE, 0, 0);
        PumpMessages();
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

} // namespace
