#include "skin_fixture.h"

#include "win/harness/harness.h"
#include "win/harness/import_patch.h"

#include <algorithm>
#include <map>

namespace {

using EnableTest = SkinTest;

// The procedure as the skin takes and gives it back: the Unicode one.
LONG_PTR ProcOf(HWND hwnd) {
    return ::GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
}

size_t NodesOf(HWND hwnd) {
    const auto nodes = RegistryNodes();
    return static_cast<size_t>(std::count_if(
        nodes.begin(), nodes.end(), [hwnd](const SkinnedControl* n) { return n->hwnd == hwnd; }));
}

TEST_F(EnableTest, SwitchingOnTakesExistingControlsAndEveryNewOne) {
    HostWindow host;
    HWND button = host.Add("Button", BS_PUSHBUTTON, "OK");
    HWND edit = host.Add("Edit", WS_BORDER, "text");
    HWND label = host.Add("Static", SS_LEFT, "label");
    // A control two levels down, inside a child window.
    HWND panel = host.Add("Static", SS_LEFT, "", 200, 60);
    HWND inner = ::CreateWindowExA(0, "Button", "inner", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 4,
                                   4, 120, 24, panel, nullptr, nullptr, nullptr);
    // Unicode windows, as the dialog manager makes the program's controls. (Wine names an edit's
    // procedure differently once it has been set through the Unicode form.)
    for (HWND hwnd : {button, edit, inner}) {
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, ProcOf(hwnd));
    }
    const std::map<HWND, LONG_PTR> ownProcs = {
        {button, ProcOf(button)}, {edit, ProcOf(edit)}, {inner, ProcOf(inner)}};

    const INT_PTR hook = EnableSkin(nullptr, TRUE);
    EXPECT_NE(hook, 0);
    for (const auto& [hwnd, proc] : ownProcs) {
        const SkinnedControl* node = FindSkinned(hwnd);
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(reinterpret_cast<LONG_PTR>(node->prevProc), proc);
        EXPECT_EQ(ProcOf(hwnd), reinterpret_cast<LONG_PTR>(&SkinWindowProc));
    }
    EXPECT_EQ(FindSkinned(label), nullptr);
    EXPECT_EQ(FindSkinned(panel), nullptr);
    EXPECT_EQ(FindSkinned(host.Handle()), nullptr);
    EXPECT_EQ(RegistryNodes().size(), 3u);

    // Created afterwards: caught at creation.
    HWND later = host.Add("Button", BS_AUTORADIOBUTTON, "later");
    ASSERT_NE(FindSkinned(later), nullptr);
    EXPECT_EQ(FindSkinned(later)->kind, kSkinRadioButton);

    // Switching on again changes nothing and registers nothing twice.
    EXPECT_EQ(EnableSkin(nullptr, TRUE), 0);
    HWND second = host.Add("Button", BS_PUSHBUTTON, "second");
    for (HWND hwnd : {button, edit, inner, later, second}) {
        EXPECT_EQ(NodesOf(hwnd), 1u);
    }
    EXPECT_EQ(RegistryNodes().size(), 5u);

    // Switching off gives every control its own procedure back...
    const LONG_PTR laterProc = reinterpret_cast<LONG_PTR>(FindSkinned(later)->prevProc);
    EXPECT_NE(EnableSkin(nullptr, FALSE), 0);
    EXPECT_EQ(SkinRegistryHead(), nullptr);
    for (const auto& [hwnd, proc] : ownProcs) {
        EXPECT_EQ(ProcOf(hwnd), proc);
    }
    EXPECT_EQ(ProcOf(later), laterProc);
    // ... and leaves no hook behind: a control created now stays as it is.
    HWND after = host.Add("Button", BS_PUSHBUTTON, "after");
    EXPECT_EQ(FindSkinned(after), nullptr);
    EXPECT_NE(ProcOf(after), reinterpret_cast<LONG_PTR>(&SkinWindowProc));
    EXPECT_EQ(EnableSkin(nullptr, FALSE), 0) << "off already";
}

TEST_F(EnableTest, OnlyTrueSwitchesOnButAnyNonzeroAttaches) {
    HostWindow host;
    HWND button = host.Add("Button", BS_PUSHBUTTON, "OK");
    for (BOOL enable : {2, -1, 0x100}) {
        EXPECT_EQ(EnableSkin(nullptr, enable), 0) << enable;
    }
    EXPECT_EQ(SkinRegistryHead(), nullptr) << "existing controls untouched";
    HWND later = host.Add("Button", BS_PUSHBUTTON, "later");
    EXPECT_EQ(FindSkinned(later), nullptr) << "no hook was set";

    const LONG_PTR ownProc = ProcOf(button);
    const INT_PTR node = EnableSkin(button, 2);
    ASSERT_NE(node, 0);
    EXPECT_EQ(reinterpret_cast<SkinnedControl*>(node), FindSkinned(button));
    EXPECT_EQ(EnableSkin(button, TRUE), 0) << "registered already";
    EXPECT_EQ(NodesOf(button), 1u);

    EXPECT_EQ(EnableSkin(button, FALSE), 0);
    EXPECT_EQ(FindSkinned(button), nullptr);
    EXPECT_EQ(ProcOf(button), ownProc);
    EXPECT_EQ(EnableSkin(button, FALSE), 0) << "detaching twice does nothing";

    HWND label = host.Add("Static", SS_LEFT, "label");
    const LONG_PTR labelProc = ProcOf(label);
    EXPECT_EQ(EnableSkin(label, TRUE), 0);
    EXPECT_EQ(ProcOf(label), labelProc);
}

TEST_F(EnableTest, AttachPaintsAtOnceAndDetachGivesTheOwnLookBack) {
    HostWindow host;
    HWND button = host.Add("Button", BS_PUSHBUTTON, "OK", 100, 30);
    Scribble(button);
    ASSERT_NE(AttachSkin(button), nullptr);
    EXPECT_TRUE(ShowsSkin(button)) << "painted by the attach, before any message was pumped";
    DetachSkin(button);
    const SIZE size = WindowSize(button);
    const COLORREF ring = WindowPixel(button, 1, size.cy / 2);
    EXPECT_NE(ring, kPushRing) << "the button drew itself again";
    EXPECT_NE(ring, kScribble);
}

HANDLE WINAPI NoHeap(HANDLE, DWORD, SIZE_T) {
    return nullptr;
}

TEST_F(EnableTest, WithoutHeapNothingIsAttached) {
    HostWindow host;
    HWND button = host.Add("Button", BS_PUSHBUTTON, "OK");
    const LONG_PTR ownProc = ProcOf(button);
    {
        ScopedImportPatch patch("kernel32.dll", "HeapAlloc", reinterpret_cast<void*>(&NoHeap));
        ASSERT_TRUE(patch.Active());
        EXPECT_EQ(AttachSkin(button), nullptr);
    }
    EXPECT_EQ(SkinRegistryHead(), nullptr);
    EXPECT_EQ(ProcOf(button), ownProc);
    ASSERT_NE(AttachSkin(button), nullptr) << "with a heap again the button is attached";
    DetachSkin(button);
}

TEST_F(EnableTest, ProcedureOfAWindowWithoutNodeFallsBackToDefault) {
    HostWindow host;
    HWND button = host.Add("Button", BS_AUTOCHECKBOX, "old");
    const LONG_PTR ownProc = ProcOf(button);
    ::SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinWindowProc));
    ::SendMessageA(button, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("new"));
    EXPECT_EQ(WindowText(button), "new");
    // The default procedure knows no check state.
    ::SendMessageA(button, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(::SendMessageA(button, BM_GETCHECK, 0, 0), 0);
    ::SetWindowLongPtrW(button, GWLP_WNDPROC, ownProc);
    EXPECT_EQ(::SendMessageA(button, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

} // namespace
