// The decisions of the control skin that need no window: which controls it skins, the state a
// control starts with, and how each message changes that state and whether it repaints.
#pragma once

#include "skin/skin_kinds.h"

#include <cstdint>

// The window classes the skin recognises, in this order: buttons, edits, combo boxes.
extern const char SkinClassNames[3][32];

// The kind of a control of class className with window style style, or kSkinNone for a
// control that keeps its own look. Class names match regardless of case.
SkinKind SkinKindOf(const char* className, std::uint32_t style);

// The state of a control of kind with window style style when the skin takes it, before its
// check state is known; focused tells whether it has the keyboard focus.
SkinState InitialSkinState(SkinKind kind, std::uint32_t style, bool focused);

// state with the checked and indeterminate bits following a button's check state check
// (1 checked, 2 indeterminate, anything else neither).
SkinState WithCheckState(SkinState state, std::uintptr_t check);

// What the skin does with a message before the control's own processing.
struct SkinBefore {
    SkinState state;     // the new state
    bool repaint;        // the skin repaints with the new state before the control's processing
    bool defaultInstead; // DefWindowProcW handles the message; the control never sees it
};

// What the skin does once the control's own processing (or DefWindowProcW) has returned.
struct SkinAfter {
    SkinState state; // the new state
    bool repaint;    // the skin repaints with the new state
    bool trackLeave; // the skin asks to be told when the mouse leaves the control
    bool detach;     // the skin lets go of the control
};

// The skin's handling of message with wParam for a control of kind in state, before and after
// the control's own processing.
SkinBefore SkinBeforeMessage(SkinKind kind, unsigned int message, std::uintptr_t wParam,
                             SkinState state);
SkinAfter SkinAfterMessage(SkinKind kind, unsigned int message, std::uintptr_t wParam,
                           SkinState state);
