#include "framework/ddx.h"

#include "framework/app.h"
#include "framework/number_text.h"

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
    std::wstring wide(static_cast<size_t>(::GetWindowTextLengthW(edit)) + 1, L'\0');
    wide.resize(
        static_cast<size_t>(::GetWindowTextW(edit, &wide[0], static_cast<int>(wide.size()))));
    const int wideSize = static_cast<int>(wide.size());
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, &text[0], size, nullptr, nullptr);
    return text;
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
