// The records the control skin keeps for each control it draws.
#pragma once

#include "skin/skin_kinds.h"

#include <windows.h>

// The registry node of one skinned control.
struct SkinnedControl {
    HWND hwnd;
    SkinKind kind; // kSkinNone: let go of, the node only passes messages on until the window goes
    SkinState state;
    WNDPROC prevProc; // the control's procedure before the skin took it
    SkinnedControl* next;
};
