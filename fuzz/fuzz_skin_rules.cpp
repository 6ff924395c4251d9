// The control skin's rules: any class name and style classify to a kind or to none, and any
// sequence of messages keeps a control's state sound: eight bits at most, never checked and
// indeterminate together, hot only through a mouse move that asks for the leave, the control's
// own processing skipped only for the painting messages the skin takes over.
#include "skin/skin_rules.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Fail(int line) {
    std::fprintf(stderr, "rule broken at line %d\n", line);
    std::abort();
}
#define Check(condition) ((condition) ? (void)0 : Fail(__LINE__))

bool SameName(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return i == a.size() && b[i] == '\0';
}

// The messages the skin reacts to, and a few it does not.
const unsigned int kMessages[] = {0x0002, 0x0007, 0x0008, 0x000A, 0x000C, 0x000F, 0x0085,
                                  0x00CF, 0x00F1, 0x00F3, 0x00F4, 0x0200, 0x0201, 0x0202,
                                  0x02A3, 0x0001, 0x0010, 0x0100, 0x00F0, 0x0111};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    std::string name = data.ConsumeRandomLengthString(259);
    name.resize(name.find('\0') == std::string::npos ? name.size() : name.find('\0'));
    const auto style = data.ConsumeIntegral<std::uint32_t>();
    const SkinKind kind = SkinKindOf(name.c_str(), style);
    Check(kind >= kSkinNone && kind <= kSkinComboBox);
    const bool known =
        SameName(name, "Button") || SameName(name, "Edit") || SameName(name, "ComboBox");
    Check(known || kind == kSkinNone);
    if (kind == kSkinNone) {
        return 0;
    }

    SkinState state = InitialSkinState(kind, style, data.ConsumeBool());
    if (kind <= kSkinRadioButton) {
        state = WithCheckState(state, data.ConsumeIntegralInRange<std::uintptr_t>(0, 3));
    }
    while (data.remaining_bytes() > 0) {
        Check((state & ~0xFFu) == 0);
        Check((state & (kSkinChecked | kSkinIndeterminate)) != (kSkinChecked | kSkinIndeterminate));
        const unsigned int message = data.PickValueInArray(kMessages);
        const auto wParam = data.ConsumeIntegral<std::uintptr_t>();
        const SkinBefore before = SkinBeforeMessage(kind, message, wParam, state);
        Check(!before.defaultInstead ||
              (kind <= kSkinRadioButton && (message == 0x000C || message == 0x000F)) ||
              (kind == kSkinEdit && message == 0x0085));
        const SkinAfter after = SkinAfterMessage(kind, message, wParam, before.state);
        Check(after.detach == (message == 0x0002));
        // Hot comes only from a mouse move without the left button, which asks for the leave.
        if ((after.state & kSkinHot) && !(state & kSkinHot)) {
            Check(message == 0x0200 && (wParam & 1) == 0 && after.trackLeave);
        }
        Check(!after.trackLeave || message == 0x0200);
        // A message the skin does not know changes nothing and paints nothing.
        if (message == 0x0001 || message == 0x0010 || message == 0x0100 || message == 0x00F0 ||
            message == 0x0111) {
            Check(before.state == state && after.state == state && !before.repaint &&
                  !after.repaint && !before.defaultInstead);
        }
        state = after.state;
    }
    return 0;
}
