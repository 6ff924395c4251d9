// The kinds of skinned controls and the bits of their visual state: plain numbers shared by
// the Windows code and the platform-free rules.
#pragma once

// Kind of a skinned control; -1 means not skinned.
using SkinKind = int;
constexpr SkinKind kSkinNone = -1;
constexpr SkinKind kSkinPushButton = 0; // push-like check boxes and radio buttons included
constexpr SkinKind kSkinCheckBox = 1;
constexpr SkinKind kSkinRadioButton = 2;
constexpr SkinKind kSkinEdit = 3;
constexpr SkinKind kSkinComboBox = 4; // any combo box but a simple one

// Visual state of a skinned control: flag bits of SkinnedControl::state.
using SkinState = unsigned int;
constexpr SkinState kSkinDisabled = 0x01;
constexpr SkinState kSkinPressed = 0x02;
constexpr SkinState kSkinHot = 0x04;
constexpr SkinState kSkinFocused = 0x08;
constexpr SkinState kSkinDefault = 0x10;
constexpr SkinState kSkinChecked = 0x20;
constexpr SkinState kSkinIndeterminate = 0x40;
constexpr SkinState kSkinReadOnly = 0x80;
