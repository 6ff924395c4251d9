#include "skin/skin_rules.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// The system's numbers, written out here so the rules are checked against them.
constexpr unsigned kDestroy = 0x0002, kSetFocus = 0x0007, kKillFocus = 0x0008, kEnable = 0x000A,
                   kSetText = 0x000C, kPaint = 0x000F, kNcPaint = 0x0085, kSetReadOnly = 0x00CF,
                   kGetCheck = 0x00F0, kSetCheck = 0x00F1, kSetState = 0x00F3, kSetStyle = 0x00F4,
                   kMouseMove = 0x0200, kLButtonDown = 0x0201, kLButtonUp = 0x0202,
                   kMouseLeave = 0x02A3, kTimer = 0x0113;
constexpr std::uint32_t kPushLike = 0x1000, kDisabled = 0x08000000, kReadOnlyStyle = 0x0800;

TEST(SkinRules, EveryButtonTypeWithAndWithoutPushLike) {
    // Per type code 0..31: the kind without and with BS_PUSHLIKE.
    const SkinKind expected[32][2] = {
        {0, 0},   {0, 0},   {1, 0},   {1, 0},   {2, 0},   {1, 0},   {1, 0},   {-1, -1},
        {-1, -1}, {2, 0},   {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1},
        {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1},
        {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1},
    };
    for (std::uint32_t type = 0; type < 32; ++type) {
        // Bits above the type code (visibility, tab stop, alignment) change nothing.
        const std::uint32_t others = 0x50010000 | 0x0300;
        EXPECT_EQ(SkinKindOf("Button", type | others), expected[type][0]) << "type " << type;
        EXPECT_EQ(SkinKindOf("Button", type | others | kPushLike), expected[type][1])
            << "push-like type " << type;
    }
}

TEST(SkinRules, EditsAndAllButSimpleComboBoxes) {
    EXPECT_EQ(SkinKindOf("Edit", 0), kSkinEdit);
    EXPECT_EQ(SkinKindOf("Edit", 0x50810880), kSkinEdit);
    EXPECT_EQ(SkinKindOf("ComboBox", 0x50010000 | 1), kSkinNone);     // CBS_SIMPLE
    EXPECT_EQ(SkinKindOf("ComboBox", 0x50010000 | 2), kSkinComboBox); // CBS_DROPDOWN
    EXPECT_EQ(SkinKindOf("ComboBox", 0x50010000 | 3), kSkinComboBox); // CBS_DROPDOWNLIST
    EXPECT_EQ(SkinKindOf("ComboBox", 0x50010000 | 0x0040 | 0x0100 | 2), kSkinComboBox);
}

TEST(SkinRules, ClassNamesMatchRegardlessOfCaseAndOnlyWhole) {
    const struct {
        const char* name;
        SkinKind kind;
    } cases[] = {
        {"BUTTON", kSkinPushButton},
        {"button", kSkinPushButton},
        {"bUtToN", kSkinPushButton},
        {"edit", kSkinEdit},
        {"EDIT", kSkinEdit},
        {"COMBOBOX", kSkinComboBox},
        {"combobox", kSkinComboBox},
        {"Butto", kSkinNone},
        {"Buttons", kSkinNone},
        {"Edit ", kSkinNone},
        {"Static", kSkinNone},
        {"ListBox", kSkinNone},
        {"#32770", kSkinNone},
        {"ComboLBox", kSkinNone},
        {"", kSkinNone},
        {"RichEdit", kSkinNone},
        {"\xB0\xB4\xC5\xA5", kSkinNone},
        // Longer than a slot of the table of names.
        {"ButtonButtonButtonButtonButtonButton", kSkinNone},
        {"ComboBoxComboBoxComboBoxComboBoxComboBox", kSkinNone},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SkinKindOf(c.name, 0), c.kind) << '"' << c.name << '"';
    }
}

TEST(SkinRules, InitialStateFollowsStyleAndFocus) {
    const struct {
        SkinKind kind;
        std::uint32_t style;
        bool focused;
        SkinState state;
    } cases[] = {
        {kSkinPushButton, 0, false, 0},
        {kSkinPushButton, 1, false, kSkinDefault},
        {kSkinPushButton, 1 | kDisabled, true, kSkinDefault | kSkinDisabled | kSkinFocused},
        // Only the exact type code of a default push button counts.
        {kSkinPushButton, 1 | kPushLike, false, kSkinDefault},
        {kSkinCheckBox, 3, false, 0}, // BS_AUTOCHECKBOX is not the default type
        {kSkinCheckBox, 2, false, 0},
        {kSkinRadioButton, 9 | kDisabled, false, kSkinDisabled},
        // Read-only belongs to edits; the same bit of a button's style is its alignment.
        {kSkinPushButton, kReadOnlyStyle, false, 0},
        {kSkinEdit, kReadOnlyStyle | 1, false, kSkinReadOnly},
        {kSkinEdit, kReadOnlyStyle | kDisabled, true, kSkinReadOnly | kSkinDisabled | kSkinFocused},
        {kSkinComboBox, 1 | kReadOnlyStyle | 3, true, kSkinFocused},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InitialSkinState(c.kind, c.style, c.focused), c.state)
            << "kind " << c.kind << " style " << std::hex << c.style;
    }
}

TEST(SkinRules, CheckStateSetsAtMostOneOfCheckedAndIndeterminate) {
    const SkinState others = kSkinHot | kSkinFocused;
    EXPECT_EQ(WithCheckState(others, 1), others | kSkinChecked);
    EXPECT_EQ(WithCheckState(others | kSkinIndeterminate, 1), others | kSkinChecked);
    EXPECT_EQ(WithCheckState(others | kSkinChecked, 2), others | kSkinIndeterminate);
    EXPECT_EQ(WithCheckState(others | kSkinChecked, 0), others);
    EXPECT_EQ(WithCheckState(others | kSkinIndeterminate, 3), others);
    EXPECT_EQ(WithCheckState(others | kSkinChecked, 0x101), others);
}

// The whole handling of one message, before and after the control's own processing.
struct Outcome {
    SkinState state;
    bool repaintBefore;
    bool defaultInstead;
    bool repaintAfter;
    bool trackLeave;
    bool detach;
};

Outcome Handle(SkinKind kind, unsigned message, std::uintptr_t wParam, SkinState state) {
    const SkinBefore before = SkinBeforeMessage(kind, message, wParam, state);
    const SkinAfter after = SkinAfterMessage(kind, message, wParam, before.state);
    return {after.state,   before.repaint,   before.defaultInstead,
            after.repaint, after.trackLeave, after.detach};
}

std::string Describe(const Outcome& o) {
    char text[96];
    std::snprintf(text, sizeof text, "state %#x before %d default %d after %d track %d detach %d",
                  o.state, o.repaintBefore, o.defaultInstead, o.repaintAfter, o.trackLeave,
                  o.detach);
    return text;
}

struct Row {
    SkinKind kind;
    unsigned message;
    std::uintptr_t wParam;
    SkinState state;
    Outcome expected;
};

void ExpectRows(const Row* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const Row& r = rows[i];
        const Outcome got = Handle(r.kind, r.message, r.wParam, r.state);
        EXPECT_EQ(Describe(got), Describe(r.expected))
            << "row " << i << ": kind " << r.kind << " message " << std::hex << r.message
            << " wParam " << r.wParam << " state " << r.state;
    }
}

constexpr SkinState kSome = kSkinFocused | kSkinDefault; // bits no row below touches

TEST(SkinRules, ButtonMessages) {
    const Row rows[] = {
        // New text and paints go to the default procedure, then the skin paints.
        {0, kSetText, 0, kSome, {kSome, false, true, true, false, false}},
        {1, kPaint, 0, kSome, {kSome, false, true, true, false, false}},
        {2, kPaint, 0, kSome, {kSome, false, true, true, false, false}},
        {0, kNcPaint, 0, kSome, {kSome, false, false, false, false, false}},
        // Check state after the control's own processing.
        {0, kSetCheck, 1, kSkinIndeterminate, {kSkinChecked, false, false, true, false, false}},
        {1, kSetCheck, 2, kSkinChecked, {kSkinIndeterminate, false, false, true, false, false}},
        {2, kSetCheck, 0, kSkinChecked, {0, false, false, true, false, false}},
        {1,
         kSetCheck,
         7,
         kSkinIndeterminate | kSkinHot,
         {kSkinHot, false, false, true, false, false}},
        {0, kGetCheck, 0, kSkinChecked, {kSkinChecked, false, false, false, false, false}},
        // Pressed.
        {0, kSetState, 1, 0, {kSkinPressed, false, false, true, false, false}},
        {1, kSetState, 0x80, 0, {kSkinPressed, false, false, true, false, false}},
        {2, kSetState, 0, kSkinPressed | kSkinHot, {kSkinHot, false, false, true, false, false}},
        // Default: bit 0 of the new style, decided and painted before the control sees it.
        {0, kSetStyle, 0, kSkinDefault, {0, true, false, false, false, false}},
        {0, kSetStyle, 1, 0, {kSkinDefault, true, false, false, false, false}},
        {1, kSetStyle, 3, 0, {kSkinDefault, true, false, false, false, false}},
        {2, kSetStyle, 4, kSkinDefault, {0, true, false, false, false, false}},
    };
    ExpectRows(rows, sizeof rows / sizeof rows[0]);
}

TEST(SkinRules, ButtonMessagesMeanNothingToOtherKinds) {
    const Row rows[] = {
        {3, kSetCheck, 1, 0, {0, false, false, false, false, false}},
        {4, kSetState, 1, 0, {0, false, false, false, false, false}},
        {3, kSetStyle, 1, 0, {0, false, false, false, false, false}},
        {3, kSetText, 0, 0, {0, false, false, false, false, false}},
        {3, kPaint, 0, 0, {0, false, false, false, false, false}},
        {0, kSetReadOnly, 1, 0, {0, false, false, false, false, false}},
        {4, kSetReadOnly, 1, 0, {0, false, false, false, false, false}},
        {0, kLButtonDown, 1, 0, {0, false, false, false, false, false}},
        {3, kLButtonDown, 1, 0, {0, false, false, false, false, false}},
    };
    ExpectRows(rows, sizeof rows / sizeof rows[0]);
}

TEST(SkinRules, EditAndComboBoxMessages) {
    const Row rows[] = {
        {3, kNcPaint, 1, kSome, {kSome, false, true, true, false, false}},
        {3, kSetReadOnly, 1, 0, {kSkinReadOnly, true, false, false, false, false}},
        {3, kSetReadOnly, 0, kSkinReadOnly | kSome, {kSome, true, false, false, false, false}},
        // The combo box paints first, the skin over it.
        {4, kPaint, 0, kSome, {kSome, false, false, true, false, false}},
        {4, kNcPaint, 1, kSome, {kSome, false, false, true, false, false}},
        // Pressed without a repaint.
        {4, kLButtonDown, 1, 0, {kSkinPressed, false, false, false, false, false}},
        {4, kLButtonUp, 0, kSkinPressed | kSkinHot, {kSkinHot, false, false, false, false, false}},
    };
    ExpectRows(rows, sizeof rows / sizeof rows[0]);
}

TEST(SkinRules, MessagesOfEveryKind) {
    for (SkinKind kind = 0; kind <= 4; ++kind) {
        const Row rows[] = {
            {kind, kDestroy, 0, kSome, {kSome, false, false, false, false, true}},
            {kind, kSetFocus, 0, kSkinDefault, {kSome, false, false, true, false, false}},
            {kind, kKillFocus, 0, kSome, {kSkinDefault, false, false, true, false, false}},
            {kind, kEnable, 0, kSome, {kSome | kSkinDisabled, false, false, true, false, false}},
            {kind, kEnable, 1, kSkinDisabled, {0, false, false, true, false, false}},
            // The first move without the left button makes the control hot and asks for the
            // leave; a move with the button or while hot does nothing.
            {kind, kMouseMove, 0, kSome, {kSome | kSkinHot, false, false, true, true, false}},
            {kind, kMouseMove, 0x0008, 0, {kSkinHot, false, false, true, true, false}},
            {kind, kMouseMove, 0x0001, 0, {0, false, false, false, false, false}},
            {kind, kMouseMove, 0x0009, kSome, {kSome, false, false, false, false, false}},
            {kind, kMouseMove, 0, kSkinHot, {kSkinHot, false, false, false, false, false}},
            {kind, kMouseLeave, 0, kSkinHot | kSome, {kSome, false, false, true, false, false}},
            {kind, kMouseLeave, 0, kSome, {kSome, false, false, false, false, false}},
            {kind, kTimer, 1, kSome, {kSome, false, false, false, false, false}},
        };
        ExpectRows(rows, sizeof rows / sizeof rows[0]);
    }
}

} // namespace
