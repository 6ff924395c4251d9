#include "framework/wnd.h"

#include "framework/app.h"
#include "framework/ddx.h"

#include <memory>
#include <unordered_map>

namespace {

// Objects bound to windows, and the temporary wrappers handed out for other windows. Both
// belong to the user-interface thread.
std::unordered_map<HWND, CWnd*>& PermanentMap() {
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

std::unordered_map<HWND, std::unique_ptr<CWnd>>& TemporaryMap() {
    static std::unordered_map<HWND, std::unique_ptr<CWnd>> map;
    return map;
}

std::unordered_map<HMENU, std::unique_ptr<CMenu>>& TemporaryMenus() {
    static std::unordered_map<HMENU, std::unique_ptr<CMenu>> map;
    return map;
}

// The message AfxWndProc is handling, for Default(); saved and restored around nested sends.
MSG g_currentMessage{};

bool IsCtlColorMessage(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

} // namespace

CWnd::~CWnd() {
    if (m_hWnd != nullptr && !m_temporary) {
        HWND hwnd = m_hWnd;
        if (::IsWindow(hwnd) && FromHandlePermanent(hwnd) == this) {
            ::DestroyWindow(hwnd);
        }
        if (FromHandlePermanent(hwnd) == this) {
            Detach();
        }
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    auto& map = PermanentMap();
    auto it = map.find(hwnd);
    return it == map.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (hwnd == nullptr) {
        return nullptr;
    }
    if (CWnd* wnd = FromHandlePermanent(hwnd)) {
        return wnd;
    }
    auto& slot = TemporaryMap()[hwnd];
    if (!slot) {
        slot = std::make_unique<CWnd>();
        slot->m_hWnd = hwnd;
        slot->m_temporary = true;
    }
    return slot.get();
}

void CWnd::DeleteTempMap() {
    TemporaryMap().clear();
    TemporaryMenus().clear();
}

BOOL CWnd::Attach(HWND hwnd) {
    if (hwnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hwnd) != nullptr) {
        return FALSE;
    }
    // The map first: if it cannot grow, the object stays unbound.
    PermanentMap()[hwnd] = this;
    m_hWnd = hwnd;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hwnd = m_hWnd;
    if (hwnd != nullptr) {
        auto& map = PermanentMap();
        auto it = map.find(hwnd);
        if (it != map.end() && it->second == this) {
            map.erase(it);
        }
    }
    m_hWnd = nullptr;
    return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!Attach(hwnd)) {
        return FALSE;
    }
    PreSubclassWindow();
    auto old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
    if (old != &CWnd::AfxWndProc) {
        m_pfnSuper = old;
    }
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    HWND hwnd = m_hWnd;
    const BOOL result = ::DestroyWindow(hwnd);
    // A window that never ran through AfxWndProc is not detached by WM_NCDESTROY.
    if (m_hWnd == hwnd && !::IsWindow(hwnd)) {
        Detach();
    }
    return result;
}

LRESULT CALLBACK CWnd::AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (wnd == nullptr) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    const MSG saved = g_currentMessage;
    g_currentMessage.hwnd = hwnd;
    g_currentMessage.message = message;
    g_currentMessage.wParam = wParam;
    g_currentMessage.lParam = lParam;
    LRESULT result = 0;
    // No exception may cross the system's frames between here and the message loop.
    try {
        result = wnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        result = 0;
    }
    g_currentMessage = saved;
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) {
        result = DefWindowProc(message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        OnNcDestroy();
    }
    return result;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const {
    return GetThisMessageMap();
}

const AFX_MSGMAP* CWnd::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP_ENTRY* CWnd::FindEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id) {
    for (; map != nullptr; map = map->pBaseMap) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn != nullptr; ++e) {
            if (e->nMessage != message) {
                continue;
            }
            if (message == WM_COMMAND && (e->nCode != code || id < e->nID || id > e->nLastID)) {
                continue;
            }
            if (message == WM_REFLECT_BASE + WM_COMMAND && e->nCode != code) {
                continue;
            }
            return e;
        }
    }
    return nullptr;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) {
            return FALSE;
        }
        *result = 0;
        return TRUE;
    }
    const UINT key = IsCtlColorMessage(message) ? WM_CTLCOLOR : message;
    const AFX_MSGMAP_ENTRY* entry = FindEntry(GetMessageMap(), key, 0, 0);
    if (entry == nullptr) {
        if (IsCtlColorMessage(message)) {
            // Without a handler of its own the window still reflects the colour message, to a
            // bound child only: an unbound one needs no temporary object for it.
            *result = reinterpret_cast<LRESULT>(
                OnCtlColor(nullptr, FromHandlePermanent(reinterpret_cast<HWND>(lParam)), 0));
            return TRUE;
        }
        return FALSE;
    }
    *result = entry->pfn(this, message, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control != nullptr) {
        CWnd* child = FromHandlePermanent(control);
        LRESULT ignored = 0;
        if (child != nullptr && child != this &&
            child->OnChildNotify(WM_COMMAND, wParam, lParam, &ignored)) {
            return TRUE;
        }
    }
    const AFX_MSGMAP_ENTRY* entry = FindEntry(GetMessageMap(), WM_COMMAND, code, id);
    if (entry == nullptr) {
        return FALSE;
    }
    entry->pfn(this, WM_COMMAND, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        const AFX_MSGMAP_ENTRY* entry =
            FindEntry(GetMessageMap(), WM_REFLECT_BASE + WM_COMMAND, HIWORD(wParam), 0);
        if (entry == nullptr) {
            return FALSE;
        }
        *result = entry->pfn(this, message, wParam, lParam);
        return TRUE;
    }
    if (IsCtlColorMessage(message)) {
        const AFX_MSGMAP_ENTRY* entry =
            FindEntry(GetMessageMap(), WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0);
        if (entry == nullptr) {
            return FALSE;
        }
        *result = entry->pfn(this, message, wParam, lParam);
        // A null brush means the child leaves the colours to its parent.
        return *result != 0;
    }
    return FALSE;
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* child, UINT) {
    const MSG& msg = g_currentMessage;
    if (child != nullptr) {
        CWnd* bound = FromHandlePermanent(child->m_hWnd);
        LRESULT result = 0;
        if (bound != nullptr && bound != this &&
            bound->OnChildNotify(msg.message, msg.wParam, msg.lParam, &result)) {
            return reinterpret_cast<HBRUSH>(result);
        }
    }
    return reinterpret_cast<HBRUSH>(Default());
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr) {
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    }
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG& msg = g_currentMessage;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

void CWnd::OnNcDestroy() {
    HWND hwnd = m_hWnd;
    // Give the window its own procedure back, unless someone subclassed it after us.
    if (m_pfnSuper != nullptr &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == &CWnd::AfxWndProc) {
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    }
    m_pfnSuper = nullptr;
    Detach();
    TemporaryMap().erase(hwnd);
    PostNcDestroy();
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

CWnd* CWnd::GetDlgItem(int id) const {
    return FromHandle(::GetDlgItem(m_hWnd, id));
}

CMenu* CWnd::GetSystemMenu(BOOL revert) {
    HMENU menu = ::GetSystemMenu(m_hWnd, revert);
    if (menu == nullptr) {
        return nullptr;
    }
    auto& slot = TemporaryMenus()[menu];
    if (!slot) {
        slot = std::make_unique<CMenu>(menu);
    }
    return slot.get();
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
    return MessageBoxGbk(m_hWnd, text, caption != nullptr ? caption : AfxGetAppName(), type);
}

CWnd* AfxGetMainWnd() {
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->m_pMainWnd : nullptr;
}
