// The program on a Windows whose ANSI code page is Western (1252): every Chinese text reaches
// its windows as the same Unicode text a Chinese system shows, and what the user types comes
// back intact.
#include "win/harness/harness.h"
#include "win/harness/message_box_inspector.h"

#include "app/launcher_dlg.h"
#include "calc/aux_power_dlg.h"
#include "res/maker.h"
#include "res/resource.h"
#include "skin/control_skin.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

using Texts = std::vector<std::wstring>;

const wchar_t kAux[] = L"作辅助动力源、应急动力源、流量补充、保压等";
const wchar_t kShock[] = L"吸收管道突然关闭等造成的液压冲击、水锤";
const wchar_t kPlunger[] = L"吸收柱塞泵造成的脉动，消减噪音和振动";
const wchar_t kNonPlunger[] = L"吸收非柱塞泵造成的脉动，消减噪音和振动";
const wchar_t kCalculate[] = L"计算";
const wchar_t kNotes[] = L"选型与校核";
// The temperature row's labels, after the notes heading, in the calculators with a gas law.
#define TEMPERATURE_LABELS L"充气温度", L"最低工作温度", L"最高工作温度", L"°C"
const wchar_t kOpenSheet[] = L"打开…";
const wchar_t kCopySheet[] = L"复制";
const wchar_t kSaveSheet[] = L"计算书…";
const wchar_t kResultSpaced[] = L"计算结果： （公称容积）";
const wchar_t kResult[] = L"计算结果：（公称容积）";
const wchar_t kLowMpa[] = L"工作循环中最低工作压力，Mpa";
const wchar_t kHighMpa[] = L"工作循环中最高工作压力，Mpa";
const wchar_t kFooter[] = L"计算结果小于1升时，如选用1升的蓄能器，能延长整个系统使用寿命。";
const wchar_t kBrand[] = L"" MAKER_BRAND_LINE;
const wchar_t kPumpTypes[] = L"（泵类型系数，单柱塞单作用 0.60，单柱塞双作用 0.25，双柱塞单作用 "
                             L"0.25，双柱塞双作用 0.15，三柱塞单作用 0.13，三柱塞双作用 0.06）";
// Message boxes opened without a caption show the program's title: here the test program's.
const wchar_t kTitle[] = L"win_cp1252_tests";

std::wstring TextOf(HWND hwnd) {
    wchar_t text[512] = {};
    ::GetWindowTextW(hwnd, text, 512);
    return text;
}

// The texts of the dialog's children in template order, without the edits, the picture and
// the empty statics; every child must be a Unicode window.
Texts ChildTexts(HWND dialog) {
    Texts texts;
    for (HWND c = ::GetWindow(dialog, GW_CHILD); c != nullptr; c = ::GetWindow(c, GW_HWNDNEXT)) {
        EXPECT_TRUE(::IsWindowUnicode(c)) << ::GetDlgCtrlID(c);
        wchar_t className[32] = {};
        ::GetClassNameW(c, className, 32);
        const bool picture = (::GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
        const std::wstring text = TextOf(c);
        if (lstrcmpiW(className, L"Edit") != 0 && !picture && !text.empty()) {
            texts.push_back(text);
        }
    }
    return texts;
}

// The text of tool (window, id) of the first tooltip of the thread that has it.
std::wstring TipText(HWND toolWindow, UINT_PTR id) {
    std::pair<TOOLINFOW, wchar_t[256]> query{};
    query.first.cbSize = TTTOOLINFOW_V2_SIZE;
    query.first.hwnd = toolWindow;
    query.first.uId = id;
    query.first.lpszText = query.second;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND tip, LPARAM lParam) -> BOOL {
            auto* q = reinterpret_cast<std::pair<TOOLINFOW, wchar_t[256]>*>(lParam);
            wchar_t className[32] = {};
            ::GetClassNameW(tip, className, 32);
            if (lstrcmpiW(className, TOOLTIPS_CLASSW) == 0) {
                ::SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&q->first));
            }
            return q->second[0] == 0;
        },
        reinterpret_cast<LPARAM>(&query));
    return query.second;
}

// The launcher as the program's main window, as InitInstance runs it.
struct MainLauncher {
    MainLauncher() { AfxGetApp()->m_pMainWnd = &dlg; }
    ~MainLauncher() { AfxGetApp()->m_pMainWnd = nullptr; }
    CLauncherDlg dlg;
};

TEST(CodePage1252, IsTheAnsiCodePageOfThisRun) {
    EXPECT_EQ(::GetACP(), 1252u);
}

TEST(CodePage1252, LauncherShowsItsTextsTipsAndMenuEntry) {
    MainLauncher main;
    RunModal(main.dlg, [](HWND launcher) {
        EXPECT_TRUE(::IsWindowUnicode(launcher));
        EXPECT_EQ(TextOf(launcher), L"" MAKER_LAUNCHER_CAPTION);
        EXPECT_EQ(ChildTexts(launcher),
                  (Texts{L"辅助动力源", L"" MAKER_PROMO_LINE1, L"" MAKER_PROMO_LINE2,
                         L"" MAKER_PROMO_LINE3, L"" MAKER_PROMO_LINE4, L"" MAKER_WEB_ADDRESS,
                         L"吸收冲击A", L"消除脉动A", L"吸收冲击B", L"消除脉动B", L"消除脉动C",
                         L"消除脉动D", L"）开发提供，供您", L"吸收冲击C"}));

        const std::pair<int, const wchar_t*> tips[] = {
            {IDC_AUX_POWER, kAux},      {IDC_SHOCK_A, kShock},     {IDC_SHOCK_B, kShock},
            {IDC_SHOCK_C, kShock},      {IDC_PULSE_A, kPlunger},   {IDC_PULSE_B, kPlunger},
            {IDC_PULSE_C, kNonPlunger}, {IDC_PULSE_D, kNonPlunger}};
        for (const auto& [id, text] : tips) {
            EXPECT_EQ(TipText(launcher, reinterpret_cast<UINT_PTR>(::GetDlgItem(launcher, id))),
                      text)
                << id;
        }
        HWND link = ::GetDlgItem(launcher, IDC_WEB_LINK);
        EXPECT_EQ(TipText(link, 1), L"" MAKER_WEB_ADDRESS);

        HMENU menu = ::GetSystemMenu(launcher, FALSE);
        wchar_t entry[64] = {};
        ::GetMenuStringW(menu, ::GetMenuItemCount(menu) - 1, entry, 64, MF_BYPOSITION);
        EXPECT_STREQ(entry, L"关于 Presovol(&A)...");

        // The e-mail field and the hovered link keep the face the program names.
        HWND email = ::GetDlgItem(launcher, IDC_EMAIL);
        EXPECT_EQ(TextOf(email), L"" MAKER_EMAIL);
        ::SendMessageW(link, WM_MOUSEMOVE, 0, 0);
        for (HWND hwnd : {email, link}) {
            LOGFONTW font{};
            ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(hwnd, WM_GETFONT, 0, 0)),
                         sizeof font, &font);
            EXPECT_STREQ(font.lfFaceName, L"宋体");
        }
    });
}

struct CalculatorTexts {
    int button; // the launcher button that opens it
    const wchar_t* caption;
    Texts texts; // labels, hints, result label, button and notes heading in template order
};

TEST(CodePage1252, EveryCalculatorShowsItsTexts) {
    const CalculatorTexts calculators[] = {
        {IDC_AUX_POWER,
         kAux,
         {L"△V",
          L"指数n",
          L"p0",
          L"p1",
          L"p2",
          kResultSpaced,
          kCalculate,
          L"（所需蓄能器输出油液的体积，L升 ）",
          L"（释压时间大于3分钟时，n＝1；小于3分钟 n＝1.4）",
          L"（工作循环中最低工作压力，Mpa）",
          L"（工作循环中最高工作压力，Mpa）",
          L"（充气压力，折合形气囊0.8~0.85*P1；波纹形气囊0.6~0.65*P1；活塞式蓄能器0.80~0.90*"
          L"P1）",
          kNotes,
          TEMPERATURE_LABELS,
          L"放油时间",
          L"热时间常数",
          L"s；热时间常数不填则按自然对流估计",
          kOpenSheet,
          kCopySheet,
          kSaveSheet}},
        {IDC_SHOCK_A,
         kShock,
         {L"ρ", L"A", L"l", L"v", L"P0", L"P2", L"（油液的密度比重，Kg/升）", L"（管道截面积，m2）",
          L"（管道的长度，m）", L"（管道中油液的流速，m/s）",
          L"（充气压力，系统平均压力的0.9倍，Mpa）", L"（所能承受的最高冲击压力，Mpa）",
          kResultSpaced, kCalculate, kNotes, TEMPERATURE_LABELS, kOpenSheet, kCopySheet,
          kSaveSheet}},
        {IDC_PULSE_A,
         L"蓄能器用作吸收液压泵压力脉动",
         {L"A",
          L"L",
          L"P1",
          L"P2",
          L"P0",
          L"k",
          L"（柱塞的有效面积，m2）",
          L"（柱塞行程，m ）",
          kPumpTypes,
          L"（工作循环中最低工作压力，Pa）",
          L"（工作循环中最高工作压力，Pa）",
          L"（充气压力，泵出口平均压力的0.6~0.75倍，或0.8 *P1）",
          kResultSpaced,
          kCalculate,
          kFooter,
          kBrand,
          kNotes,
          TEMPERATURE_LABELS,
          kOpenSheet,
          kCopySheet,
          kSaveSheet}},
        {IDC_SHOCK_B,
         kShock,
         {L"Q", L"P1", L"P2", L"L", L"t", L"阀口关闭前管内流量，L/min",
          L"阀口关闭前管内平均压力，Mpa", L"允许的最大冲击力，Mpa", L"油源到阀口的管道长度，m",
          L"阀口关闭的时间，突然关闭时取t=0", kResult, kCalculate, kNotes, kOpenSheet, kCopySheet,
          kSaveSheet}},
        {IDC_PULSE_B,
         kPlunger,
         {L"Vp", L"P1", L"P2", L"k", L"柱塞泵的单缸排量，L", kLowMpa, kHighMpa, kPumpTypes, kResult,
          kCalculate, kFooter, kBrand, kNotes, TEMPERATURE_LABELS, kOpenSheet, kCopySheet,
          kSaveSheet}},
        {IDC_PULSE_C,
         kNonPlunger,
         {L"△V", L"P1", L"P2", L"每个循环波幅超过平均值的过剩排出量，L", kLowMpa, kHighMpa, kResult,
          kCalculate, kFooter, kBrand, kNotes, TEMPERATURE_LABELS, kOpenSheet, kCopySheet,
          kSaveSheet}},
        {IDC_PULSE_D,
         kNonPlunger,
         {L"Vp", L"△V", L"Pp", L"△P", L"液压泵的排量，L/r", L"排量内波幅超过平均值的过剩排出量，L",
          L"泵输出的平均压力，Mpa", L"压力脉动单侧振幅，Mpa", kResult, kCalculate, kFooter, kBrand,
          kNotes, kOpenSheet, kCopySheet, kSaveSheet}},
        {IDC_SHOCK_C,
         kShock,
         {L"Q",
          L"L",
          L"d",
          L"P1",
          L"P2",
          L"P0",
          L"t",
          L"ρ",
          L"阀口关闭前管内流量，L/min",
          L"管路的总长度，m",
          L"管路的内径（直径），mm",
          L"管内通常平均压力，Bar",
          L"管路允许的最大冲击力，Bar",
          L"充气压力Bar，管路平均压力的0.6~0.9倍，附加气瓶时0.95~0.97倍",
          L"流体减速/阀口关闭时间，突然关闭t=0",
          L"油液的密度比重，Kg /升",
          kResult,
          kCalculate,
          kNotes,
          TEMPERATURE_LABELS,
          kOpenSheet,
          kCopySheet,
          kSaveSheet}},
    };
    MainLauncher main;
    RunModal(main.dlg, [&](HWND launcher) {
        for (const CalculatorTexts& calculator : calculators) {
            SCOPED_TRACE(testing::Message() << "button " << calculator.button);
            int seen = 0;
            NestedDialogCatcher catcher([&](HWND dialog) {
                ++seen;
                EXPECT_TRUE(::IsWindowUnicode(dialog));
                EXPECT_EQ(TextOf(dialog), calculator.caption);
                EXPECT_EQ(ChildTexts(dialog), calculator.texts);
            });
            ClickItem(launcher, calculator.button);
            EXPECT_EQ(seen, 1);
        }
    });
}

TEST(CodePage1252, CalculationShowsTheSentenceAndTheMessages) {
    std::vector<std::pair<std::wstring, std::wstring>> boxes;
    MessageBoxInspector inspector(
        [&](HWND box) { boxes.emplace_back(TextOf(box), TextOf(::GetDlgItem(box, 0xFFFF))); });
    CAuxPowerDlg dlg;
    RunModal(dlg, [](HWND hwnd) {
        const auto type = [hwnd](int id, const wchar_t* text) {
            ::SetWindowTextW(::GetDlgItem(hwnd, id), text);
        };
        type(IDC_AUX_DELTA_V, L"十");
        ClickItem(hwnd, IDC_CALCULATE);
        type(IDC_AUX_DELTA_V, L"0");
        ClickItem(hwnd, IDC_CALCULATE);
        // Full-width digits are numbers too.
        type(IDC_AUX_DELTA_V, L"１０");
        type(IDC_AUX_N, L"1");
        type(IDC_AUX_P0, L"９");
        type(IDC_AUX_P1, L"10");
        type(IDC_AUX_P2, L"20");
        ClickItem(hwnd, IDC_CALCULATE);
        EXPECT_EQ(TextOf(::GetDlgItem(hwnd, IDC_AUX_RESULT)),
                  L"根据您的参数计算出蓄能器所需容积为：22.22 升。");
        EXPECT_EQ(TextOf(::GetDlgItem(hwnd, IDC_AUX_DELTA_V)), L"１０");
        const std::wstring notes = TextOf(::GetDlgItem(hwnd, IDC_NOTES));
        EXPECT_EQ(notes.rfind(L"选型", 0), 0u) << notes;
        EXPECT_NE(notes.find(L"\r\np0/p1 = 0.90，在活塞式蓄能器（0.80~0.90）的充气压力范围内。"),
                  std::wstring::npos);
    });
    EXPECT_EQ(boxes,
              (std::vector<std::pair<std::wstring, std::wstring>>{
                  {kTitle, L"请输入一个数字。"}, {kTitle, L"输入的参数有误，请重新输入！"}}));
}

bool Near(COLORREF seen, COLORREF expected) {
    return std::abs(GetRValue(seen) - GetRValue(expected)) <= 3 &&
           std::abs(GetGValue(seen) - GetGValue(expected)) <= 3 &&
           std::abs(GetBValue(seen) - GetBValue(expected)) <= 3;
}

TEST(CodePage1252, HotSkinnedButtonPaintsAndKeepsItsText) {
    EnableSkin(nullptr, TRUE);
    CAuxPowerDlg dlg;
    RunModal(dlg, [](HWND hwnd) {
        HWND button = ::GetDlgItem(hwnd, IDC_CALCULATE);
        ASSERT_NE(FindSkinned(button), nullptr);
        EXPECT_TRUE(::IsWindowUnicode(button));
        EXPECT_EQ(TextOf(button), kCalculate);
        RECT r;
        ::GetWindowRect(button, &r);
        const int w = r.right - r.left;
        const int h = r.bottom - r.top;
        HDC dc = ::GetWindowDC(button);
        // The border ring, and the top of the face gradient: white, then hot yellow.
        EXPECT_EQ(::GetPixel(dc, 1, h / 2), RGB(0, 60, 115));
        EXPECT_PRED2(Near, ::GetPixel(dc, w / 2, 2), RGB(255, 255, 255));
        ::SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(w / 2, h / 2));
        EXPECT_NE(FindSkinned(button)->state & kSkinHot, 0u);
        EXPECT_PRED2(Near, ::GetPixel(dc, w / 2, 2), RGB(255, 240, 207));
        ::ReleaseDC(button, dc);
        EXPECT_EQ(TextOf(button), kCalculate);
        // A new text goes through the skin's own handling of WM_SETTEXT.
        ::SetWindowTextW(button, L"再算");
        EXPECT_EQ(TextOf(button), L"再算");
    });
}

} // namespace
