// The control skin: a thread-wide hook that catches every new window, a registry of the
// controls it skins, and the one window procedure that keeps their state and repaints them.
#pragma once

#include "skin/skin_rules.h"
#include "skin/skin_types.h"

#include <windows.h>

// The painter of each SkinKind, indexed by kind.
using SkinPainter = void (*)(SkinnedControl* node);
extern const SkinPainter SkinPainters[5];

// hwnd and enable nonzero: attaches the skin to hwnd, answering the new node or 0.
// hwnd and enable 0: detaches the skin from hwnd; answers 0.
// No hwnd, enable 1: switches the skin on for the calling thread, answering the hook handle, or
// 0 when it was on already or the hook could not be set.
// No hwnd, enable 0: switches the skin off, answering the unhook result, or 0 when it was off.
// No hwnd, any other enable: does nothing and answers 0.
INT_PTR EnableSkin(HWND hwnd, BOOL enable);

// Registers hwnd and takes over its window procedure. Answers the new node, or NULL when hwnd
// is registered already, is not a control the skin draws, or cannot be taken over.
SkinnedControl* AttachSkin(HWND hwnd);
// Gives hwnd its own window procedure back and drops its node; nothing for an unknown window.
// When another procedure was subclassed after the skin, the node stays, no longer drawing, and
// passes the messages on until the window is destroyed.
void DetachSkin(HWND hwnd);
// The node of hwnd, or NULL.
SkinnedControl* FindSkinned(HWND hwnd);
// The newest node of the registry (the others follow through next), or NULL when it is empty.
SkinnedControl* SkinRegistryHead();
// The SkinKind of the window, or kSkinNone.
SkinKind ClassifyControl(HWND hwnd);

// Offers hwnd and all its descendants to AttachSkin (lParam nonzero) or DetachSkin (lParam 0);
// always answers TRUE.
BOOL CALLBACK SkinEnumProc(HWND hwnd, LPARAM lParam);
// The WH_CALLWNDPROC hook: attaches the skin to each window at its WM_CREATE.
LRESULT CALLBACK SkinCallWndHook(int code, WPARAM wParam, LPARAM lParam);
// The window procedure of every skinned control.
LRESULT CALLBACK SkinWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
