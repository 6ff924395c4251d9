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

// Whether the edit shows text already. A number's text is short: one read, without asking for
// the length first, of at least a character more than text holds, which tells a longer text.
bool Shows(HWND edit, const std::wstring& text) {
    wchar_t shown[32];
    constexpr int kCapacity = sizeof shown / sizeof shown[0];
    if (text.size() + 2 > kCapacity) {
        return false;
    }
    const int length = ::GetWindowTextW(edit, shown, kCapacity);
    return length >= 0 && static_cast<size_t>(length) == text.size() &&
           text.compare(0, text.size(), shown, text.size()) == 0;
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
        // An edit that shows the number already, as the template's text at the dialog's start,
        // is left as it is: setting the same text again would lay it out and notify again.
        const std::wstring text = WideFromGbk(FormatNumberText(value).c_str());
        if (!Shows(edit, text)) {
            ::SetWindowTextW(edit, text.c_str());
        }
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
