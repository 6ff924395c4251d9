#include "calc/calc_sheet.h"

#include "framework/app.h"
#include "framework/dialog.h"
#include "framework/gbk.h"
#include "res/resource.h"
#include "sizing/catalogue_file.h"
#include "base/late_win.h"
#include "base/utf8.h"
#include "base/whole_file.h"

#include <commdlg.h>

#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

const char* const kClipboardBusy = "剪贴板正被其他程序占用，计算书没有复制。请稍后再试。";
const char* const kClipboardFailed = "计算书没有复制到剪贴板：内存不足。";
const char* const kNotSaved = "计算书没有保存：";
const char* const kNotOpened = "计算书已保存，但无法在浏览器中打开：";
const char* const kNotRead = "无法打开计算书：";

// What a calculator asks a file for: the dialog's title, its one filter, what is said when the
// dialog cannot be shown, and whether the file is saved rather than opened.
struct FileQuestion {
    const char* title;
    const char* filter;
    const wchar_t* pattern;
    const char* noDialog;
    bool save;
};
const FileQuestion kSaveQuestion{"保存计算书", "HTML 文件 (*.html)", L"*.html",
                                 "无法打开保存对话框。", true};
const FileQuestion kOpenQuestion{"打开计算书", "计算书 (*.html;*.htm)", L"*.html;*.htm",
                                 "无法显示打开对话框。", false};

// What a calculator keeps for its sheet: its method and edits, the texts of its last exchange,
// and the calculation whose volume it shows.
struct SheetState {
    const sizing::Method* method = nullptr;
    int edits[sizing::kMaxInputs] = {};
    std::map<const sizing::Input*, std::string> typed;
    sizing::Conditions conditions;
    std::optional<sizing::Calculation> shown;
};

void Tell(HWND dialog, const std::wstring& text) {
    ::MessageBoxW(dialog, text.c_str(), WideFromGbk(AfxGetAppName()).c_str(),
                  MB_OK | MB_ICONEXCLAMATION);
}

sizing::SheetStamp StampNow() {
    const std::time_t now = std::time(nullptr);
    return {base::ProgramTextToUtf8(AfxGetAppName()), *std::localtime(&now)};
}

// Lines end in "\r\n" on the clipboard, as Windows programs expect when they paste.
std::wstring ClipboardText(const std::string& utf8) {
    std::wstring text;
    for (wchar_t c : WideFromUtf8(utf8)) {
        if (c == L'\n') {
            text += L'\r';
        }
        text += c;
    }
    return text;
}

// Hands size bytes at data to the open clipboard as format.
bool PutOnClipboard(UINT format, const void* data, size_t size) {
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr) {
        return false;
    }
    if (void* target = ::GlobalLock(memory)) {
        std::memcpy(target, data, size);
        ::GlobalUnlock(memory);
        if (::SetClipboardData(format, memory) != nullptr) {
            return true; // the clipboard owns the memory now
        }
    }
    ::GlobalFree(memory);
    return false;
}

// The sheet goes on the clipboard as Unicode, whole, and as GBK for programs that paste only
// ANSI text; GBK may lack a character of a model's name or a path, which then stands as '?'
// there. The locale beside the GBK text says which code page it is in, whatever the system's.
void CopySheet(HWND dialog, const sizing::Calculation& calculation) {
    const std::wstring unicode = ClipboardText(sizing::SheetText(calculation, StampNow()));
    const std::string gbk = GbkFromWide(unicode);
    const LCID chinese =
        MAKELCID(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), SORT_DEFAULT);
    if (!::OpenClipboard(dialog)) {
        Tell(dialog, WideFromGbk(kClipboardBusy));
        return;
    }
    ::EmptyClipboard();
    const bool copied =
        PutOnClipboard(CF_UNICODETEXT, unicode.c_str(), (unicode.size() + 1) * sizeof(wchar_t));
    // Without the ANSI text the Unicode one is still on the clipboard: no failure.
    if (copied && PutOnClipboard(CF_TEXT, gbk.c_str(), gbk.size() + 1)) {
        PutOnClipboard(CF_LOCALE, &chinese, sizeof chinese);
    }
    ::CloseClipboard();
    if (!copied) {
        Tell(dialog, WideFromGbk(kClipboardFailed));
    }
}

// Asks question for a file, offering name; empty when the user cancels.
std::wstring AskFileName(HWND dialog, const FileQuestion& question, const std::wstring& name) {
    // Filter pairs end in a null each, the list in one more.
    std::wstring filter = WideFromGbk(question.filter);
    filter += L'\0';
    filter += question.pattern;
    filter += L'\0';
    const std::wstring title = WideFromGbk(question.title);
    std::vector<wchar_t> file(32768, L'\0');
    name.copy(file.data(), file.size() - 1);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = dialog;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = question.save ? L"html" : nullptr;
    ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                (question.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    // The common dialogs are loaded at the first save or open; without them no dialog shows
    // either.
    auto* const ask =
        (question.save ? base::late::GetSaveFileNameW : base::late::GetOpenFileNameW).Load();
    auto* const extendedError = base::late::CommDlgExtendedError.Load();
    if (ask != nullptr && ask(&ofn)) {
        return file.data();
    }
    if (ask == nullptr || extendedError == nullptr || extendedError() != 0) {
        Tell(dialog, WideFromGbk(question.noDialog));
    }
    return std::wstring();
}

void SaveSheet(HWND dialog, const sizing::Calculation& calculation) {
    const sizing::SheetStamp stamp = StampNow();
    const std::wstring path =
        AskFileName(dialog, kSaveQuestion,
                    WideFromUtf8(sizing::SheetFileName(*calculation.method, stamp.time)));
    if (path.empty()) {
        return;
    }
    std::string reason;
    if (!base::WriteWholeFile(std::filesystem::path(path), sizing::SheetHtml(calculation, stamp),
                              reason)) {
        Tell(dialog, WideFromGbk(kNotSaved) + L"\n" + path + L"\n" + WideFromUtf8(reason));
        return;
    }
    // The browser opens it as it opens the web link: through the shell, loaded at its first use.
    auto* const shellExecute = base::late::ShellExecuteW.Load();
    const INT_PTR opened =
        shellExecute == nullptr
            ? 0
            : reinterpret_cast<INT_PTR>(
                  shellExecute(dialog, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (opened <= 32) {
        Tell(dialog, WideFromGbk(kNotOpened) + L"\n" + path);
    }
}

// The sheet that waits for the next calculator to open.
std::optional<sizing::SavedSheet>& Waiting() {
    static std::optional<sizing::SavedSheet> waiting;
    return waiting;
}

// Fills dialog's edits with the texts of sheet, a sheet of its method, and calculates as "计算"
// does.
void FillEdits(HWND dialog, const SheetState& state, const sizing::SavedSheet& sheet) {
    for (std::size_t i = 0; i < state.method->inputCount; ++i) {
        ::SetDlgItemTextW(dialog, state.edits[i], WideFromUtf8(sheet.typed[i]).c_str());
    }
    for (std::size_t i = 0; i < 3; ++i) {
        if (HWND edit = ::GetDlgItem(dialog, kTemperatureEdits[i])) {
            ::SetWindowTextW(edit, WideFromUtf8(sheet.conditions.typedTemperatures[i]).c_str());
        }
    }
    for (std::size_t i = 0; i < 2; ++i) {
        if (HWND edit = ::GetDlgItem(dialog, kDischargeEdits[i])) {
            ::SetWindowTextW(edit, WideFromUtf8(sheet.conditions.typedDischarge[i]).c_str());
        }
    }
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_CALCULATE, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_CALCULATE)));
}

// "打开…": a sheet of the dialog's method fills it; one of another method closes it, to be
// opened in that method's calculator.
void OpenSheet(HWND dialog, const SheetState& state) {
    const std::wstring path = AskFileName(dialog, kOpenQuestion, std::wstring());
    std::optional<sizing::SavedSheet> sheet = path.empty() ? std::nullopt : LoadSheet(dialog, path);
    if (!sheet) {
        return;
    }
    if (sheet->method == state.method) {
        FillEdits(dialog, state, *sheet);
        return;
    }
    if (auto* calculator = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(dialog))) {
        Waiting() = std::move(sheet);
        calculator->EndDialog(kOpenOtherCalculator);
    }
}

// The state of each calculator that has exchanged its inputs, until its window goes.
std::unordered_map<HWND, std::unique_ptr<SheetState>>& States() {
    static std::unordered_map<HWND, std::unique_ptr<SheetState>> states;
    return states;
}

// The state of dialog, made on first use.
SheetState& StateOf(HWND dialog) {
    std::unique_ptr<SheetState>& state = States()[dialog];
    if (!state) {
        state = std::make_unique<SheetState>();
        // Opened for a sheet: it fills the edits once they are all known.
        if (Waiting()) {
            ::PostMessageW(dialog, WM_OPEN_WAITING_SHEET, 0, 0);
        }
    }
    return *state;
}

// The state of dialog; null when it has exchanged no input yet.
SheetState* FindState(HWND dialog) {
    const auto found = States().find(dialog);
    return found != States().end() ? found->second.get() : nullptr;
}

} // namespace

void KeepEdit(HWND dialog, const sizing::Input& input, int id) {
    SheetState& state = StateOf(dialog);
    for (const sizing::Method& method : sizing::kMethods) {
        const std::size_t i = sizing::InputIndex(method, input.name);
        if (i < method.inputCount && &method.inputs[i] == &input) {
            state.method = &method;
            state.edits[i] = id;
        }
    }
}

void KeepTypedText(HWND dialog, const sizing::Input& input, std::string_view typed) {
    StateOf(dialog).typed[&input] = typed;
}

void KeepConditions(HWND dialog, const sizing::Conditions& conditions) {
    StateOf(dialog).conditions = conditions;
}

void KeepDischarge(HWND dialog, const sizing::Conditions& conditions) {
    sizing::Conditions& kept = StateOf(dialog).conditions;
    kept.discharge = conditions.discharge;
    kept.tau = conditions.tau;
    kept.typedDischarge = conditions.typedDischarge;
}

const sizing::Calculation& KeepCalculation(HWND dialog, const sizing::Method& method,
                                           const double* values, double volume) {
    SheetState& state = StateOf(dialog);
    std::string typed[sizing::kMaxInputs];
    for (std::size_t i = 0; i < method.inputCount; ++i) {
        typed[i] = state.typed[&method.inputs[i]];
    }
    // Read at each calculation, so that an edit of the file counts at the next one.
    state.conditions.catalogue = sizing::LoadCatalogue(sizing::CataloguePlaces());
    state.shown = sizing::Calculate(method, values, volume, state.conditions, typed);
    for (int id : {IDC_COPY_SHEET, IDC_SAVE_SHEET}) {
        ::EnableWindow(::GetDlgItem(dialog, id), TRUE);
    }
    return *state.shown;
}

std::optional<sizing::SavedSheet> LoadSheet(HWND owner, const std::wstring& path) {
    std::string reason;
    std::optional<sizing::SavedSheet> sheet =
        sizing::ReadSheetFile(std::filesystem::path(path), reason);
    if (!sheet) {
        Tell(owner, WideFromGbk(kNotRead) + L"\n" + path + L"\n" + WideFromUtf8(reason));
    }
    return sheet;
}

void OpenInNextCalculator(std::optional<sizing::SavedSheet> sheet) {
    Waiting() = std::move(sheet);
}

const sizing::Method* WaitingSheetMethod() {
    return Waiting() ? Waiting()->method : nullptr;
}

void SheetButton(HWND dialog, int id) {
    const SheetState* state = FindState(dialog);
    if (state == nullptr) {
        return;
    }
    if (id == IDC_OPEN_SHEET) {
        OpenSheet(dialog, *state);
    } else if (state->shown && id == IDC_COPY_SHEET) {
        CopySheet(dialog, *state->shown);
    } else if (state->shown && id == IDC_SAVE_SHEET) {
        SaveSheet(dialog, *state->shown);
    }
}

void OpenWaitingSheet(HWND dialog) {
    const SheetState* state = FindState(dialog);
    if (state != nullptr && Waiting() && Waiting()->method == state->method) {
        const sizing::SavedSheet sheet = std::move(*Waiting());
        Waiting().reset();
        FillEdits(dialog, *state, sheet);
    }
}

void ForgetSheet(HWND dialog) {
    States().erase(dialog);
}
