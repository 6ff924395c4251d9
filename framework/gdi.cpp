#include "framework/gdi.h"

#include "framework/gbk.h"
#include "framework/wnd.h"

BOOL CGdiObject::Attach(HGDIOBJ h) {
    if (m_hObject != nullptr || h == nullptr) {
        return FALSE;
    }
    m_hObject = h;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject() {
    if (m_hObject == nullptr) {
        return FALSE;
    }
    return ::DeleteObject(Detach());
}

BOOL CFont::CreateFontIndirect(const LOGFONTW* logFont) {
    // An object that holds a font already makes no second one (it would have no owner).
    if (m_hObject != nullptr) {
        return FALSE;
    }
    return Attach(::CreateFontIndirectW(logFont));
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight,
                       BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                       BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily,
                       const char* faceName) {
    if (m_hObject != nullptr) {
        return FALSE;
    }
    return Attach(::CreateFontW(height, width, escapement, orientation, weight, italic, underline,
                                strikeOut, charSet, outPrecision, clipPrecision, quality,
                                pitchAndFamily, WideFromGbk(faceName).c_str()));
}

void CDC::FillSolidRect(const RECT* rect, COLORREF colour) {
    const COLORREF old = ::SetBkColor(m_hDC, colour);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const char* text) {
    const std::wstring wide = WideFromGbk(text);
    return ::AppendMenuW(m_hMenu, flags, id, text != nullptr ? wide.c_str() : nullptr);
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd) {
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() {
    ::EndPaint(m_hWnd, &m_ps);
}
