// The calculation sheet of a calculator: "复制" puts it on the clipboard as text, "计算书…" asks
// for a file in the Save As dialog, writes the page there and has the shell open it, "打开…"
// opens a saved page again, in the calculator of its method.
#include "win/harness/harness.h"
#include "win/link/link_test_support.h"
#include "win/harness/message_box_inspector.h"

#include "app/launcher_dlg.h"
#include "base/late_win.h"
#include "calc/aux_power_dlg.h"
#include "calc/calc_sheet.h"
#include "res/resource.h"

#include <dlgs.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

// The auxiliary power calculator's example with the pre-charge typed in bar.
void ShowExample(HWND dialog) {
    const struct {
        int id;
        const char* text;
    } typed[] = {{IDC_AUX_DELTA_V, "10"},
                 {IDC_AUX_N, "1.4"},
                 {IDC_AUX_P0, "90 bar"},
                 {IDC_AUX_P1, "10"},
                 {IDC_AUX_P2, "20"}};
    for (const auto& input : typed) {
        SetItemText(dialog, input.id, input.text);
    }
    ClickItem(dialog, IDC_CALCULATE);
}

// Whole lines of the example's sheet as text, in the program's GBK.
const char* const kSheetLines[] = {
    "蓄能器计算书",
    "计算方法：辅助动力源——作辅助动力源、应急动力源、流量补充、保压等",
    "  △V：10（10 L）",
    "  p0：90 bar（9 MPa）",
    "根据您的参数计算出蓄能器所需容积为：27.61 升。",
    "  选型（按实际气体 31.79 升）：公称容积 32 L，公称压力 20 MPa",
};

std::string Gbk(const std::wstring& text) {
    const int size = static_cast<int>(text.size());
    std::string gbk(static_cast<size_t>(size) * 2, '\0');
    gbk.resize(static_cast<size_t>(
        ::WideCharToMultiByte(936, 0, text.data(), size, &gbk[0], size * 2, nullptr, nullptr)));
    return gbk;
}

// The clipboard's text in format, up to its terminating null.
template <typename Char> std::basic_string<Char> ClipboardText(UINT format) {
    std::basic_string<Char> text;
    EXPECT_TRUE(::OpenClipboard(nullptr));
    if (HANDLE data = ::GetClipboardData(format)) {
        text = static_cast<const Char*>(::GlobalLock(data));
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

void PutTextOnClipboard(const char* text) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, lstrlenA(text) + 1);
    lstrcpyA(static_cast<char*>(::GlobalLock(memory)), text);
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_TEXT, memory);
    ::CloseClipboard();
}

TEST(CalculationSheet, CopiedAsUnicodeAndGbkText) {
    PutTextOnClipboard("before");
    CAuxPowerDlg dlg;
    std::vector<std::string> boxes;
    MessageBoxInspector inspector([&](HWND box) { boxes.push_back(ItemText(box, 0xFFFF)); });
    RunModal(dlg, [&](HWND hwnd) {
        ShowExample(hwnd);
        // While another window holds the clipboard, the user hears so and nothing changes.
        ASSERT_TRUE(::OpenClipboard(::GetDlgItem(hwnd, IDC_NOTES)));
        ClickItem(hwnd, IDC_COPY_SHEET);
        ::CloseClipboard();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0], "剪贴板正被其他程序占用，计算书没有复制。请稍后再试。");
        EXPECT_EQ(ClipboardText<char>(CF_TEXT), "before");

        ClickItem(hwnd, IDC_COPY_SHEET);
        EXPECT_EQ(boxes.size(), 1u);
    });
    const std::wstring unicode = ClipboardText<wchar_t>(CF_UNICODETEXT);
    const std::string gbk = ClipboardText<char>(CF_TEXT);
    EXPECT_NE(unicode.find(L"\r\n  p0：90 bar（9 MPa）\r\n"), std::wstring::npos) << Gbk(unicode);
    EXPECT_EQ(gbk, Gbk(unicode));
    EXPECT_EQ(gbk.rfind("蓄能器计算书\r\n", 0), 0u);
    for (const char* line : kSheetLines) {
        EXPECT_NE(("\n" + gbk).find(std::string("\n") + line + "\r\n"), std::string::npos) << line;
    }
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                files.push_back(found.cFileName);
            }
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    return files;
}

// A folder of the test prefix with a blank in its name, emptied. The names are ASCII: without
// a Chinese locale on the Unix side, Wine cannot store other characters in file names.
std::wstring SheetFolder() {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"presovol sheets\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    for (const std::wstring& file : FilesIn(folder)) {
        ::DeleteFileW((folder + file).c_str());
    }
    return folder;
}

std::string FileBytes(const std::wstring& path) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    std::string bytes(1 << 20, '\0');
    DWORD read = 0;
    ::ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

std::wstring Today() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    wchar_t date[16];
    std::swprintf(date, 16, L"%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
    return date;
}

// While alive, answers the file dialog titled title, once, with the file name path (noting the
// name it offered), says yes to replacing a file, and notes the text of every other message box.
class FileDialogAnswer {
public:
    explicit FileDialogAnswer(std::wstring path, const char* title = "保存计算书")
        : m_path(std::move(path)), m_title(title), m_inspector([this](HWND box) { Answer(box); }) {}

    std::wstring offered;
    std::vector<std::string> boxes;

private:
    void Answer(HWND box) {
        // The file name is an edit, or the edit of a combo box.
        HWND name = ::GetDlgItem(box, edt1) ? ::GetDlgItem(box, edt1) : ::GetDlgItem(box, cmb13);
        if (name != nullptr && m_asked) {
            ADD_FAILURE() << "the file dialog came again";
            ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
        } else if (name != nullptr) {
            m_asked = true;
            EXPECT_EQ(WindowText(box), m_title);
            wchar_t text[MAX_PATH] = {};
            ::GetWindowTextW(name, text, MAX_PATH);
            offered = text;
            ::SetWindowTextW(name, m_path.c_str());
        } else if (::GetDlgItem(box, IDYES) != nullptr) {
            ::PostMessageA(box, WM_COMMAND, IDYES, 0);
        } else {
            boxes.push_back(ItemText(box, 0xFFFF));
        }
    }

    std::wstring m_path;
    std::string m_title;
    bool m_asked = false;
    MessageBoxInspector m_inspector;
};

// The stand-in browser opens pages: files ending in ".html" are of a type whose open command
// starts it.
class BrowserForPages {
public:
    BrowserForPages() {
        m_type.Set("PresovolTestPage");
        m_command.Set("\"" + LoggerPath() + "\" \"%1\"");
        ClearLoggerLog();
    }

private:
    ScopedClassesValue m_type{".html"};
    ScopedClassesValue m_command{"PresovolTestPage\\shell\\open\\command"};
};

// A saved page opens in the stand-in browser; its start is awaited, so that no later test sees
// it in the browser's log.
void ExpectOpened(const std::wstring& page) {
    EXPECT_EQ(WaitForLoggerLog(), "\"" + LoggerPath() + "\" \"" + Gbk(page) + "\"\n");
    ClearLoggerLog();
}

TEST(CalculationSheet, SavedUnderTheNameTypedInTheSaveAsDialogAndOpened) {
    BrowserForPages browser;
    const std::wstring folder = SheetFolder();
    const std::wstring path = folder + L"aux sheet.html";
    CAuxPowerDlg dlg;
    FileDialogAnswer answer(path);
    RunModal(dlg, [&](HWND hwnd) {
        ShowExample(hwnd);
        ClickItem(hwnd, IDC_SAVE_SHEET);
    });
    EXPECT_TRUE(answer.boxes.empty()) << answer.boxes[0];
    EXPECT_EQ(answer.offered, L"蓄能器计算书-辅助动力源-" + Today() + L".html");
    const std::string page = FileBytes(path);
    EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(page.find(u8"<td class=\"n\">90 bar</td><td class=\"n\">9</td><td>MPa</td>"),
              std::string::npos);
    EXPECT_NE(page.find(u8"根据您的参数计算出蓄能器所需容积为：27.61 升。"), std::string::npos);
    EXPECT_EQ(FilesIn(folder).size(), 1u) << "no temporary file is left";
    EXPECT_EQ(WaitForLoggerLog(), "\"" + LoggerPath() + "\" \"" + Gbk(path) + "\"\n");
}

// Another program holds the file open without sharing it: the sheet cannot take its place.
TEST(CalculationSheet, AFileThatCannotBeReplacedIsReportedAndKept) {
    BrowserForPages browser;
    const std::wstring folder = SheetFolder();
    const std::wstring path = folder + L"in use.html";
    HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(held, "earlier", 7, &written, nullptr);
    CAuxPowerDlg dlg;
    FileDialogAnswer answer(path);
    RunModal(dlg, [&](HWND hwnd) {
        ShowExample(hwnd);
        ClickItem(hwnd, IDC_SAVE_SHEET);
    });
    ::CloseHandle(held);
    ASSERT_EQ(answer.boxes.size(), 1u);
    const std::string lead = "计算书没有保存：\n" + Gbk(path) + "\n";
    EXPECT_EQ(answer.boxes[0].rfind(lead, 0), 0u) << answer.boxes[0];
    EXPECT_GT(answer.boxes[0].size(), lead.size()) << "the system's reason follows";
    EXPECT_EQ(FileBytes(path), "earlier");
    EXPECT_EQ(FilesIn(folder).size(), 1u) << "no temporary file is left";
    PumpFor(200);
    EXPECT_EQ(LoggerLog(), "") << "nothing is opened";
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ASSERT_TRUE(
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    ::CloseHandle(file);
}

// The texts of every control of dialog in creation order: labels, edits, result and notes.
std::vector<std::string> ChildTexts(HWND dialog) {
    std::vector<std::string> texts;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        texts.push_back(WindowText(child));
    }
    return texts;
}

// A saved page without the line that says when it was saved.
std::string Unstamped(std::string page) {
    const std::size_t at = page.find("<p class=\"stamp\">");
    return at == std::string::npos ? page : page.erase(at, page.find('\n', at) - at);
}

// A file list of one file, as the shell hands a drop to a window.
HDROP DropOf(const std::wstring& path) {
    const size_t size = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    path.copy(reinterpret_cast<wchar_t*>(drop + 1), path.size());
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// A file that is no sheet, or no longer one, is told with its name and why, and changes
// nothing. A saved sheet opens in a calculator of its method with the same texts, result and
// notes, and saves the same page again but for its date; through the launcher, opened in
// another calculator, which closes, and dropped on the launcher, it opens the same.
TEST(CalculationSheet, OpensAgainWithTheSameTextsAndTellsWhatCannotBeRead) {
    BrowserForPages browser;
    const std::wstring folder = SheetFolder();
    const std::wstring first = folder + L"first.html";
    const std::wstring second = folder + L"second.html";
    std::vector<std::string> shown;
    CAuxPowerDlg saving;
    RunModal(saving, [&](HWND hwnd) {
        SetItemText(hwnd, IDC_LOWEST_TEMPERATURE, "-10");
        ShowExample(hwnd);
        shown = ChildTexts(hwnd);
        FileDialogAnswer answer(first);
        ClickItem(hwnd, IDC_SAVE_SHEET);
    });
    ExpectOpened(first);
    std::string sheet = FileBytes(first);
    const struct {
        const wchar_t* name;
        std::string bytes;
        const char* reason;
    } files[] = {
        {L"cut.html", sheet.substr(0, sheet.size() * 3 / 4),
         "计算书中没有计算数据：它由较早的版本保存，或者文件不完整。"},
        {L"abc.html", std::string(sheet).replace(sheet.find("\"p1\":\"10\""), 9, "\"p1\":\"abc\""),
         "输入 p1 的值“abc”不是一个数字。"},
        {L"page.html", "<html><body><p>Hello</p></body></html>", "文件不是 Presovol 的计算书。"},
        {L"large.html", sheet + std::string(9 << 20, ' '), "文件大于 8 MiB，不是计算书。"},
        {L"deep.html",
         std::string(sheet).insert(sheet.find("\"version\":1,") + 12,
                                   "\"x\":" + std::string(100000, '[') + std::string(100000, ']') +
                                       ","),
         "计算书的数据层次过深，不是 Presovol 的计算书。"},
    };
    CAuxPowerDlg opening;
    RunModal(opening, [&](HWND hwnd) {
        SetItemText(hwnd, IDC_AUX_P1, "11");
        const std::vector<std::string> before = ChildTexts(hwnd);
        for (const auto& file : files) {
            const std::wstring path = folder + file.name;
            WriteBytes(path, file.bytes);
            FileDialogAnswer answer(path, "打开计算书");
            ClickItem(hwnd, IDC_OPEN_SHEET);
            ASSERT_EQ(answer.boxes.size(), 1u);
            EXPECT_EQ(answer.boxes[0], "无法打开计算书：\n" + Gbk(path) + "\n" + file.reason);
            EXPECT_EQ(ChildTexts(hwnd), before);
        }
        {
            FileDialogAnswer answer(first, "打开计算书");
            ClickItem(hwnd, IDC_OPEN_SHEET);
            EXPECT_TRUE(answer.boxes.empty()) << answer.boxes[0];
        }
        EXPECT_EQ(ChildTexts(hwnd), shown);
        FileDialogAnswer answer(second);
        ClickItem(hwnd, IDC_SAVE_SHEET);
    });
    ExpectOpened(second);
    EXPECT_EQ(Unstamped(FileBytes(second)), Unstamped(sheet));

    std::vector<std::string> captions; // of each calculator, as it opens
    CLauncherDlg launcher;
    AfxGetApp()->m_pMainWnd = &launcher;
    RunModal(launcher, [&](HWND hwnd) {
        NestedDialogCatcher catcher([&](HWND calculator) {
            captions.push_back(WindowText(calculator));
            if (::GetDlgItem(calculator, IDC_SHOCKB_RESULT) != nullptr) {
                FileDialogAnswer answer(first, "打开计算书");
                ClickItem(calculator, IDC_OPEN_SHEET);
            } else {
                EXPECT_EQ(ChildTexts(calculator), shown);
                // A drop on the launcher while it waits for a calculator opens nothing more.
                ::SendMessageW(hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(first)), 0);
            }
        });
        ClickItem(hwnd, IDC_SHOCK_B);
        ::PostMessageW(hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(first)), 0);
        PumpMessages();
    });
    AfxGetApp()->m_pMainWnd = nullptr;
    const std::string aux = "作辅助动力源、应急动力源、流量补充、保压等";
    EXPECT_EQ(captions,
              (std::vector<std::string>{"吸收管道突然关闭等造成的液压冲击、水锤", aux, aux}));
    EXPECT_EQ(WaitingSheetMethod(), nullptr);
}

// The road example discharged in 60 s: the thermal line in the notes, which the calculator shows
// without scrolling; a discharge time that is no time or not above zero is refused; the sheet
// saved and opened again gives back the discharge time, the notes and the page.
TEST(CalculationSheet, DischargeTimeInTheNotesAndTheSheetOpenedAgain) {
    BrowserForPages browser;
    const std::wstring folder = SheetFolder();
    const std::wstring first = folder + L"discharge.html";
    const std::wstring second = folder + L"discharge again.html";
    std::vector<std::string> shown;
    CAuxPowerDlg saving;
    RunModal(saving, [&](HWND hwnd) {
        EXPECT_EQ(ItemText(hwnd, IDC_DISCHARGE_TIME), "");
        EXPECT_EQ(ItemText(hwnd, IDC_THERMAL_TAU), "");
        SetItemText(hwnd, IDC_DISCHARGE_TIME, "１ min");
        ShowExample(hwnd);
        const std::string notes = ItemText(hwnd, IDC_NOTES);
        EXPECT_EQ(notes.rfind("选型（按放油时间 30.47 升）：公称容积 32 L，公称压力 20 MPa\r\n", 0),
                  0u)
            << notes;
        EXPECT_NE(
            notes.find("\r\n按充满后静置、放油 60 s 计（热时间常数约 27 s，估计）：放油过程指数约 "
                       "1.31，需 30.47 升；放油终了气温约 -6 °C\r\n"),
            std::string::npos)
            << notes;
        // Every line shows: the scroll bar has nothing to move.
        HWND box = ::GetDlgItem(hwnd, IDC_NOTES);
        ::SendMessageW(box, WM_VSCROLL, SB_LINEDOWN, 0);
        EXPECT_EQ(::SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
        shown = ChildTexts(hwnd);

        for (const char* refused : {"0 s", "1 L"}) {
            SetItemText(hwnd, IDC_DISCHARGE_TIME, refused);
            MessageBoxCatcher boxes;
            ClickItem(hwnd, IDC_CALCULATE);
            ASSERT_EQ(boxes.Seen().size(), 1u);
            EXPECT_EQ(boxes.Seen()[0].text,
                      *refused == '0' ? "放油时间须大于 0。" : "请输入一个数字。");
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(hwnd, IDC_DISCHARGE_TIME));
            EXPECT_EQ(ItemText(hwnd, IDC_NOTES), notes);
        }
        SetItemText(hwnd, IDC_DISCHARGE_TIME, "１ min");
        FileDialogAnswer answer(first);
        ClickItem(hwnd, IDC_SAVE_SHEET);
    });
    ExpectOpened(first);
    const std::string sheet = FileBytes(first);
    EXPECT_NE(sheet.find(u8"<td class=\"n\">１ min</td><td class=\"n\">60</td><td>s</td>"),
              std::string::npos);
    EXPECT_NE(sheet.find("<polyline class=\"discharge\""), std::string::npos);
    CAuxPowerDlg opening;
    RunModal(opening, [&](HWND hwnd) {
        {
            FileDialogAnswer answer(first, "打开计算书");
            ClickItem(hwnd, IDC_OPEN_SHEET);
            EXPECT_TRUE(answer.boxes.empty()) << answer.boxes[0];
        }
        EXPECT_EQ(ChildTexts(hwnd), shown);
        FileDialogAnswer answer(second);
        ClickItem(hwnd, IDC_SAVE_SHEET);
    });
    ExpectOpened(second);
    EXPECT_EQ(Unstamped(FileBytes(second)), Unstamped(sheet));
}

// Points one of the program's late functions at another name or library while it lives.
template <typename Function> class LateReplacement {
public:
    LateReplacement(base::LateFunction<Function>& slot, base::LateLibrary& library,
                    const char* name)
        : m_slot(slot), m_saved(slot) {
        m_slot = base::LateFunction<Function>(library, name);
    }
    ~LateReplacement() { m_slot = m_saved; }
    LateReplacement(const LateReplacement&) = delete;
    LateReplacement& operator=(const LateReplacement&) = delete;

private:
    base::LateFunction<Function>& m_slot;
    base::LateFunction<Function> m_saved;
};

// The common dialogs and the shell are loaded when a sheet is first saved or opened. Where the
// library or its function is missing, the user is told as when the dialog or the shell fails.
TEST(CalculationSheet, AMissingLibraryOrFunctionIsReportedAsAFailedSaveOrOpen) {
    BrowserForPages browser;
    const std::wstring folder = SheetFolder();
    const std::wstring path = folder + L"late.html";
    base::LateLibrary missing{L"presovol-missing.dll", true};
    const std::string noSaveDialog = "无法打开保存对话框。";
    const std::string noOpenDialog = "无法显示打开对话框。";
    const std::string notOpened = "计算书已保存，但无法在浏览器中打开：\n" + Gbk(path);
    using FileDialog = base::LateFunction<decltype(::GetSaveFileNameW)>;
    const struct {
        FileDialog* dialog; // the file dialog's function replaced, or else the shell's
        int button;
        base::LateLibrary* library;
        const char* function;
        const std::string& message;
    } cases[] = {
        {&base::late::GetSaveFileNameW, IDC_SAVE_SHEET, &base::late::comdlg32,
         "GetSaveFileNameMissing", noSaveDialog},
        {&base::late::GetSaveFileNameW, IDC_SAVE_SHEET, &missing, "GetSaveFileNameW", noSaveDialog},
        {&base::late::GetOpenFileNameW, IDC_OPEN_SHEET, &missing, "GetOpenFileNameW", noOpenDialog},
        {nullptr, IDC_SAVE_SHEET, &base::late::shell32, "ShellExecuteMissing", notOpened},
        {nullptr, IDC_SAVE_SHEET, &missing, "ShellExecuteW", notOpened},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.function);
        ::DeleteFileW(path.c_str());
        ClearLoggerLog();
        std::optional<LateReplacement<decltype(::GetSaveFileNameW)>> dialog;
        std::optional<LateReplacement<decltype(::ShellExecuteW)>> shell;
        if (c.dialog != nullptr) {
            dialog.emplace(*c.dialog, *c.library, c.function);
        } else {
            shell.emplace(base::late::ShellExecuteW, *c.library, c.function);
        }
        CAuxPowerDlg dlg;
        FileDialogAnswer answer(path);
        RunModal(dlg, [&](HWND hwnd) {
            ShowExample(hwnd);
            ClickItem(hwnd, c.button);
        });
        EXPECT_EQ(answer.boxes, std::vector<std::string>{c.message});
        EXPECT_EQ(answer.offered.empty(), c.dialog != nullptr) << "the file dialog shows";
        EXPECT_EQ(FilesIn(folder).size(), c.dialog != nullptr ? 0u : 1u) << "the page is written";
        PumpFor(200);
        EXPECT_EQ(LoggerLog(), "") << "nothing is opened";
    }
    // The real functions are still there.
    EXPECT_NE(base::late::GetSaveFileNameW.Load(), nullptr);
    EXPECT_NE(base::late::GetOpenFileNameW.Load(), nullptr);
    EXPECT_NE(base::late::ShellExecuteW.Load(), nullptr);
}

} // namespace
