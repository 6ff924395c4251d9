#include "skin/control_skin.h"

#include "skin/painters.h"

#include <new>

namespace {

// The registry, newest node first, and the hook of the thread that has the skin on. Both
// belong to the user-interface thread.
SkinnedControl* g_head = nullptr;
HHOOK g_hook = nullptr;
// Counts the detaches, so the window procedure knows when its node may be gone or passive.
unsigned int g_detachCount = 0;

// Invalidate, erase and repaint at once, frame included.
constexpr UINT kRedrawWhole = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME;

// Repaints hwnd whole at once in the look it has now. A window that is not shown (one just
// being created, or a control of a dialog not shown yet) paints when it shows.
void RedrawIfShown(HWND hwnd) {
    if (::IsWindowVisible(hwnd)) {
        ::RedrawWindow(hwnd, nullptr, nullptr, kRedrawWhole);
    }
}

// Draws the control's look at once. The painter gets a copy of the node, so nothing it causes
// the control to do can pull the node away under it, and no exception of it leaves the skin.
void Repaint(const SkinnedControl& node) {
    SkinnedControl snapshot = node;
    try {
        SkinPainters[snapshot.kind](&snapshot);
    } catch (...) {
        // The control keeps whatever was drawn so far.
    }
}

void Unlink(SkinnedControl* node) {
    if (g_head == node) {
        g_head = node->next;
        return;
    }
    for (SkinnedControl* p = g_head; p != nullptr; p = p->next) {
        if (p->next == node) {
            p->next = node->next;
            return;
        }
    }
}

// The window procedure of a control the skin let go of while something else was subclassed after
// it: passes every message on and drops the node after the window's last message.
LRESULT PassOn(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, WNDPROC previous) {
    const LRESULT result = ::CallWindowProcW(previous, hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        if (SkinnedControl* node = FindSkinned(hwnd)) {
            Unlink(node);
            ::HeapFree(::GetProcessHeap(), 0, node);
        }
    }
    return result;
}

// Attaches the skin to hwnd (lParam nonzero) or detaches it (lParam 0).
BOOL CALLBACK Offer(HWND hwnd, LPARAM lParam) {
    if (lParam != 0) {
        AttachSkin(hwnd);
    } else {
        DetachSkin(hwnd);
    }
    return TRUE;
}

// Registers hwnd and takes over its window procedure, as AttachSkin does. A window at its
// WM_CREATE (created true) has neither the focus nor a check state, is not shown yet and needs
// no repaint: none of them is asked.
SkinnedControl* Attach(HWND hwnd, bool created) {
    if (FindSkinned(hwnd) != nullptr) {
        return nullptr;
    }
    const SkinKind kind = ClassifyControl(hwnd);
    if (static_cast<unsigned int>(kind) > static_cast<unsigned int>(kSkinComboBox)) {
        return nullptr;
    }
    const auto style = static_cast<std::uint32_t>(::GetWindowLongA(hwnd, GWL_STYLE));
    void* memory = ::HeapAlloc(::GetProcessHeap(), 0, sizeof(SkinnedControl));
    if (memory == nullptr) {
        return nullptr;
    }
    const bool focused = !created && ::GetFocus() == hwnd;
    SkinnedControl* node = new (memory)
        SkinnedControl{hwnd, kind, InitialSkinState(kind, style, focused), nullptr, g_head};
    g_head = node;
    // From here on every message to the control passes through SkinWindowProc, which finds the
    // node complete. A Unicode procedure: the control stays a Unicode window, and no message
    // text passes through the system's ANSI code page.
    node->prevProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinWindowProc)));
    if (node->prevProc == nullptr) {
        // The window cannot be taken over (it belongs to another process): leave it alone.
        Unlink(node);
        ::HeapFree(::GetProcessHeap(), 0, node);
        return nullptr;
    }
    if (created) {
        return node;
    }
    if (kind == kSkinPushButton || kind == kSkinCheckBox || kind == kSkinRadioButton) {
        const LRESULT check = ::SendMessageA(hwnd, BM_GETCHECK, 0, 0);
        if (SkinnedControl* current = FindSkinned(hwnd)) {
            current->state = WithCheckState(current->state, static_cast<std::uintptr_t>(check));
        }
    }
    RedrawIfShown(hwnd);
    // The node, unless the control let go of the skin while answering or repainting.
    return FindSkinned(hwnd);
}

INT_PTR SwitchOn() {
    if (g_hook != nullptr) {
        return 0;
    }
    ::EnumThreadWindows(::GetCurrentThreadId(), &SkinEnumProc, 1);
    g_hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &SkinCallWndHook, nullptr, ::GetCurrentThreadId());
    return reinterpret_cast<INT_PTR>(g_hook);
}

INT_PTR SwitchOff() {
    if (g_hook == nullptr) {
        return 0;
    }
    ::EnumThreadWindows(::GetCurrentThreadId(), &SkinEnumProc, 0);
    const BOOL unhooked = ::UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    return unhooked;
}

} // namespace

const SkinPainter SkinPainters[5] = {PaintPushButton, PaintCheckBox, PaintRadioButton,
                                     PaintEditFrame, PaintComboBox};

INT_PTR EnableSkin(HWND hwnd, BOOL enable) {
    if (hwnd != nullptr) {
        if (enable) {
            return reinterpret_cast<INT_PTR>(AttachSkin(hwnd));
        }
        DetachSkin(hwnd);
        return 0;
    }
    if (enable == TRUE) {
        return SwitchOn();
    }
    if (enable == FALSE) {
        return SwitchOff();
    }
    return 0;
}

SkinnedControl* AttachSkin(HWND hwnd) {
    return Attach(hwnd, false);
}

void DetachSkin(HWND hwnd) {
    SkinnedControl* node = FindSkinned(hwnd);
    if (node == nullptr) {
        return;
    }
    ++g_detachCount;
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == &SkinWindowProc) {
        Unlink(node);
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(node->prevProc));
        ::HeapFree(::GetProcessHeap(), 0, node);
    } else {
        // Something subclassed the control after the skin: putting the saved procedure back
        // would cut it off. The node stays and passes every message on until the window's last.
        node->kind = kSkinNone;
    }
    RedrawIfShown(hwnd);
}

SkinnedControl* FindSkinned(HWND hwnd) {
    for (SkinnedControl* node = g_head; node != nullptr; node = node->next) {
        if (node->hwnd == hwnd) {
            return node;
        }
    }
    return nullptr;
}

SkinnedControl* SkinRegistryHead() {
    return g_head;
}

SkinKind ClassifyControl(HWND hwnd) {
    char className[260];
    if (::GetClassNameA(hwnd, className, sizeof className) == 0) {
        return kSkinNone;
    }
    return SkinKindOf(className, static_cast<std::uint32_t>(::GetWindowLongA(hwnd, GWL_STYLE)));
}

BOOL CALLBACK SkinEnumProc(HWND hwnd, LPARAM lParam) {
    Offer(hwnd, lParam);
    // Every window further down, whatever its depth.
    ::EnumChildWindows(hwnd, &Offer, lParam);
    return TRUE;
}

LRESULT CALLBACK SkinCallWndHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        // The window's class and style are in place; its own procedure has not seen WM_CREATE.
        if (sent->message == WM_CREATE) {
            Attach(sent->hwnd, true);
        }
    }
    return ::CallNextHookEx(g_hook, code, wParam, lParam);
}

LRESULT CALLBACK SkinWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    SkinnedControl* node = FindSkinned(hwnd);
    if (node == nullptr) {
        // Not registered, so there is no procedure of the control's own to pass the message to.
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    const WNDPROC previous = node->prevProc;
    if (node->kind == kSkinNone) {
        return PassOn(hwnd, msg, wParam, lParam, previous);
    }
    const unsigned int detachCount = g_detachCount;
    const SkinBefore before = SkinBeforeMessage(node->kind, msg, wParam, node->state);
    node->state = before.state;
    if (before.repaint) {
        Repaint(*node);
    }
    const LRESULT result = before.defaultInstead
                               ? ::DefWindowProcW(hwnd, msg, wParam, lParam)
                               : ::CallWindowProcW(previous, hwnd, msg, wParam, lParam);
    // A nested message may have detached the control meanwhile.
    if (g_detachCount != detachCount) {
        node = FindSkinned(hwnd);
        if (node == nullptr || node->kind == kSkinNone) {
            return result;
        }
    }
    const SkinAfter after = SkinAfterMessage(node->kind, msg, wParam, node->state);
    node->state = after.state;
    if (after.repaint) {
        Repaint(*node);
    }
    if (after.trackLeave) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, hwnd, 0};
        ::TrackMouseEvent(&track);
    }
    if (after.detach) {
        DetachSkin(hwnd);
    }
    return result;
}
