#include "skin_fixture.h"

#include "win/harness/harness.h"
#include "win/harness/import_patch.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

using RegistryTest = SkinTest;

std::vector<HWND> RegisteredWindows() {
    std::vector<HWND> windows;
    for (const SkinnedControl* node : RegistryNodes()) {
        windows.push_back(node->hwnd);
    }
    return windows;
}

// The registry holds exactly these controls, newest first, and each still works skinned: a
// press reaches its node and its look.
void ExpectRegistry(const std::vector<HWND>& newestFirst, const char* context) {
    EXPECT_EQ(RegisteredWindows(), newestFirst) << context;
    for (HWND hwnd : newestFirst) {
        SkinnedControl* node = FindSkinned(hwnd);
        ASSERT_NE(node, nullptr) << context;
        Scribble(hwnd);
        ::SendMessageA(hwnd, BM_SETSTATE, TRUE, 0);
        EXPECT_EQ(node->state & kSkinPressed, kSkinPressed) << context;
        EXPECT_TRUE(ShowsSkin(hwnd)) << context;
        ::SendMessageA(hwnd, BM_SETSTATE, FALSE, 0);
        EXPECT_EQ(node->state & kSkinPressed, 0u) << context;
    }
}

TEST_F(RegistryTest, NewestFirstAndOneNodePerWindow) {
    HostWindow host;
    ASSERT_NE(EnableSkin(nullptr, TRUE), 0);
    std::vector<HWND> created;
    for (int i = 0; i < 4; ++i) {
        created.push_back(host.Add("Button", BS_PUSHBUTTON, std::to_string(i).c_str()));
    }
    std::vector<HWND> newestFirst(created.rbegin(), created.rend());
    ExpectRegistry(newestFirst, "as created");
    for (HWND hwnd : created) {
        EXPECT_EQ(AttachSkin(hwnd), nullptr);
    }
    // Switching on again offers every control once more.
    EXPECT_EQ(EnableSkin(nullptr, TRUE), 0);
    EXPECT_EQ(RegisteredWindows(), newestFirst) << "nothing registered twice";

    // Detached and attached again: in front.
    DetachSkin(created[1]);
    ASSERT_NE(AttachSkin(created[1]), nullptr);
    EXPECT_EQ(RegisteredWindows(),
              (std::vector<HWND>{created[1], created[3], created[2], created[0]}));
    EXPECT_NE(EnableSkin(nullptr, FALSE), 0);
}

// A procedure subclassed after the skin: passes everything on and counts the last message.
WNDPROC g_beforeLater = nullptr;
int g_laterNcDestroys = 0;

LRESULT CALLBACK LaterProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCDESTROY) {
        ++g_laterNcDestroys;
    }
    return ::CallWindowProcW(g_beforeLater, hwnd, msg, wParam, lParam);
}

TEST_F(RegistryTest, LettingGoUnderALaterSubclassKeepsItInTheChain) {
    HostWindow host;
    ASSERT_NE(EnableSkin(nullptr, TRUE), 0);
    HWND button = host.Add("Button", BS_PUSHBUTTON, "later");
    g_laterNcDestroys = 0;
    g_beforeLater = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterProc)));
    ASSERT_EQ(g_beforeLater, &SkinWindowProc);
    EXPECT_NE(EnableSkin(nullptr, FALSE), 0);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(button, GWLP_WNDPROC)), &LaterProc);
    // The control draws its own look again.
    Scribble(button);
    ::RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_NE(WindowPixel(button, 1, WindowSize(button).cy / 2), kPushRing);
    EXPECT_NE(WindowPixel(button, 1, WindowSize(button).cy / 2), kScribble);
    host.Destroy();
    EXPECT_EQ(g_laterNcDestroys, 1);
    EXPECT_EQ(SkinRegistryHead(), nullptr);
}

TEST_F(RegistryTest, DestroyingAnyControlLeavesTheOthersReachable) {
    HostWindow host;
    ASSERT_NE(EnableSkin(nullptr, TRUE), 0);
    std::vector<HWND> c;
    for (int i = 0; i < 6; ++i) {
        c.push_back(host.Add("Button", BS_PUSHBUTTON, std::to_string(i).c_str()));
    }
    ExpectRegistry({c[5], c[4], c[3], c[2], c[1], c[0]}, "all six");

    ::DestroyWindow(c[5]);
    EXPECT_EQ(FindSkinned(c[5]), nullptr);
    ExpectRegistry({c[4], c[3], c[2], c[1], c[0]}, "newest destroyed");

    ::DestroyWindow(c[0]);
    EXPECT_EQ(FindSkinned(c[0]), nullptr);
    ExpectRegistry({c[4], c[3], c[2], c[1]}, "oldest destroyed");

    ::DestroyWindow(c[2]);
    EXPECT_EQ(FindSkinned(c[2]), nullptr);
    ExpectRegistry({c[4], c[3], c[1]}, "middle destroyed");

    // The rest go with their parent.
    host.Destroy();
    EXPECT_EQ(SkinRegistryHead(), nullptr);
    EXPECT_NE(EnableSkin(nullptr, FALSE), 0);
}

TEST_F(RegistryTest, DetachingInAnyOrderKeepsTheListWhole) {
    HostWindow host;
    std::vector<HWND> c;
    for (int i = 0; i < 5; ++i) {
        c.push_back(host.Add("Button", BS_PUSHBUTTON, std::to_string(i).c_str()));
        ASSERT_NE(AttachSkin(c.back()), nullptr);
    }
    DetachSkin(c[2]);
    ExpectRegistry({c[4], c[3], c[1], c[0]}, "middle detached");
    DetachSkin(c[4]);
    ExpectRegistry({c[3], c[1], c[0]}, "newest detached");
    DetachSkin(c[0]);
    ExpectRegistry({c[3], c[1]}, "oldest detached");
    DetachSkin(c[0]);
    ExpectRegistry({c[3], c[1]}, "detached twice");
    DetachSkin(c[1]);
    DetachSkin(c[3]);
    EXPECT_EQ(SkinRegistryHead(), nullptr);
}

} // namespace

namespace {

// A control that lets go of the skin, or is destroyed, while handling BM_SETSTATE; another
// control is skinned right after.
WNDPROC g_ownProc = nullptr;
bool g_destroyOnPress = false;
HWND g_next = nullptr;

LRESULT CALLBACK LettingGoProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = ::CallWindowProcA(g_ownProc, hwnd, message, wParam, lParam);
    if (message == BM_SETSTATE && wParam != 0) {
        if (g_destroyOnPress) {
            ::DestroyWindow(hwnd);
        } else {
            DetachSkin(hwnd);
        }
        AttachSkin(g_next);
    }
    return result;
}

// The blocks the program freed while a patch held, overwritten with zeros and kept from the
// heap: no later node takes their place. Read as a node, such a block is a push button of no
// window in no state, so any later message handled on it sets a state bit.
std::vector<std::pair<HANDLE, void*>> g_freed;

BOOL WINAPI ZeroAndKeep(HANDLE heap, DWORD flags, LPVOID block) {
    if (block == nullptr) {
        return TRUE;
    }
    const SIZE_T size = ::HeapSize(heap, flags, block);
    if (size == static_cast<SIZE_T>(-1)) {
        return FALSE;
    }
    std::memset(block, 0, size);
    g_freed.emplace_back(heap, block);
    return TRUE;
}

// How many of the kept blocks were written to after they were freed; gives them all back.
int FreedBlocksWrittenTo() {
    int written = 0;
    for (const auto& [heap, block] : g_freed) {
        const auto* bytes = static_cast<const unsigned char*>(block);
        const SIZE_T size = ::HeapSize(heap, 0, block);
        written += std::any_of(bytes, bytes + size, [](unsigned char b) { return b != 0; });
        ::HeapFree(heap, 0, block);
    }
    g_freed.clear();
    return written;
}

TEST_F(RegistryTest, ControlLettingGoDuringAMessageIsLeftAlone) {
    HostWindow host;
    HWND keep = host.Add("Button", BS_PUSHBUTTON, "keep");
    ASSERT_NE(AttachSkin(keep), nullptr);
    for (bool destroy : {false, true}) {
        HWND button = host.Add("Button", BS_PUSHBUTTON, "go");
        g_next = host.Add("Button", BS_PUSHBUTTON, "next");
        g_ownProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LettingGoProc)));
        g_destroyOnPress = destroy;
        ASSERT_NE(AttachSkin(button), nullptr);
        Scribble(button);
        {
            ScopedImportPatch patch("kernel32.dll", "HeapFree",
                                    reinterpret_cast<void*>(&ZeroAndKeep));
            ASSERT_TRUE(patch.Active());
            ::SendMessageA(button, BM_SETSTATE, TRUE, 0);
        }
        // The button's node went, and nothing touched it after.
        EXPECT_EQ(g_freed.size(), 1u);
        EXPECT_EQ(FreedBlocksWrittenTo(), 0) << "a freed node was used";
        EXPECT_EQ(FindSkinned(button), nullptr);
        ASSERT_NE(FindSkinned(g_next), nullptr);
        EXPECT_EQ(RegistryNodes(),
                  (std::vector<SkinnedControl*>{FindSkinned(g_next), FindSkinned(keep)}));
        // The press was the other control's, not this one's.
        EXPECT_EQ(FindSkinned(g_next)->state, 0u);
        ::DestroyWindow(g_next);
        if (!destroy) {
            // Once let go, the skin neither keeps state for it nor paints over its own look.
            EXPECT_EQ(::GetWindowLongPtrA(button, GWLP_WNDPROC),
                      reinterpret_cast<LONG_PTR>(&LettingGoProc));
            EXPECT_NE(WindowPixel(button, 1, WindowSize(button).cy / 2), kPushRing);
            ::DestroyWindow(button);
        }
        EXPECT_FALSE(::IsWindow(button));
    }
    DetachSkin(keep);
}

} // namespace
