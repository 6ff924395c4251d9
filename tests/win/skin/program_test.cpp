// The skin in the running program: switched on by the launcher, it reaches the launcher's own
// controls, every calculator, the about box and message boxes, and lets each control go when
// it is destroyed, also those the framework subclassed first.
#include "skin_fixture.h"

#include "win/harness/harness.h"
#include "win/harness/message_box_inspector.h"

#include "app/launcher_dlg.h"
#include "res/resource.h"

#include <string>

namespace {

using ProgramTest = SkinTest;

const int kLauncherButtons[] = {IDC_AUX_POWER, IDC_SHOCK_A, IDC_PULSE_A, IDC_SHOCK_B,
                                IDC_PULSE_B,   IDC_PULSE_C, IDC_PULSE_D, IDC_SHOCK_C};

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    ::EnumChildWindows(
        parent,
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

// The push button shows the skin's border ring once the dialog has finished painting.
void ExpectSkinnedButton(HWND button, const std::string& context) {
    const SkinnedControl* node = FindSkinned(button);
    ASSERT_NE(node, nullptr) << context;
    EXPECT_EQ(node->kind, kSkinPushButton) << context;
    const SIZE size = WindowSize(button);
    EXPECT_TRUE(PumpUntil([&] { return WindowPixel(button, 1, size.cy / 2) == kPushRing; }))
        << context << ": ring at (1, h/2) is " << std::hex << WindowPixel(button, 1, size.cy / 2);
}

// Every node of the registry belongs to a live window.
void ExpectNoStaleNode() {
    for (const SkinnedControl* node : RegistryNodes()) {
        EXPECT_TRUE(::IsWindow(node->hwnd)) << "node of a destroyed window";
    }
}

TEST_F(ProgramTest, LauncherSwitchesTheSkinOnForItsOwnControls) {
    CLauncherDlg dlg;
    AfxGetApp()->m_pMainWnd = &dlg;
    std::vector<HWND> controls;
    RunModal(dlg, [&](HWND launcher) {
        controls = Children(launcher);
        for (int id : kLauncherButtons) {
            HWND button = ::GetDlgItem(launcher, id);
            ExpectSkinnedButton(button, "launcher button " + std::to_string(id));
            // Bound by the framework before the skin came: the skin passes on to the
            // framework's procedure.
            const SkinnedControl* node = FindSkinned(button);
            ASSERT_NE(node, nullptr);
            EXPECT_EQ(node->prevProc, &CWnd::AfxWndProc);
        }
        const SkinnedControl* email = FindSkinned(::GetDlgItem(launcher, IDC_EMAIL));
        ASSERT_NE(email, nullptr);
        EXPECT_EQ(email->kind, kSkinEdit);
        EXPECT_EQ(email->state & kSkinReadOnly, kSkinReadOnly);
        EXPECT_EQ(email->prevProc, &CWnd::AfxWndProc);
        EXPECT_EQ(FindSkinned(::GetDlgItem(launcher, IDC_WEB_LINK)), nullptr);
        EXPECT_EQ(FindSkinned(launcher), nullptr);
        // Buttons and the e-mail field, nothing else.
        EXPECT_EQ(RegistryNodes().size(), 9u);
        // The skin passes the framework's messages on: the bound button still gets its clicks
        // to the launcher, whose handler opens a calculator.
        NestedDialogCatcher catcher;
        ClickItem(launcher, IDC_AUX_POWER);
        EXPECT_EQ(catcher.Captions().size(), 1u);
    });
    AfxGetApp()->m_pMainWnd = nullptr;
    // The launcher is gone, its object not yet: every control left the registry at its
    // WM_DESTROY, and the framework got its WM_NCDESTROY and let go of the bound ones.
    EXPECT_EQ(SkinRegistryHead(), nullptr);
    ASSERT_FALSE(controls.empty());
    for (HWND control : controls) {
        EXPECT_FALSE(::IsWindow(control));
        EXPECT_EQ(CWnd::FromHandlePermanent(control), nullptr);
    }
    // The skin stays on after the launcher; switched off here for the next test.
    EXPECT_NE(EnableSkin(nullptr, FALSE), 0);
}

TEST_F(ProgramTest, CalculatorsMessageBoxesAndTheAboutBoxAreSkinned) {
    CLauncherDlg dlg;
    AfxGetApp()->m_pMainWnd = &dlg;
    RunModal(dlg, [&](HWND launcher) {
        std::vector<HWND> calculatorControls;
        int boxes = 0;
        NestedDialogCatcher catcher([&](HWND calculator) {
            calculatorControls = Children(calculator);
            ExpectSkinnedButton(::GetDlgItem(calculator, IDC_CALCULATE), "计算");
            for (int id : {IDC_AUX_DELTA_V, IDC_AUX_N, IDC_AUX_P0, IDC_AUX_P1, IDC_AUX_P2}) {
                const SkinnedControl* node = FindSkinned(::GetDlgItem(calculator, id));
                ASSERT_NE(node, nullptr) << "edit " << id;
                EXPECT_EQ(node->kind, kSkinEdit);
                EXPECT_EQ(node->state & kSkinReadOnly, 0u);
                EXPECT_TRUE(ShowsSkin(::GetDlgItem(calculator, id))) << "edit " << id;
                SetItemText(calculator, id, "0");
            }
            // The notes are framed like the other edits, as a read-only one.
            const SkinnedControl* notes = FindSkinned(::GetDlgItem(calculator, IDC_NOTES));
            ASSERT_NE(notes, nullptr);
            EXPECT_EQ(notes->kind, kSkinEdit);
            EXPECT_EQ(notes->state & kSkinReadOnly, kSkinReadOnly);
            EXPECT_TRUE(ShowsSkin(::GetDlgItem(calculator, IDC_NOTES)));
            EXPECT_EQ(FindSkinned(::GetDlgItem(calculator, IDC_AUX_RESULT)), nullptr);
            // The sheet buttons are skinned push buttons too, disabled until a volume shows.
            for (int id : {IDC_COPY_SHEET, IDC_SAVE_SHEET}) {
                const SkinnedControl* node = FindSkinned(::GetDlgItem(calculator, id));
                ASSERT_NE(node, nullptr) << "button " << id;
                EXPECT_EQ(node->kind, kSkinPushButton);
                EXPECT_EQ(node->state & kSkinDisabled, kSkinDisabled);
            }
            size_t registered = 0;
            for (HWND control : calculatorControls) {
                registered += FindSkinned(control) != nullptr ? 1 : 0;
            }
            EXPECT_EQ(registered, 15u)
                << "five edits, three temperatures, the discharge time and "
                   "the time constant, the notes and four buttons, no static";
            // Nothing to compute from: the calculator says so in a message box.
            MessageBoxInspector inspector([&](HWND box) {
                ++boxes;
                ExpectSkinnedButton(::GetDlgItem(box, IDOK), "message box OK");
                EXPECT_EQ(FindSkinned(box), nullptr);
            });
            ClickItem(calculator, IDC_CALCULATE);
            EXPECT_EQ(inspector.Count(), 1);
        });
        ClickItem(launcher, IDC_AUX_POWER);
        EXPECT_EQ(boxes, 1);
        ASSERT_FALSE(calculatorControls.empty());
        for (HWND control : calculatorControls) {
            EXPECT_EQ(FindSkinned(control), nullptr) << "calculator control left behind";
        }
        ExpectNoStaleNode();

        // Every other calculator: its button and edits skinned while open, all gone after.
        for (int id : kLauncherButtons) {
            std::vector<HWND> controls;
            NestedDialogCatcher other([&](HWND calculator) {
                controls = Children(calculator);
                ExpectSkinnedButton(::GetDlgItem(calculator, IDC_CALCULATE),
                                    "计算 of calculator " + std::to_string(id));
                for (HWND control : controls) {
                    char name[16] = {};
                    ::GetClassNameA(control, name, sizeof name);
                    if (lstrcmpiA(name, "Edit") == 0) {
                        EXPECT_NE(FindSkinned(control), nullptr) << "edit of " << id;
                    }
                }
            });
            ClickItem(launcher, id);
            ASSERT_FALSE(controls.empty()) << "calculator " << id;
            for (HWND control : controls) {
                EXPECT_EQ(FindSkinned(control), nullptr) << "left behind by " << id;
            }
        }
        ExpectNoStaleNode();

        bool aboutSeen = false;
        NestedDialogCatcher aboutCatcher([&](HWND about) {
            aboutSeen = true;
            ExpectSkinnedButton(::GetDlgItem(about, IDOK), "about box OK");
        });
        ::SendMessageA(launcher, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        EXPECT_TRUE(aboutSeen);
        ExpectNoStaleNode();
        EXPECT_EQ(RegistryNodes().size(), 9u) << "only the launcher's controls are left";
    });
    AfxGetApp()->m_pMainWnd = nullptr;
    EXPECT_EQ(SkinRegistryHead(), nullptr);
    EXPECT_NE(EnableSkin(nullptr, FALSE), 0);
}

} // namespace
