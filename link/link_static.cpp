#include "link/link_static.h"

#include "link/link_logic.h"

#include "base/late_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstring>
#include <string>

namespace {

// The hover ends at the first tick that finds the pointer off the control.
const UINT kHoverPollMs = 100;
// The tooltip's one tool.
const UINT_PTR kToolId = 1;
// The hand cursor of the Windows Help program.
const char kHelpProgram[] = "\\winhlp32.exe";
const WORD kHelpHandCursor = 106;

bool IsAnsiLeadByte(unsigned char byte) {
    return ::IsDBCSLeadByte(byte) != FALSE;
}

// Copies text into out (outSize bytes) with its %variables% expanded, and answers
// ERROR_SUCCESS; out is left alone when the expansion does not fit.
LONG ExpandedInto(const char* text, char* out, size_t outSize) {
    // The ANSI function may ask for one byte more than it stores.
    std::string expanded(outSize + 1, '\0');
    const DWORD needed =
        ::ExpandEnvironmentStringsA(text, &expanded[0], static_cast<DWORD>(expanded.size()));
    if (needed == 0 || needed > expanded.size()) {
        return ERROR_MORE_DATA;
    }
    const size_t length = std::strlen(expanded.c_str());
    if (length >= outSize) {
        return ERROR_MORE_DATA;
    }
    std::memcpy(out, expanded.c_str(), length + 1);
    return ERROR_SUCCESS;
}

} // namespace

BEGIN_MESSAGE_MAP(CLinkStatic, CStatic)
ON_WM_TIMER()
ON_WM_MOUSEMOVE()
ON_WM_SETCURSOR()
ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
ON_WM_CTLCOLOR_REFLECT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CLinkStatic::~CLinkStatic() {
    // The copy is the control's own; nothing else refers to it.
    if (m_handCursor != nullptr) {
        ::DestroyCursor(m_handCursor);
    }
}

void CLinkStatic::PreSubclassWindow() {
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(GetStyle() | SS_NOTIFY));
    m_url = GetWindowText();

    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    if (font == nullptr) {
        font = ::GetStockObject(DEFAULT_GUI_FONT);
    }
    if (font == nullptr) {
        font = ::GetStockObject(ANSI_VAR_FONT);
    }
    // Without any font to copy the control keeps the one it has, hovered or not.
    // The Unicode description: the face name stays what it is on every system.
    LOGFONTW logFont{};
    if (font != nullptr && ::GetObjectW(font, sizeof logFont, &logFont) != 0) {
        m_plainFont.CreateFontIndirect(&logFont);
        logFont.lfUnderline = TRUE;
        m_underlinedFont.CreateFontIndirect(&logFont);
    }

    if (!m_tipAndCursorLater) {
        MakeTipAndCursor();
    }
    CStatic::PreSubclassWindow();
}

void CLinkStatic::MakeTipAndCursor() {
    LoadHandCursor();
    if (m_tip.GetSafeHwnd() != nullptr) {
        return;
    }
    CRect client;
    GetClientRect(&client);
    if (m_tip.Create(this, 0)) {
        m_tip.AddTool(this, m_url, &client, kToolId);
    }
}

BOOL CLinkStatic::DestroyWindow() {
    if (m_hWnd != nullptr) {
        ::KillTimer(m_hWnd, m_hoverTimerId);
    }
    return CStatic::DestroyWindow();
}

BOOL CLinkStatic::PreTranslateMessage(MSG* msg) {
    if (m_tip.GetSafeHwnd() != nullptr) {
        m_tip.SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
    }
    return CStatic::PreTranslateMessage(msg);
}

void CLinkStatic::OnMouseMove(UINT, CPoint) {
    if (!m_hovering) {
        m_hovering = TRUE;
        ShowInFont(m_underlinedFont);
        ::SetTimer(m_hWnd, m_hoverTimerId, kHoverPollMs, nullptr);
    }
    Default();
}

void CLinkStatic::OnTimer(UINT_PTR) {
    // Where the pointer was when this tick was taken from the queue, in screen coordinates.
    const DWORD position = ::GetMessagePos();
    POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ::ScreenToClient(m_hWnd, &point);
    CRect client;
    GetClientRect(&client);
    if (!::PtInRect(&client, point)) {
        m_hovering = FALSE;
        ::KillTimer(m_hWnd, m_hoverTimerId);
        ShowInFont(m_plainFont);
    }
    Default();
}

BOOL CLinkStatic::OnSetCursor(CWnd*, UINT, UINT) {
    if (m_handCursor == nullptr) {
        return FALSE;
    }
    ::SetCursor(m_handCursor);
    return TRUE;
}

void CLinkStatic::OnClicked() {
    m_hovering = FALSE;
    const int result = OpenUrl(m_url, SW_SHOW);
    m_visited = result > 32;
    if (m_visited) {
        MarkVisited();
    } else {
        ::MessageBeep(MB_ICONEXCLAMATION);
        ReportOpenError(result);
    }
}

HBRUSH CLinkStatic::CtlColor(CDC* dc, UINT) {
    dc->SetTextColor(ChooseLinkColor(m_hovering != FALSE, m_visited != FALSE, m_hoverColor,
                                     m_visitedColor, m_linkColor));
    // The static paints no background of its own: OnEraseBkgnd has done it.
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

BOOL CLinkStatic::OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

int CLinkStatic::OpenUrl(const char* url, int showCommand) {
    // The shell is loaded at the first click; without it the browser may still open the page.
    auto* const shellExecute = base::late::ShellExecuteA.Load();
    const int shellResult = shellExecute == nullptr
                                ? SE_ERR_DLLNOTFOUND
                                : static_cast<int>(reinterpret_cast<INT_PTR>(shellExecute(
                                      nullptr, "open", url, nullptr, nullptr, showCommand)));
    if (shellResult > 32) {
        return shellResult;
    }
    // The browser that opens web pages on this machine, as the ".htm" association names it.
    // Whatever stops the fallback, the user hears about the shell's answer.
    char buffer[kFallbackCommandCapacity];
    if (ReadDefaultValue(HKEY_CLASSES_ROOT, ".htm", buffer, sizeof buffer) != ERROR_SUCCESS) {
        return shellResult;
    }
    const std::string commandKey = std::string(buffer) + "\\shell\\open\\command";
    if (ReadDefaultValue(HKEY_CLASSES_ROOT, commandKey.c_str(), buffer, sizeof buffer) !=
        ERROR_SUCCESS) {
        return shellResult;
    }
    const auto commandLine = AssembleFallbackCommand(buffer, url, sizeof buffer, &IsAnsiLeadByte);
    if (!commandLine) {
        return shellResult;
    }
    return static_cast<int>(::WinExec(commandLine->c_str(), static_cast<UINT>(showCommand)));
}

void CLinkStatic::ReportOpenError(int code) {
    AfxMessageBox(OpenErrorReport(code).c_str(), MB_ICONEXCLAMATION);
}

LONG CLinkStatic::ReadDefaultValue(HKEY root, const char* subKey, char* out, size_t outSize) {
    HKEY key = nullptr;
    LONG status = ::RegOpenKeyExA(root, subKey, 0, KEY_QUERY_VALUE, &key);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    // subKey may live in out: it is not needed once the key is open.
    char value[MAX_PATH];
    DWORD type = REG_NONE;
    DWORD size = sizeof value;
    // Unlike RegQueryValueA, this tells an absent value from an empty one.
    status =
        ::RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        return ERROR_INVALID_DATA;
    }
    // The stored string need not carry its terminator.
    const size_t length = strnlen(value, size);
    if (length >= sizeof value) {
        return ERROR_MORE_DATA;
    }
    value[length] = '\0';
    if (type == REG_EXPAND_SZ) {
        return ExpandedInto(value, out, outSize);
    }
    if (length >= outSize) {
        return ERROR_MORE_DATA;
    }
    std::memcpy(out, value, length + 1);
    return ERROR_SUCCESS;
}

void CLinkStatic::LoadHandCursor() {
    if (m_handCursor != nullptr) {
        return;
    }
    char path[MAX_PATH];
    const UINT length = ::GetWindowsDirectoryA(path, MAX_PATH);
    if (length > 0 && length + sizeof kHelpProgram <= sizeof path) {
        std::memcpy(path + length, kHelpProgram, sizeof kHelpProgram);
        if (HMODULE help = ::LoadLibraryA(path)) {
            if (HCURSOR cursor = ::LoadCursorA(help, MAKEINTRESOURCEA(kHelpHandCursor))) {
                m_handCursor = static_cast<HCURSOR>(::CopyIcon(cursor));
            }
            ::FreeLibrary(help);
        }
    }
    // Where the Help program or its cursor is missing, the system's own hand.
    if (m_handCursor == nullptr) {
        if (HCURSOR hand = ::LoadCursorA(nullptr, IDC_HAND)) {
            m_handCursor = static_cast<HCURSOR>(::CopyIcon(hand));
        }
    }
}

void CLinkStatic::MarkVisited() {
    m_visited = TRUE;
    if (::IsWindow(m_hWnd)) {
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }
}

void CLinkStatic::ShowInFont(const CFont& font) {
    if (font.GetSafeHandle() != nullptr) {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), TRUE);
    }
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}
