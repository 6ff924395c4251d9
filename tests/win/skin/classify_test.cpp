#include "skin_fixture.h"

#include "win/harness/harness.h"

namespace {

using ClassifyTest = SkinTest;

TEST_F(ClassifyTest, EveryButtonTypeWithAndWithoutPushLike) {
    HostWindow host;
    HWND button = host.Add("Button", BS_PUSHBUTTON, "type");
    // Per type code 0..31: the kind without and with BS_PUSHLIKE. Type codes the button class
    // refuses at creation are set on a live button afterwards.
    const SkinKind expected[32][2] = {
        {0, 0},   {0, 0},   {1, 0},   {1, 0},   {2, 0},   {1, 0},   {1, 0},   {-1, -1},
        {-1, -1}, {2, 0},   {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1},
        {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1},
        {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1},
    };
    for (LONG type = 0; type < 32; ++type) {
        for (int pushLike = 0; pushLike < 2; ++pushLike) {
            const LONG style =
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | type | (pushLike != 0 ? BS_PUSHLIKE : 0);
            ::SetWindowLongA(button, GWL_STYLE, style);
            EXPECT_EQ(ClassifyControl(button), expected[type][pushLike])
                << "type " << type << (pushLike != 0 ? " push-like" : "");
        }
    }
}

TEST_F(ClassifyTest, ControlsCreatedWhileTheSkinIsOn) {
    HostWindow host;
    ASSERT_NE(EnableSkin(nullptr, TRUE), 0);
    const struct {
        const char* className;
        DWORD style;
        SkinKind kind;
    } cases[] = {
        {"Button", BS_PUSHBUTTON, kSkinPushButton},
        {"Button", BS_DEFPUSHBUTTON, kSkinPushButton},
        {"Button", BS_AUTOCHECKBOX, kSkinCheckBox},
        {"Button", BS_AUTO3STATE | BS_PUSHLIKE, kSkinPushButton},
        {"Button", BS_AUTORADIOBUTTON, kSkinRadioButton},
        {"Button", BS_RADIOBUTTON | BS_PUSHLIKE, kSkinPushButton},
        {"Button", BS_GROUPBOX, kSkinNone},
        {"Button", BS_OWNERDRAW, kSkinNone},
        {"Button", BS_USERBUTTON, kSkinNone},
        {"BUTTON", BS_CHECKBOX, kSkinCheckBox},
        {"Edit", WS_BORDER, kSkinEdit},
        {"edit", ES_MULTILINE | ES_READONLY, kSkinEdit},
        {"ComboBox", CBS_SIMPLE, kSkinNone},
        {"ComboBox", CBS_DROPDOWN, kSkinComboBox},
        {"COMBOBOX", CBS_DROPDOWNLIST, kSkinComboBox},
        {"Static", SS_LEFT, kSkinNone},
        {"Static", SS_NOTIFY, kSkinNone},
        {"ListBox", LBS_STANDARD, kSkinNone},
        {"ScrollBar", SBS_HORZ, kSkinNone},
        {"#32770", 0, kSkinNone},
    };
    for (const auto& c : cases) {
        HWND control = host.Add(c.className, c.style, "x", 120, 24);
        ASSERT_NE(control, nullptr) << c.className;
        const SkinnedControl* node = FindSkinned(control);
        if (c.kind == kSkinNone) {
            EXPECT_EQ(node, nullptr) << c.className << " style " << std::hex << c.style;
        } else if (node == nullptr) {
            ADD_FAILURE() << c.className << " style " << std::hex << c.style << " not registered";
        } else {
            EXPECT_EQ(node->kind, c.kind) << c.className << " style " << std::hex << c.style;
        }
    }
    // The hook caught the dialog, but dialogs keep their own look.
    EXPECT_EQ(FindSkinned(host.Handle()), nullptr);
    EXPECT_NE(EnableSkin(nullptr, FALSE), 0);
}

// A class of this module whose name differs from a recognised one only in case.
class LocalClass {
public:
    explicit LocalClass(const char* name) : m_name(name) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = name;
        m_registered = ::RegisterClassA(&wc) != 0;
    }
    ~LocalClass() { ::UnregisterClassA(m_name, ::GetModuleHandleA(nullptr)); }
    LocalClass(const LocalClass&) = delete;
    LocalClass& operator=(const LocalClass&) = delete;
    bool Registered() const { return m_registered; }

private:
    const char* m_name;
    bool m_registered = false;
};

TEST_F(ClassifyTest, ClassNamesInOtherCasesAreRecognised) {
    HostWindow host;
    const struct {
        const char* name;
        DWORD style;
        SkinKind kind;
    } cases[] = {
        {"BUTTON", BS_PUSHBUTTON, kSkinPushButton},
        {"bUTTON", BS_AUTORADIOBUTTON, kSkinRadioButton},
        {"edit", 0, kSkinEdit},
        {"EDIT", 0, kSkinEdit},
        {"comboBOX", CBS_DROPDOWN, kSkinComboBox},
        {"COMBOBOX", CBS_SIMPLE, kSkinNone},
        {"Buttons", BS_PUSHBUTTON, kSkinNone},
        {"EditBox", 0, kSkinNone},
    };
    for (const auto& c : cases) {
        LocalClass local(c.name);
        ASSERT_TRUE(local.Registered()) << c.name;
        HWND window = host.Add(c.name, c.style, "", 60, 20);
        char name[64] = {};
        ::GetClassNameA(window, name, sizeof name);
        EXPECT_STREQ(name, c.name) << "the window has the local class";
        EXPECT_EQ(ClassifyControl(window), c.kind) << c.name;
        ::DestroyWindow(window);
    }
}

} // namespace
