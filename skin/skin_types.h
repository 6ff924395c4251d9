// The records the control skin keeps for each control it draws.
#pragma once

#include <windows.h>

// Kind of a skinned control; -1 means not skinned.
using SkinKind = int;
constexpr SkinKind kSkinNone = -1;
constexpr SkinKind kSkinPushButton = 0; // push-like check boxes and radio buttons included
constexpr SkinKind kSkinCheckBox = 1;
constexpr SkinKind kSkinRadioButton = 2;
constexpr SkinKind kSkinEdit = 3;
constexpr SkinKind kSkinComboBox = 4; // any combo box but a simple one

// Visual state of a skinned control: flag bits of SkinnedControl::state.
using SkinState = UINT;
constexpr SkinState kSkinDisabled = 0x01;
constexpr SkinState kSkinPressed = 0x02;
constexpr SkinState kSkinHot = 0x04;
constexpr SkinState kSkinFocused = 0x08;
constexpr SkinState kSkinDefault = 0x10;
constexpr SkinState kSkinChecked = 0x20;
constexpr SkinState kSkinIndeterminate = 0x40;
constexpr SkinState kSkinReadOnly = 0x80;

// The registry node of one skinned control.
struct SkinnedControl {
    HWND hwnd;
    SkinKind kind;
    SkinState state;
    WNDPROC prevProc; // the control's procedure before the skin took it
    SkinnedControl* next;
};
