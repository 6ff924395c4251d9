// What the painters hold: nothing after they return, however often they run, and nothing left
// behind when there is no window or no room for their GDI objects.
#include "win/harness/gdi_count.h"
#include "win/harness/harness.h"
#include "paint_fixture.h"

#include "skin/painters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Subject {
    const char* name;
    Painter painter;
    const char* className;
    DWORD style;
    DWORD exStyle;
};

const Subject kSubjects[] = {
    {"push button", PaintPushButton, "Button", BS_PUSHBUTTON, 0},
    {"check box", PaintCheckBox, "Button", BS_AUTOCHECKBOX, 0},
    {"radio button", PaintRadioButton, "Button", BS_AUTORADIOBUTTON, 0},
    {"edit", PaintEditFrame, "Edit", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE | WS_EX_STATICEDGE},
    {"combo box", PaintComboBox, "ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL, 0},
};

// Every state flag that changes what a painter creates: brushes, pens, a font, a mark.
const SkinState kStates[] = {
    0,
    kSkinDisabled | kSkinChecked | kSkinFocused,
    kSkinPressed | kSkinIndeterminate,
    kSkinHot | kSkinChecked | kSkinFocused,
    kSkinDisabled | kSkinIndeterminate | kSkinHot,
    kSkinReadOnly | kSkinDefault,
};

TEST(PainterResources, TenThousandPaintsOfEachKindLeaveNoGdiObjectBehind) {
    HostWindow host;
    HFONT font = CrispFont(12);
    for (const Subject& subject : kSubjects) {
        SCOPED_TRACE(subject.name);
        HWND control = host.Add(subject.className, subject.style, subject.exStyle, "Soak", 100, 30);
        ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        // One paint first, so that whatever the platform creates once and keeps is counted in.
        PaintAs(subject.painter, control, 0);
        const int before = CountGdiObjects();
        ASSERT_GT(before, 0);
        for (int i = 0; i < 10000; ++i) {
            PaintAs(subject.painter, control, kStates[i % 6]);
        }
        EXPECT_EQ(CountGdiObjects(), before);
    }
    ::DeleteObject(font);
}

TEST(PainterResources, MissingNodeOrWindowDrawsNothingAndHoldsNothing) {
    HostWindow host;
    HWND gone = host.Add("Button", BS_PUSHBUTTON, 0, "", 40, 20);
    ::DestroyWindow(gone);
    HWND flat = host.Add("Button", BS_PUSHBUTTON, 0, "", 0, 0);
    Settle(host.Handle());
    // Nothing anywhere on the screen.
    const WindowImage screen = Capture(::GetDesktopWindow());
    const int before = CountGdiObjects();
    for (const Subject& subject : kSubjects) {
        SCOPED_TRACE(subject.name);
        subject.painter(nullptr);
        for (HWND hwnd : {static_cast<HWND>(nullptr), gone, flat}) {
            PaintAs(subject.painter, hwnd, kSkinChecked | kSkinFocused);
        }
        EXPECT_TRUE(SameImage(Capture(::GetDesktopWindow()), screen));
    }
    EXPECT_EQ(CountGdiObjects(), before);
}

// Fills the process's GDI handle table with brushes until no more can be made; frees them all
// when it goes.
class GdiExhaustion {
public:
    GdiExhaustion() {
        for (;;) {
            HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3));
            if (brush == nullptr) {
                break;
            }
            m_brushes.push_back(brush);
        }
    }
    ~GdiExhaustion() {
        for (HBRUSH brush : m_brushes) {
            ::DeleteObject(brush);
        }
    }
    GdiExhaustion(const GdiExhaustion&) = delete;
    GdiExhaustion& operator=(const GdiExhaustion&) = delete;

    size_t Count() const { return m_brushes.size(); }
    // Frees one handle for the painter.
    void Release() {
        ::DeleteObject(m_brushes.back());
        m_brushes.pop_back();
    }

private:
    std::vector<HBRUSH> m_brushes;
};

TEST(PainterResources, WithoutRoomForGdiObjectsNothingLeaks) {
    HostWindow host;
    for (const Subject& subject : kSubjects) {
        SCOPED_TRACE(subject.name);
        HWND control = host.Add(subject.className, subject.style, subject.exStyle, "Full", 90, 26);
        const int objects = CountGdiObjects();
        // No handle free, then one: the memory DC or its bitmap cannot be made. Then a few
        // more, where the brushes and pens of a painter fail one by one.
        for (int free = 0; free <= 6; ++free) {
            SCOPED_TRACE("free handles " + std::to_string(free));
            {
                GdiExhaustion exhaustion;
                ASSERT_GT(exhaustion.Count(), 1000u);
                for (int i = 0; i < free; ++i) {
                    exhaustion.Release();
                }
                PaintAs(subject.painter, control, kSkinChecked | kSkinFocused | kSkinHot);
            }
            EXPECT_EQ(CountGdiObjects(), objects);
        }
    }
}

} // namespace
