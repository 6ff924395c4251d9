#include "skin_fixture.h"

#include "win/harness/harness.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

void SkinTest::SetUp() {
    PumpMessages();
    // Switching off answers 0 only when the skin was off.
    ASSERT_EQ(EnableSkin(nullptr, FALSE), 0) << "a previous test left the skin on";
    ASSERT_EQ(SkinRegistryHead(), nullptr) << "a previous test left controls registered";
}

void SkinTest::TearDown() {
    PumpMessages();
    EXPECT_EQ(EnableSkin(nullptr, FALSE), 0) << "the test left the skin on";
    // No node may outlive its control: destroyed windows leave the registry by themselves.
    EXPECT_EQ(SkinRegistryHead(), nullptr) << "the test left controls registered";
    while (SkinnedControl* node = SkinRegistryHead()) {
        DetachSkin(node->hwnd);
    }
}

std::vector<SkinnedControl*> RegistryNodes() {
    std::vector<SkinnedControl*> nodes;
    for (SkinnedControl* node = SkinRegistryHead(); node != nullptr; node = node->next) {
        nodes.push_back(node);
    }
    return nodes;
}

namespace {

const char kHostClass[] = "PresovolSkinHost";

void RegisterHostClass() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kHostClass;
    ::RegisterClassA(&wc); // a second registration fails harmlessly
}

} // namespace

HostWindow::HostWindow() {
    RegisterHostClass();
    m_hwnd =
        ::CreateWindowExA(0, kHostClass, "skin", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 60, 60,
                          640, 560, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::SetForegroundWindow(m_hwnd);
    ::UpdateWindow(m_hwnd);
    PumpMessages();
}

HostWindow::~HostWindow() {
    Destroy();
}

void HostWindow::Destroy() {
    if (m_hwnd != nullptr) {
        ::DestroyWindow(m_hwnd);
        m_hwnd = nullptr;
        PumpMessages();
    }
}

HWND HostWindow::Add(const char* className, DWORD style, const char* text, int w, int h,
                     DWORD exStyle) {
    HWND control =
        ::CreateWindowExA(exStyle, className, text, style | WS_CHILD | WS_VISIBLE, 8, m_nextY, w, h,
                          m_hwnd, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    m_nextY += h + 6;
    if (m_nextY > 440) {
        m_nextY = 8;
    }
    ::UpdateWindow(control);
    PumpMessages();
    return control;
}

bool PumpUntil(const std::function<bool()>& done, int maxMs) {
    const DWORD start = ::GetTickCount();
    while (!done() && ::GetTickCount() - start < static_cast<DWORD>(maxMs)) {
        PumpMessages();
        ::Sleep(5);
    }
    PumpMessages();
    return done();
}

COLORREF WindowPixel(HWND hwnd, int x, int y) {
    HDC dc = ::GetWindowDC(hwnd);
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(hwnd, dc);
    return colour;
}

SIZE WindowSize(HWND hwnd) {
    RECT r;
    ::GetWindowRect(hwnd, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void Scribble(HWND hwnd) {
    const SIZE size = WindowSize(hwnd);
    HDC dc = ::GetWindowDC(hwnd);
    HBRUSH brush = ::CreateSolidBrush(kScribble);
    RECT all{0, 0, size.cx, size.cy};
    ::FillRect(dc, &all, brush);
    ::DeleteObject(brush);
    ::ReleaseDC(hwnd, dc);
}

int ColourDistance(COLORREF a, COLORREF b) {
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

COLORREF DisabledBorder() {
    return (::GetSysColor(COLOR_BTNFACE) - 0x00202020) & 0x00FFFFFF;
}

testing::AssertionResult ShowsSkin(HWND hwnd) {
    const SkinnedControl* node = FindSkinned(hwnd);
    if (node == nullptr) {
        return testing::AssertionFailure() << "the control has no node";
    }
    const bool disabled = (node->state & kSkinDisabled) != 0;
    const SIZE size = WindowSize(hwnd);
    const auto probe = [hwnd](int x, int y, COLORREF skin) {
        const COLORREF seen = WindowPixel(hwnd, x, y);
        char text[80];
        std::snprintf(text, sizeof text, "pixel %d,%d is 0x%06lX, the skin's 0x%06lX", x, y,
                      static_cast<unsigned long>(seen), static_cast<unsigned long>(skin));
        return (seen == skin ? testing::AssertionSuccess() : testing::AssertionFailure()) << text;
    };
    switch (node->kind) {
    case kSkinPushButton:
        return probe(1, size.cy / 2, disabled ? DisabledBorder() : kPushRing);
    case kSkinCheckBox:
    case kSkinRadioButton:
        return probe(0, (size.cy - 13) / 2 + 6, disabled ? DisabledBorder() : kBoxBorder);
    case kSkinEdit: {
        testing::AssertionResult frame =
            probe(0, size.cy / 2, disabled ? DisabledBorder() : kFrame);
        if (!frame || (::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) == 0) {
            return frame;
        }
        const bool grey = (node->state & (kSkinDisabled | kSkinReadOnly)) != 0;
        return probe(1, size.cy / 2, ::GetSysColor(grey ? COLOR_BTNFACE : COLOR_WINDOW));
    }
    default:
        return probe(0, size.cy / 2, disabled ? DisabledBorder() : kFrame);
    }
}

namespace {

// Messages that come and go with the platform's moods, not with the control's handling.
bool Ignored(UINT message) {
    return message == WM_GETICON || message == WM_TIMER || message == 0x0118 /* WM_SYSTIMER */ ||
           (message >= WM_IME_SETCONTEXT && message <= WM_IME_KEYUP) ||
           message == WM_IME_STARTCOMPOSITION || message == WM_IME_ENDCOMPOSITION;
}

std::string Describe(const RecordedMessage& m) {
    char text[96];
    std::snprintf(text, sizeof text, "{0x%04X, flags 0x%02X, wParam 0x%llX, lParam 0x%llX}",
                  m.message, m.flags, static_cast<unsigned long long>(m.wParam),
                  static_cast<unsigned long long>(m.lParam));
    return text;
}

std::string Dump(const RecordedMessage* messages, size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        text += "  " + Describe(messages[i]) + "\n";
    }
    return text;
}

} // namespace

std::map<HWND, MessageRecorder::RecorderHook>& MessageRecorder::Hooks() {
    static std::map<HWND, RecorderHook> hooks;
    return hooks;
}

MessageRecorder::~MessageRecorder() {
    // The controls keep passing their messages on, unrecorded, until they are destroyed.
    for (auto& [hwnd, hook] : Hooks()) {
        if (hook.recorder == this) {
            hook.recorder = nullptr;
        }
    }
}

void MessageRecorder::Install(HWND control) {
    auto previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    Hooks()[control] = RecorderHook{this, previous};
}

void MessageRecorder::Flush() {
    PumpMessages();
    m_seen.clear();
}

LRESULT CALLBACK MessageRecorder::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto it = Hooks().find(hwnd);
    if (it == Hooks().end()) {
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
    const RecorderHook hook = it->second;
    if (message == WM_NCDESTROY) {
        Hooks().erase(it);
    }
    if (hook.recorder != nullptr && !Ignored(message)) {
        const unsigned flags = kSent | (ShowsSkin(hwnd) ? kSkinShown : 0u) |
                               (FindSkinned(hwnd) == nullptr ? kUnregistered : 0u);
        hook.recorder->m_seen.push_back({message, flags, wParam, lParam});
    }
    return ::CallWindowProcA(hook.previous, hwnd, message, wParam, lParam);
}

void ExpectSequence(MessageRecorder& recorder, const RecordedMessage* expected,
                    const char* context) {
    const unsigned kCompared = kSent | kSkinShown | kUnregistered;
    PumpMessages();
    const std::vector<RecordedMessage>& seen = recorder.Seen();
    size_t expectedCount = 0;
    while (expected[expectedCount].message != 0) {
        ++expectedCount;
    }
    size_t e = 0;
    size_t s = 0;
    std::string difference;
    while (e < expectedCount && difference.empty()) {
        const RecordedMessage& want = expected[e];
        const bool have = s < seen.size();
        const bool same = have && seen[s].message == want.message &&
                          (seen[s].flags & kCompared) == (want.flags & kCompared) &&
                          ((want.flags & kWParam) == 0 || seen[s].wParam == want.wParam) &&
                          ((want.flags & kLParam) == 0 || seen[s].lParam == want.lParam);
        if (same) {
            ++e;
            ++s;
        } else if ((want.flags & kOptional) != 0) {
            ++e;
        } else {
            difference = "expected " + Describe(want) + " at " + std::to_string(e) + ", got " +
                         (have ? Describe(seen[s]) : std::string("nothing"));
        }
    }
    if (difference.empty() && s < seen.size()) {
        difference = "unexpected " + Describe(seen[s]) + " at " + std::to_string(s);
    }
    EXPECT_TRUE(difference.empty()) << context << ": " << difference << "\nexpected:\n"
                                    << Dump(expected, expectedCount) << "seen:\n"
                                    << Dump(seen.data(), seen.size());
    recorder.Flush();
}
