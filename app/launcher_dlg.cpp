#include "app/launcher_dlg.h"

#include "app/about_dlg.h"
#include "base/late_win.h"
#include "calc/aux_power_dlg.h"
#include "calc/calc_sheet.h"
#include "calc/pulse_dlg.h"
#include "calc/shock_dlg.h"
#include "res/maker.h"
#include "res/resource.h"
#include "skin/control_skin.h"

#include <commctrl.h>
#include <shellapi.h>

#include <memory>

namespace {

const char* const kTipAuxPower = "作辅助动力源、应急动力源、流量补充、保压等";
const char* const kTipShock = "吸收管道突然关闭等造成的液压冲击、水锤";
const char* const kTipPlunger = "吸收柱塞泵造成的脉动，消减噪音和振动";
const char* const kTipNonPlunger = "吸收非柱塞泵造成的脉动，消减噪音和振动";

// The frame the launcher takes at its creation: caption, system menu, sizing border and
// minimise box.
const LONG kLauncherStyle = 0x00CE0000;
const DWORD kToolTipStyle = TTS_NOPREFIX | TTS_BALLOON;
const COLORREF kEmailTextColour = RGB(255, 0, 0);
// The e-mail field's font height, in pixels at 96 dots per inch.
const int kEmailFontHeight = 15;

// The screen's resolution, in dots per inch.
int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

BOOL CALLBACK FindPicture(HWND child, LPARAM lParam) {
    if ((::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP) {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(lParam) = child;
    return FALSE;
}

// A copy of bitmap, drawn for 96 dots per inch, stretched smoothly to the same size on a screen
// of dpi; NULL when it cannot be made.
HBITMAP StretchedFor(HBITMAP bitmap, int dpi) {
    BITMAP size{};
    if (bitmap == nullptr || ::GetObjectA(bitmap, sizeof size, &size) == 0) {
        return nullptr;
    }
    const int width = ::MulDiv(size.bmWidth, dpi, 96);
    const int height = ::MulDiv(size.bmHeight, dpi, 96);
    HDC screen = ::GetDC(nullptr);
    HDC source = ::CreateCompatibleDC(screen);
    HDC target = ::CreateCompatibleDC(screen);
    HBITMAP copy = ::CreateCompatibleBitmap(screen, width, height);
    if (source != nullptr && target != nullptr && copy != nullptr) {
        HGDIOBJ oldSource = ::SelectObject(source, bitmap);
        HGDIOBJ oldTarget = ::SelectObject(target, copy);
        ::SetStretchBltMode(target, HALFTONE);
        ::SetBrushOrgEx(target, 0, 0, nullptr);
        ::StretchBlt(target, 0, 0, width, height, source, 0, 0, size.bmWidth, size.bmHeight,
                     SRCCOPY);
        ::SelectObject(target, oldTarget);
        ::SelectObject(source, oldSource);
    } else if (copy != nullptr) {
        ::DeleteObject(copy);
        copy = nullptr;
    }
    ::DeleteDC(target);
    ::DeleteDC(source);
    ::ReleaseDC(nullptr, screen);
    return copy;
}

// A new calculator of method.
std::unique_ptr<CDialog> NewCalculator(sizing::MethodId method) {
    switch (method) {
    case sizing::MethodId::Aux:
        return std::make_unique<CAuxPowerDlg>();
    case sizing::MethodId::ShockA:
        return std::make_unique<CShockADlg>();
    case sizing::MethodId::ShockB:
        return std::make_unique<CShockBDlg>();
    case sizing::MethodId::ShockC:
        return std::make_unique<CShockCDlg>();
    case sizing::MethodId::PulseA:
        return std::make_unique<CPulseADlg>();
    case sizing::MethodId::PulseB:
        return std::make_unique<CPulseBDlg>();
    case sizing::MethodId::PulseC:
        return std::make_unique<CPulseCDlg>();
    case sizing::MethodId::PulseD:
        break;
    }
    return std::make_unique<CPulseDDlg>();
}

// The first file of a drop on the launcher; empty when it holds none. Ends the drop.
std::wstring DroppedFile(HDROP drop) {
    auto* const query = base::late::DragQueryFileW.Load();
    auto* const finish = base::late::DragFinish.Load();
    if (query == nullptr || finish == nullptr) {
        return {};
    }
    std::wstring file(query(drop, 0, nullptr, 0), L'\0');
    if (!file.empty()) {
        query(drop, 0, &file[0], static_cast<UINT>(file.size() + 1));
    }
    finish(drop);
    return file;
}

} // namespace

CLauncherDlg::CLauncherDlg() : CDialog(IDD_LAUNCHER, nullptr), m_webLink(true), m_hIcon(nullptr) {
    if (CWinApp* app = AfxGetApp()) {
        m_hIcon = app->LoadIcon(IDR_MAINFRAME);
    }
}

void CLauncherDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_SHOCK_C, m_btnShockC);
    DDX_Control(dx, IDC_EMAIL, m_email);
    DDX_Control(dx, IDC_PULSE_D, m_btnPulseD);
    DDX_Control(dx, IDC_PULSE_C, m_btnPulseC);
    DDX_Control(dx, IDC_PULSE_B, m_btnPulseB);
    DDX_Control(dx, IDC_SHOCK_B, m_btnShockB);
    DDX_Control(dx, IDC_AUX_POWER, m_btnAuxPower);
    DDX_Control(dx, IDC_SHOCK_A, m_btnShockA);
    DDX_Control(dx, IDC_PULSE_A, m_btnPulseA);
    DDX_Control(dx, IDC_WEB_LINK, m_webLink);
}

BEGIN_MESSAGE_MAP(CLauncherDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_BN_CLICKED(IDC_AUX_POWER, OnAuxPower)
ON_BN_CLICKED(IDC_SHOCK_A, OnShockA)
ON_BN_CLICKED(IDC_PULSE_A, OnPulseA)
ON_BN_CLICKED(IDC_SHOCK_B, OnShockB)
ON_BN_CLICKED(IDC_PULSE_B, OnPulseB)
ON_BN_CLICKED(IDC_PULSE_C, OnPulseC)
ON_BN_CLICKED(IDC_PULSE_D, OnPulseD)
ON_WM_CREATE()
ON_WM_CTLCOLOR()
ON_BN_CLICKED(IDC_SHOCK_C, OnShockC)
ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

BOOL CLauncherDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    const int dpi = ScreenDpi();
    ShowPictureAt(dpi);

    m_emailFont.CreateFont(::MulDiv(kEmailFontHeight, dpi, 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                           FALSE, ANSI_CHARSET, 0, 0, 0, FF_SWISS | DEFAULT_PITCH, "宋体");
    // The font first: the field lays its text out once.
    m_email.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_emailFont.GetSafeHandle()), TRUE);
    m_email.SetWindowText(MAKER_EMAIL);
    // Caret to the end of the text, selection from there on: nothing shows selected.
    const DWORD selection = static_cast<DWORD>(m_email.SendMessage(EM_GETSEL));
    m_email.SendMessage(EM_SETSEL, HIWORD(selection), -1);
    m_email.SendMessage(EM_SCROLLCARET);

    // Files dropped on the launcher come as WM_DROPFILES; the shell that reads them is loaded
    // with the first drop.
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE,
                        ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
    if (!m_startSheet.empty()) {
        ::PostMessageW(m_hWnd, WM_OPEN_START_SHEET, 0, 0);
    }

    // From here on every button, edit and combo box of the thread takes the skinned look. Last,
    // so that the messages above do not pass through the skin's hook.
    EnableSkin(nullptr, TRUE);
    return TRUE;
}

LRESULT CLauncherDlg::OnKickIdle(WPARAM, LPARAM) {
    if (CMenu* sysMenu = GetSystemMenu(FALSE)) {
        CString aboutItem;
        aboutItem.LoadString(IDS_ABOUTBOX);
        if (!aboutItem.IsEmpty()) {
            sysMenu->AppendMenu(MF_SEPARATOR);
            sysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, aboutItem);
        }
    }

    m_webLink.MakeTipAndCursor();
    m_toolTip.Create(this, kToolTipStyle);
    m_toolTip.AddTool(&m_btnAuxPower, kTipAuxPower);
    m_toolTip.AddTool(&m_btnShockA, kTipShock);
    m_toolTip.AddTool(&m_btnPulseA, kTipPlunger);
    m_toolTip.AddTool(&m_btnShockB, kTipShock);
    m_toolTip.AddTool(&m_btnPulseB, kTipPlunger);
    m_toolTip.AddTool(&m_btnPulseC, kTipNonPlunger);
    m_toolTip.AddTool(&m_btnPulseD, kTipNonPlunger);
    m_toolTip.AddTool(&m_btnShockC, kTipShock);
    return 0;
}

LRESULT CLauncherDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DROPFILES) {
        // While a calculator or the about box is open, the launcher waits for it: no second
        // dialog opens from a drop.
        const std::wstring file = DroppedFile(reinterpret_cast<HDROP>(wParam));
        if (!file.empty() && ::IsWindowEnabled(m_hWnd)) {
            OpenSheet(file);
        }
        return 0;
    }
    if (message == WM_OPEN_START_SHEET) {
        OpenSheet(m_startSheet);
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CLauncherDlg::OpenCalculator(sizing::MethodId method) {
    for (;;) {
        const INT_PTR result = NewCalculator(method)->DoModal();
        const sizing::Method* next = WaitingSheetMethod();
        if (result != kOpenOtherCalculator || next == nullptr) {
            OpenInNextCalculator(std::nullopt);
            return;
        }
        method = next->id;
    }
}

void CLauncherDlg::OpenSheet(const std::wstring& path) {
    std::optional<sizing::SavedSheet> sheet = LoadSheet(m_hWnd, path);
    if (sheet) {
        const sizing::MethodId method = sheet->method->id;
        OpenInNextCalculator(std::move(sheet));
        OpenCalculator(method);
    }
}

void CLauncherDlg::ShowPictureAt(int dpi) {
    if (dpi == 96) {
        return;
    }
    HWND picture = nullptr;
    ::EnumChildWindows(m_hWnd, &FindPicture, reinterpret_cast<LPARAM>(&picture));
    HBITMAP stretched = StretchedFor(
        reinterpret_cast<HBITMAP>(::SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0)), dpi);
    if (stretched == nullptr) {
        return;
    }
    m_picture.Attach(stretched);
    // From here on both pictures are the program's: the static deletes neither.
    ::DeleteObject(reinterpret_cast<HGDIOBJ>(
        ::SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(stretched))));
}

int CLauncherDlg::OnCreate(LPCREATESTRUCTW createStruct) {
    if (CDialog::OnCreate(createStruct) == -1) {
        return -1;
    }
    ::SetWindowLongA(m_hWnd, GWL_STYLE, kLauncherStyle);
    return 0;
}

void CLauncherDlg::OnSysCommand(UINT id, LPARAM lParam) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else {
        CDialog::OnSysCommand(id, lParam);
    }
}

void CLauncherDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    CRect client;
    GetClientRect(&client);
    const int x = (client.Width() - iconWidth + 1) / 2;
    const int y = (client.Height() - iconHeight + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CLauncherDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

HBRUSH CLauncherDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    HBRUSH brush = CDialog::OnCtlColor(dc, wnd, ctlColor);
    if (wnd != nullptr && wnd->GetDlgCtrlID() == IDC_EMAIL) {
        dc->SetTextColor(kEmailTextColour);
    }
    return brush;
}

BOOL CLauncherDlg::PreTranslateMessage(MSG* msg) {
    // A tooltip acts on the pointer's moves and presses alone. Every message of an open
    // calculator passes here too, on its way up to the main window: the others are not sent.
    if (m_toolTip.GetSafeHwnd() != nullptr && msg->message >= WM_MOUSEFIRST &&
        msg->message <= WM_MOUSELAST) {
        m_toolTip.SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
    }
    return CDialog::PreTranslateMessage(msg);
}

void CLauncherDlg::OnAuxPower() {
    OpenCalculator(sizing::MethodId::Aux);
}

void CLauncherDlg::OnShockA() {
    OpenCalculator(sizing::MethodId::ShockA);
}

void CLauncherDlg::OnPulseA() {
    OpenCalculator(sizing::MethodId::PulseA);
}

void CLauncherDlg::OnShockB() {
    OpenCalculator(sizing::MethodId::ShockB);
}

void CLauncherDlg::OnPulseB() {
    OpenCalculator(sizing::MethodId::PulseB);
}

void CLauncherDlg::OnPulseC() {
    OpenCalculator(sizing::MethodId::PulseC);
}

void CLauncherDlg::OnPulseD() {
    OpenCalculator(sizing::MethodId::PulseD);
}

void CLauncherDlg::OnShockC() {
    OpenCalculator(sizing::MethodId::ShockC);
}
