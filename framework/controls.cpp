#include "framework/controls.h"

#include "base/late_win.h"

#include <commctrl.h>

CToolTipCtrl::~CToolTipCtrl() {
    DestroyWindow();
}

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    // The common controls are loaded with the first tooltip.
    static const bool initialised = [] {
        INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
        auto* const initialise = base::late::InitCommonControlsEx.Load();
        return initialise != nullptr && initialise(&init) != FALSE;
    }();
    (void)initialised;
    HWND hwnd = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  parent != nullptr ? parent->m_hWnd : nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    // Bound through its procedure, so the object lets go when the owner destroys the window.
    return hwnd != nullptr && SubclassWindow(hwnd);
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, const char* text, const RECT* rect, UINT_PTR id) {
    if (m_hWnd == nullptr || wnd == nullptr) {
        return FALSE;
    }
    // The size of the structure that every comctl32 version accepts.
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    if (rect == nullptr) {
        info.uFlags = TTF_IDISHWND;
        info.hwnd = ::GetParent(wnd->m_hWnd);
        info.uId = reinterpret_cast<UINT_PTR>(wnd->m_hWnd);
    } else {
        info.hwnd = wnd->m_hWnd;
        info.uId = id;
        info.rect = *rect;
    }
    info.hinst = nullptr;
    // The tooltip keeps its own copy of the text.
    std::wstring wide = WideFromGbk(text);
    info.lpszText = &wide[0];
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
}
