// The colours of the skinned look: the gradient tables and the single colours of the painters.
#pragma once

#include <windows.h>

// Corner colours of a four-corner gradient. The top byte of each entry travels to GradientFill as
// that corner's alpha.
struct GradientQuad {
    COLORREF topLeft;
    COLORREF topRight;
    COLORREF bottomLeft;
    COLORREF bottomRight;
};

// Four single pixel colours, in the corner order of GradientQuad.
struct CornerColours {
    COLORREF topLeft;
    COLORREF topRight;
    COLORREF bottomLeft;
    COLORREF bottomRight;
};

// Push-button face: rows 0 pressed, 1 hot, 2 checked or indeterminate, 3 focused or default,
// 4 normal; inner rectangle: row 5 pressed, checked or indeterminate, row 6 otherwise.
inline constexpr GradientQuad PushFaceQuads[7] = {
    {0x00C1CCD1, 0x00C1CCD1, 0x00EEF1F2, 0xFFEEF1F2},
    {0x00CFF0FF, 0x00CFF0FF, 0x000097E5, 0xFF0097E5},
    {0x00BDCBD6, 0x00C6CFD6, 0x00EFF3F7, 0xFFEFF3F7},
    {0x00FFE7CE, 0x00FFE7CE, 0x00EE8269, 0xFFEE8269},
    {0x00FFFFFF, 0x00FFFFFF, 0x00D6DFE2, 0xFFD6DFE2},
    {0x00DEE3E7, 0x00E7E7E7, 0x00DEE3E7, 0xFFDEE3E7},
    {0x00FBFCFC, 0x00FBFCFC, 0x00E6EBEC, 0xFFE6EBEC},
};

// Check-box interior: rows 0 pressed, 1 hot, 2 normal.
inline constexpr GradientQuad CheckBoxQuads[3] = {
    {0x00A5B2B5, 0x00CED7D6, 0x00CED7D6, 0x00DEEFF7},
    {0x00CEF3FF, 0x0063CBFF, 0x0063CBFF, 0x0031B2FF},
    {0x00D6DFDE, 0x00EFF3F7, 0x00EFF3F7, 0x00FFFFFF},
};

// Radio-button interior: a table of its own, with the values of the check box.
inline constexpr GradientQuad RadioQuads[3] = {
    {0x00A5B2B5, 0x00CED7D6, 0x00CED7D6, 0x00DEEFF7},
    {0x00CEF3FF, 0x0063CBFF, 0x0063CBFF, 0x0031B2FF},
    {0x00D6DFDE, 0x00EFF3F7, 0x00EFF3F7, 0x00FFFFFF},
};

// Combo-box drop button, its corner pixels and its inner rectangle: rows 0 disabled, 1 pressed,
// 2 hot, 3 normal.
inline constexpr GradientQuad ComboButtonQuads[4] = {
    {0x00EFF3F7, 0x00DEE7E7, 0x00DEE3E7, 0x00DEE3E7},
    {0x00DEAEA5, 0x00F7CBBD, 0x00DE8273, 0x00F7C7B5},
    {0x00EFC7B5, 0x00E7AE94, 0x00DEA284, 0x00DEA68C},
    {0x00FFE3D6, 0x00F7CBBD, 0x00F7C3AD, 0x00F7C7B5},
};

inline constexpr CornerColours ComboCornerColours[4] = {
    {0x00F7F7F7, 0x00EFF3F7, 0x00EFF3F7, 0x00EFF3F7},
    {0x00DEC3BD, 0x00DEB6AD, 0x00FFE3DE, 0x00F7E3DE},
    {0x00EFDBCE, 0x00EFCFC6, 0x00E7CFC6, 0x00E7CBBD},
    {0x00FFEFE7, 0x00FFE7DE, 0x00FFE3DE, 0x00F7E3DE},
};

inline constexpr GradientQuad ComboInnerQuads[4] = {
    {0x00F7F7F7, 0x00E7EFEF, 0x00E7EBEF, 0x00DEE7E7},
    {0x00F78E6B, 0x00F79684, 0x00EF9E8C, 0x00EFDFD6},
    {0x00FFFFFF, 0x00FFE3CE, 0x00FFDFC6, 0x00FFDBBD},
    {0x00FFEBE7, 0x00FFCFBD, 0x00FFCBB5, 0x00F7CBAD},
};

// Single colours; where a disabled control derives its colour from the button face, the step
// below the face is given beside the enabled colour.
inline constexpr COLORREF kPushBorder = 0x00733C00;
inline constexpr COLORREF kPushDisabledFace = 0x00EAF4F5;
inline constexpr COLORREF kPushInnerCorner = 0x00A57D52;
inline constexpr COLORREF kPushCornerNeighbour = 0x00AD967B;
inline constexpr COLORREF kPushText = 0x00000000;
inline constexpr COLORREF kPushGreyText = 0x0094A2A5;
inline constexpr COLORREF kBoxBorder = 0x00845118;
inline constexpr COLORREF kTick = 0x0021A221;
inline constexpr COLORREF kDisabledTick = 0x00BDCBCE;
inline constexpr COLORREF kFrame = 0x00BD9E7B;
inline constexpr COLORREF kArrow = 0x0084614A;
inline constexpr COLORREF kDisabledArrow = 0x00C6CBCE;

inline constexpr DWORD kBorderStep = 0x00202020;
inline constexpr DWORD kInnerCornerStep = 0x00151515;
inline constexpr DWORD kCornerNeighbourStep = 0x00111111;

// Colours of the check box's 7 x 7 mark square.
inline constexpr COLORREF kMarkIndeterminateDisabled = 0x00BDCBCE;
inline constexpr COLORREF kMarkIndeterminatePressed = 0x00188A18;
inline constexpr COLORREF kMarkIndeterminateHot = 0x0021A221;
inline constexpr COLORREF kMarkIndeterminate = 0x0073C373;
inline constexpr COLORREF kMarkHotChecked = 0x00F7F7F7;
inline constexpr COLORREF kMarkHot = 0x00E7E7E7;

// The button face darkened by step: the whole COLORREF minus the step, so a channel that runs
// below zero borrows from the next one instead of stopping at zero. The top byte is cleared,
// so that a face darker than the step still gives a plain RGB colour.
inline COLORREF FaceMinus(COLORREF face, DWORD step) {
    return (face - step) & 0x00FFFFFF;
}
