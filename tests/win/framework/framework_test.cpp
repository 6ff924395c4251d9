#include "win/harness/gdi_count.h"
#include "win/harness/harness.h"
#include "win/harness/import_patch.h"

#include "framework/framework.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <vector>

// Every object of the test program comes from the process heap, so a test can see the
// object at g_watched deleted.
void* g_watched = nullptr;
bool g_watchedDeleted = false;

void* operator new(std::size_t size) {
    if (void* object = ::HeapAlloc(::GetProcessHeap(), 0, size != 0 ? size : 1)) {
        return object;
    }
    throw std::bad_alloc();
}

void operator delete(void* object) noexcept {
    if (object == nullptr) {
        return;
    }
    g_watchedDeleted = g_watchedDeleted || object == g_watched;
    ::HeapFree(::GetProcessHeap(), 0, object);
}

void operator delete(void* object, std::size_t) noexcept {
    ::operator delete(object);
}

namespace {

// A static that answers the notifications its parent reflects back to it.
class CReflectingStatic : public CStatic {
public:
    int clicks = 0;
    int subclassCalls = 0;
    std::vector<UINT> translated;

    void OnClicked() { ++clicks; }
    HBRUSH CtlColor(CDC* dc, UINT) {
        dc->SetTextColor(RGB(1, 2, 3));
        return static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        translated.push_back(msg->message);
        return CStatic::PreTranslateMessage(msg);
    }

protected:
    void PreSubclassWindow() override {
        ++subclassCalls;
        // The window is bound already when this runs.
        EXPECT_EQ(CWnd::FromHandlePermanent(m_hWnd), this);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingStatic, CStatic)
ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

// The about box with a bound static, a base map and a derived map.
class CBaseDlg : public CDialog {
public:
    CBaseDlg() : CDialog(IDD_ABOUTBOX) {}
    int baseCommands = 0;
    void OnBaseCommand() { ++baseCommands; }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseDlg, CDialog)
ON_COMMAND(4321, OnBaseCommand)
END_MESSAGE_MAP()

class CDerivedDlg : public CBaseDlg {
public:
    CReflectingStatic m_version;
    int derivedCommands = 0;
    int creates = 0;
    void OnDerivedCommand() { ++derivedCommands; }
    int OnCreate(LPCREATESTRUCTW cs) {
        ++creates;
        return CBaseDlg::OnCreate(cs);
    }

protected:
    void DoDataExchange(CDataExchange* dx) override {
        HWND version = ::GetWindow(::GetWindow(m_hWnd, GW_CHILD), GW_HWNDNEXT);
        ::SetWindowLongPtrA(version, GWLP_ID, 777);
        DDX_Control(dx, 777, m_version);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedDlg, CBaseDlg)
ON_COMMAND(1234, OnDerivedCommand)
ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(Framework, MessageMapsChainToTheBaseClass) {
    CDerivedDlg dlg;
    RunModal(dlg, [&](HWND hwnd) {
        ::SendMessageA(hwnd, WM_COMMAND, 1234, 0);
        ::SendMessageA(hwnd, WM_COMMAND, 4321, 0);
        ::SendMessageA(hwnd, WM_COMMAND, 9999, 0); // no handler: nothing happens
    });
    EXPECT_EQ(dlg.derivedCommands, 1);
    EXPECT_EQ(dlg.baseCommands, 1);
    // The dialog is bound before its creation, so its map sees WM_CREATE.
    EXPECT_EQ(dlg.creates, 1);
}

TEST(Framework, BindsControlsOnceAndReflectsTheirNotifications) {
    CDerivedDlg dlg;
    RunModal(dlg, [&](HWND hwnd) {
        HWND version = ::GetDlgItem(hwnd, 777);
        ASSERT_EQ(dlg.m_version.m_hWnd, version);
        EXPECT_EQ(dlg.m_version.subclassCalls, 1);
        dlg.UpdateData(FALSE); // a second exchange binds nothing again
        EXPECT_EQ(dlg.m_version.subclassCalls, 1);

        ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(777, STN_CLICKED),
                       reinterpret_cast<LPARAM>(version));
        EXPECT_EQ(dlg.m_version.clicks, 1);

        HDC dc = ::CreateCompatibleDC(nullptr);
        const LRESULT brush = ::SendMessageA(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                             reinterpret_cast<LPARAM>(version));
        EXPECT_EQ(brush, reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH)));
        EXPECT_EQ(::GetTextColor(dc), RGB(1, 2, 3));
        ::DeleteDC(dc);
    });
    // The control let go of its window when the dialog went.
    EXPECT_EQ(dlg.m_version.m_hWnd, nullptr);
}

CDerivedDlg* g_loopDialog = nullptr;

TEST(Framework, ModalLoopOffersEveryMessageToTheWindowsOnItsWay) {
    CDerivedDlg dlg;
    g_loopDialog = &dlg;
    // Posted from inside the loop; the loop itself must hand them to the control first.
    ::SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR timer, DWORD) {
        ::KillTimer(nullptr, timer);
        HWND hwnd = g_loopDialog->m_hWnd;
        HWND version = ::GetDlgItem(hwnd, 777);
        ::PostMessageA(version, WM_MOUSEMOVE, 0, 0);
        ::PostMessageA(version, WM_APP + 5, 0, 0);
        ::PostMessageA(hwnd, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    g_loopDialog = nullptr;
    const auto& seen = dlg.m_version.translated;
    EXPECT_NE(std::find(seen.begin(), seen.end(), WM_MOUSEMOVE), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), WM_APP + 5), seen.end());
}

TEST(Framework, ModalDialogDisablesItsOwnerUntilItCloses) {
    CBaseDlg outer;
    RunModal(outer, [&](HWND outerHwnd) {
        AfxGetApp()->m_pMainWnd = &outer;
        CBaseDlg inner;
        bool ownerDisabled = false;
        HWND innerOwner = nullptr;
        RunModal(inner, [&](HWND innerHwnd) {
            innerOwner = ::GetWindow(innerHwnd, GW_OWNER);
            ownerDisabled = !::IsWindowEnabled(outerHwnd);
        });
        AfxGetApp()->m_pMainWnd = nullptr;
        EXPECT_EQ(innerOwner, outerHwnd);
        EXPECT_TRUE(ownerDisabled);
        EXPECT_TRUE(::IsWindowEnabled(outerHwnd));
    });
}

// Every hook the program sets while a patch of SetWindowsHookExA routes it here.
std::vector<HHOOK> g_hooksSet;
const ScopedImportPatch* g_hookPatch = nullptr;

HHOOK WINAPI RecordHook(int id, HOOKPROC procedure, HINSTANCE module, DWORD thread) {
    const auto set = reinterpret_cast<decltype(&::SetWindowsHookExA)>(g_hookPatch->Original());
    HHOOK hook = set(id, procedure, module, thread);
    g_hooksSet.push_back(hook);
    return hook;
}

HHOOK WINAPI FailHook(int, HOOKPROC, HINSTANCE, DWORD) {
    return nullptr;
}

// The about box, ended from its OnInitDialog; the outer one first opens a nested one there.
class CEndingDlg : public CDialog {
public:
    explicit CEndingDlg(bool nest) : CDialog(IDD_ABOUTBOX), m_nest(nest) {}
    INT_PTR nestedResult = 0;

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (m_nest) {
            CEndingDlg nested(false);
            nestedResult = nested.DoModal();
        }
        EndDialog(m_nest ? IDOK : IDCANCEL);
        return TRUE;
    }

private:
    bool m_nest;
};

TEST(Framework, ADialogOpenedWhileAnotherIsCreatedUnhooksOnlyItsOwnHook) {
    g_hooksSet.clear();
    {
        ScopedImportPatch patch("user32.dll", "SetWindowsHookExA",
                                reinterpret_cast<void*>(&RecordHook));
        ASSERT_TRUE(patch.Active());
        g_hookPatch = &patch;
        CEndingDlg outer(true);
        EXPECT_EQ(outer.DoModal(), IDOK);
        EXPECT_EQ(outer.nestedResult, IDCANCEL);
        g_hookPatch = nullptr;
    }
    ASSERT_EQ(g_hooksSet.size(), 2u);
    for (HHOOK hook : g_hooksSet) {
        // Unhooking once more fails for a hook that is gone (and removes one left behind).
        EXPECT_FALSE(::UnhookWindowsHookEx(hook)) << "a creation hook was left set";
    }
}

std::vector<HWND> ThreadWindows() {
    std::vector<HWND> windows;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

TEST(Framework, ADialogThatCannotBeBoundIsDestroyedAndAnswersMinusOne) {
    const std::vector<HWND> before = ThreadWindows();
    ScopedImportPatch patch("user32.dll", "SetWindowsHookExA", reinterpret_cast<void*>(&FailHook));
    ASSERT_TRUE(patch.Active());
    CBaseDlg dlg;
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(ThreadWindows(), before) << "the unbound dialog is still there";
}

TEST(Framework, ATemporaryWrapperTakenBeforeANestedDialogStaysValid) {
    CBaseDlg outer;
    RunModal(outer, [](HWND hwnd) {
        HWND ok = ::GetDlgItem(hwnd, IDOK);
        CWnd* wrapper = CWnd::FromHandle(ok);
        ASSERT_EQ(CWnd::FromHandlePermanent(ok), nullptr) << "not a temporary wrapper";
        g_watched = wrapper;
        g_watchedDeleted = false;
        CBaseDlg nested;
        RunModal(nested, [](HWND) { PumpFor(20); });
        g_watched = nullptr;
        EXPECT_FALSE(g_watchedDeleted) << "the nested dialog's loop freed the wrapper";
        EXPECT_EQ(CWnd::FromHandle(ok), wrapper);
    });
}

TEST(Framework, MessageBoxesCarryTheProgramsTitle) {
    // The title is the executable's name without its extension.
    EXPECT_STREQ(AfxGetAppName(), "win_framework_tests");
    MessageBoxCatcher boxes;
    AfxMessageBox("出错了", MB_ICONEXCLAMATION);
    CBaseDlg dlg;
    RunModal(dlg, [](HWND hwnd) { CWnd::FromHandle(hwnd)->MessageBox("消息"); });
    ASSERT_EQ(boxes.Seen().size(), 2u);
    EXPECT_EQ(boxes.Seen()[0].caption, "win_framework_tests");
    EXPECT_EQ(boxes.Seen()[0].text, "出错了");
    EXPECT_EQ(boxes.Seen()[1].caption, "win_framework_tests");
    EXPECT_EQ(boxes.Seen()[1].text, "消息");
}

TEST(Framework, StringsFormatAndLoad) {
    CString text;
    text.Format("%s=%.2f", "V", 2.345);
    EXPECT_EQ(text.Str(), "V=2.35");
    text.Format("%0500d", 7); // longer than any fixed buffer
    EXPECT_EQ(text.Str().size(), 500u);
    EXPECT_TRUE(text.LoadString(IDS_ABOUTBOX));
    EXPECT_EQ(text.Str(), "关于 Presovol(&A)...");
    EXPECT_FALSE(text.LoadString(9999));
    EXPECT_TRUE(text.IsEmpty());
}

TEST(Framework, FontObjectOwnsItsFont) {
    HFONT handle = nullptr;
    {
        CFont font;
        ASSERT_TRUE(font.CreateFont(15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0,
                                    0, FF_SWISS, "宋体"));
        handle = font;
        LOGFONTW description{};
        EXPECT_EQ(::GetObjectW(handle, sizeof description, &description),
                  static_cast<int>(sizeof description));
        EXPECT_FALSE(font.Attach(::GetStockObject(DEFAULT_GUI_FONT))); // owns one already
        // A second font is not made at all: it would belong to nobody.
        const int before = CountGdiObjects();
        EXPECT_FALSE(font.CreateFontIndirect(&description));
        EXPECT_EQ(CountGdiObjects(), before);
        EXPECT_EQ(static_cast<HFONT>(font), handle);
    }
    LOGFONTA description{};
    EXPECT_EQ(::GetObjectA(handle, sizeof description, &description), 0);
}

} // namespace
