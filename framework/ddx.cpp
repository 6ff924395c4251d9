#include "framework/ddx.h"

#include "framework/app.h"
#include "framework/gbk.h"
#include "base/number_text.h"
#include "base/wide_win.h"

#include <string>

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

namespace {

// The edit's text as typed, in UTF-8.
std::string TypedText(HWND edit) {
    return base::NarrowFrom(CP_UTF8, GetWindowTextWide(edit));
}

} // namespace

void DDX_Text(CDataExchange* dx, int id, double& value, const NumberReader& read) {
    if (dx->m_bFailed) {
        return;
    }
    HWND edit = dx->PrepareCtrl(id);
    if (edit == nullptr) {
        return;
    }
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextGbk(edit, FormatNumberText(value).c_str());
        return;
    }
    double parsed = 0.0;
    if (read(TypedText(edit), parsed)) {
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
