// CLinkStatic: a static text control that behaves as a web link. It shows its text in the link
// colour, underlined in the hover colour while the pointer is on it, with a hand cursor and a
// tooltip naming the address; a click opens the address, after which the text shows in the
// visited colour.
#pragma once

#include "framework/framework.h"

class CLinkStatic : public CStatic {
public:
    // tipAndCursorLater: the tooltip and the hand cursor, which only the pointer shows, wait
    // for MakeTipAndCursor() instead of being made at attach, so that the dialog can show
    // itself first.
    explicit CLinkStatic(bool tipAndCursorLater = false) : m_tipAndCursorLater(tipAndCursorLater) {}
    // Frees the control's copy of the hand cursor.
    ~CLinkStatic() override;

    // Stops the hover timer, then destroys the window.
    BOOL DestroyWindow() override;
    // Feeds every message to the tooltip.
    BOOL PreTranslateMessage(MSG* msg) override;
    // Makes the hand cursor and the tooltip naming the address of the attached control,
    // unless they are made already.
    void MakeTipAndCursor();

protected:
    // Set-up when the control is subclassed: notifications on, the address from the window
    // text, the plain and underlined fonts, and, unless they are to wait, the hand cursor and
    // the tooltip.
    void PreSubclassWindow() override;

    void OnTimer(UINT_PTR idEvent);
    void OnMouseMove(UINT flags, CPoint point);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnClicked();
    HBRUSH CtlColor(CDC* dc, UINT ctlColor);
    BOOL OnEraseBkgnd(CDC* dc);

    // Opens url with the shell, or with the browser registered for ".htm" files when the shell
    // cannot. Above 32 means success; otherwise the shell's or the launch's error code.
    int OpenUrl(const char* url, int showCommand);
    // The message box of a failed open.
    void ReportOpenError(int code);
    // Copies the default value of root\subKey into out (outSize bytes, terminated), with its
    // %variables% expanded when it is of type REG_EXPAND_SZ, and answers ERROR_SUCCESS; out is
    // left alone when the key does not open or its default value is absent, no string, or too
    // long. out may hold subKey.
    LONG ReadDefaultValue(HKEY root, const char* subKey, char* out, size_t outSize);
    void LoadHandCursor();
    void MarkVisited();

    DECLARE_MESSAGE_MAP()

    UINT m_hoverTimerId = 10;
    BOOL m_hovering = FALSE;
    CToolTipCtrl m_tip;
    COLORREF m_hoverColor = RGB(255, 0, 0);
    COLORREF m_visitedColor = RGB(85, 26, 139);
    COLORREF m_linkColor = RGB(0, 0, 238);
    BOOL m_visited = FALSE;
    CString m_url;
    CFont m_plainFont;
    CFont m_underlinedFont;
    // The control's own copy of the cursor, made with the tooltip and freed by the destructor.
    HCURSOR m_handCursor = nullptr;

private:
    bool m_tipAndCursorLater;
    // Switches the control to font (when it could be made) and repaints it whole.
    void ShowInFont(const CFont& font);
};
