#include "framework/ddx.h"

#include "framework/app.h"
#include "framework/number_text.h"

const char* const kParseNumberMessage = "请输入一个数字。";

HWND CDataExchange::PrepareCtrl(int id) const {
    return ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
}

void CDataExchange::Fail(HWND control) {
    m_bFailed = TRUE;
    if (control != nullptr) {
        ::SetFocus(control);
        ::SendMessageA(control, EM_SETSEL, 0, -1);
    }
}

void DDX_Text(CDataExchange* dx, int id, double& value) {
    if (dx->m_bFailed) {
        return;
    }
    HWND edit = dx->PrepareCtrl(id);
    if (edit == nullptr) {
        return;
    }
    if (!dx->m_bSaveAndValidate) {
        ::SetWindowTextA(edit, FormatNumberText(value).c_str());
        return;
    }
    const CString text = CWnd::FromHandle(edit)->GetWindowText();
    double parsed = 0.0;
    if (ParseNumberText(text.Str(), parsed)) {
        value = parsed;
        return;
    }
    AfxMessageBox(kParseNumberMessage, MB_ICONEXCLAMATION);
    dx->Fail(edit);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd != nullptr || dx->m_bFailed) {
        return;
    }
    HWND hwnd = dx->PrepareCtrl(id);
    if (hwnd != nullptr) {
        control.SubclassWindow(hwnd);
    }
}
