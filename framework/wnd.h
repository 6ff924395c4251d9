// CWnd: a C++ object bound to one window, with message maps in the MFC manner.
#pragma once

#include <windows.h>

#include "framework/cstring.h"
#include "framework/gbk.h"
#include "framework/gdi.h"

class CWnd;
class CDataExchange;

// The pseudo message under which the map holds the handler of every WM_CTLCOLOR* message.
constexpr UINT WM_CTLCOLOR = 0x0019;
// Notifications that a parent reflects back to the child are looked up as this base plus the
// message (WM_COMMAND, WM_CTLCOLOR) in the child's own map.
constexpr UINT WM_REFLECT_BASE = 0xBC00;

using AfxMsgHandler = LRESULT (*)(CWnd* self, UINT message, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage; // window message, WM_COMMAND, WM_CTLCOLOR, or reflected WM_REFLECT_BASE + ...
    UINT nCode;    // notification code, for WM_COMMAND entries
    UINT nID;      // first and last control ID, for WM_COMMAND entries
    UINT nLastID;
    AfxMsgHandler pfn; // null ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* pBaseMap;
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The macros of a message map. Each entry of a map is one line: message, notification code,
// first and last control ID, and the handler, a lambda that takes the message's parameters
// apart and calls the member function of the class whose map it is (ThisClass).
// clang-format off
#define DECLARE_MESSAGE_MAP() \
public: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
protected: \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() { \
        using ThisClass = theClass; \
        using TheBaseClass = baseClass; \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP() \
            {0, 0, 0, 0, nullptr} \
        }; \
        static const AFX_MSGMAP map = {TheBaseClass::GetThisMessageMap(), entries}; \
        return &map; \
    }

#define AFX_HANDLER(body) \
    [](CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT { \
        (void)message; \
        (void)wParam; \
        (void)lParam; \
        ThisClass* self = static_cast<ThisClass*>(wnd); \
        body \
    }

#define ON_COMMAND(id, memberFn) \
    {WM_COMMAND, 0, AfxId(id), AfxId(id), AFX_HANDLER(self->memberFn(); return 0;)},
#define ON_BN_CLICKED(id, memberFn) \
    {WM_COMMAND, BN_CLICKED, AfxId(id), AfxId(id), AFX_HANDLER(self->memberFn(); return 0;)},
#define ON_CONTROL_REFLECT(code, memberFn) \
    {WM_REFLECT_BASE + WM_COMMAND, AfxId(code), 0, 0, AFX_HANDLER(self->memberFn(); return 1;)},
#define ON_WM_CTLCOLOR_REFLECT() \
    {WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0, AFX_HANDLER(CDC dc(AfxDC(wParam)); return AfxResult(self->CtlColor(&dc, AfxCtlType(message)));)},
#define ON_WM_CTLCOLOR() \
    {WM_CTLCOLOR, 0, 0, 0, AFX_HANDLER(CDC dc(AfxDC(wParam)); return AfxResult(self->OnCtlColor(&dc, AfxWnd(lParam), AfxCtlType(message)));)},
#define ON_WM_SYSCOMMAND() \
    {WM_SYSCOMMAND, 0, 0, 0, AFX_HANDLER(self->OnSysCommand(AfxId(wParam), lParam); return 0;)},
#define ON_WM_PAINT() \
    {WM_PAINT, 0, 0, 0, AFX_HANDLER(self->OnPaint(); return 0;)},
#define ON_WM_QUERYDRAGICON() \
    {WM_QUERYDRAGICON, 0, 0, 0, AFX_HANDLER(return AfxResult(self->OnQueryDragIcon());)},
#define ON_WM_CREATE() \
    {WM_CREATE, 0, 0, 0, AFX_HANDLER(return self->OnCreate(reinterpret_cast<LPCREATESTRUCTW>(lParam));)},
#define ON_WM_TIMER() \
    {WM_TIMER, 0, 0, 0, AFX_HANDLER(self->OnTimer(static_cast<UINT_PTR>(wParam)); return 0;)},
#define ON_WM_MOUSEMOVE() \
    {WM_MOUSEMOVE, 0, 0, 0, AFX_HANDLER(self->OnMouseMove(AfxId(wParam), AfxPoint(lParam)); return 0;)},
#define ON_WM_SETCURSOR() \
    {WM_SETCURSOR, 0, 0, 0, AFX_HANDLER(return self->OnSetCursor(AfxWnd(wParam), LOWORD(lParam), HIWORD(lParam));)},
#define ON_MESSAGE(message, memberFn) \
    {message, 0, 0, 0, AFX_HANDLER(return self->memberFn(wParam, lParam);)},
#define ON_WM_ERASEBKGND() \
    {WM_ERASEBKGND, 0, 0, 0, AFX_HANDLER(CDC dc(AfxDC(wParam)); return self->OnEraseBkgnd(&dc);)},
// clang-format on

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    // A window still bound to the object is destroyed with it.
    virtual ~CWnd();

    // The object bound to hwnd, or null when there is none.
    static CWnd* FromHandlePermanent(HWND hwnd);
    // The bound object, or a temporary one that lives until the modal loop takes its next
    // message. Null for a null handle.
    static CWnd* FromHandle(HWND hwnd);
    // Drops the temporary objects; the modal loop calls this between messages.
    static void DeleteTempMap();

    static LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND GetSafeHwnd() const { return m_hWnd; }
    BOOL Attach(HWND hwnd);
    HWND Detach();
    // Routes hwnd's messages through this object's map; calls PreSubclassWindow first.
    BOOL SubclassWindow(HWND hwnd);
    virtual BOOL DestroyWindow();

    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual void DoDataExchange(CDataExchange* dx);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    // The window's text, given and answered in the program's GBK.
    void SetWindowText(const char* text) { SetWindowTextGbk(m_hWnd, text); }
    CString GetWindowText() const { return CString(GetWindowTextGbk(m_hWnd)); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    CMenu* GetSystemMenu(BOOL revert);
    HICON SetIcon(HICON icon, BOOL big) {
        return reinterpret_cast<HICON>(
            SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    }
    // A message box owned by this window; a null caption shows the application's title.
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);

    HWND m_hWnd = nullptr;

protected:
    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_MSGMAP* GetThisMessageMap();

    virtual void PreSubclassWindow() {}
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // Offers a notification sent to the parent to this child's reflected map entries.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy() {}
    // Passes the message being handled on to the window's previous procedure.
    LRESULT Default();

    HBRUSH OnCtlColor(CDC* dc, CWnd* child, UINT ctlColor);
    void OnPaint() { Default(); }
    void OnSysCommand(UINT, LPARAM) { Default(); }
    int OnCreate(LPCREATESTRUCTW) { return static_cast<int>(Default()); }

    WNDPROC m_pfnSuper = nullptr;

private:
    static const AFX_MSGMAP_ENTRY* FindEntry(const AFX_MSGMAP* map, UINT message, UINT code,
                                             UINT id);
    void OnNcDestroy();
    bool m_temporary = false;

    friend class CDialog;
};

// The application's main window; null when there is no application object or no main window.
CWnd* AfxGetMainWnd();

// The message parameters as the handlers of the map entries take them.
inline UINT AfxId(UINT_PTR value) {
    return static_cast<UINT>(value);
}
inline HDC AfxDC(WPARAM wParam) {
    return reinterpret_cast<HDC>(wParam);
}
inline CWnd* AfxWnd(UINT_PTR handle) {
    return CWnd::FromHandle(reinterpret_cast<HWND>(handle));
}
inline CPoint AfxPoint(LPARAM lParam) {
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}
// The CTLCOLOR_* type of a WM_CTLCOLOR* message.
inline UINT AfxCtlType(UINT message) {
    return message - WM_CTLCOLORMSGBOX;
}
template <typename Handle> LRESULT AfxResult(Handle handle) {
    return reinterpret_cast<LRESULT>(handle);
}
