// Data exchange between dialog controls and members.
#pragma once

#include "framework/wnd.h"

#include <functional>
#include <string_view>

// The framework's own message for a text that is no number.
extern const char* const kParseNumberMessage;

class CDataExchange {
public:
    CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dlgWnd) {}

    // The window of control id in the dialog; null when the dialog has no such control.
    HWND PrepareCtrl(int id) const;
    // Stops the exchange at control: focus on it, its whole text selected.
    void Fail(HWND control);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    // Once a text is rejected the exchange is over: the remaining calls do nothing.
    BOOL m_bFailed = FALSE;
};

// Reads a number from an edit's text as typed, in UTF-8, so that no character is lost to a
// code page; answers false when the text is none.
using NumberReader = std::function<bool(std::string_view typed, double& value)>;
// Exchanges edit id with a double: FALSE writes the number as text, TRUE reads the text back
// with read and, when it is no number, tells the user, stops the exchange and keeps value.
void DDX_Text(CDataExchange* dx, int id, double& value, const NumberReader& read);
// Binds control id to the object on the first exchange (subclassing the window).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
