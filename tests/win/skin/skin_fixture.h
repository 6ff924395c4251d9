// Shared pieces of the control skin's tests: a fixture that keeps the process-wide skin off
// between tests, a visible host window for real controls, pixel probes of the skin's look, and
// a recorder of the messages that reach a control's own procedure.
#pragma once

#include "skin/control_skin.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <map>
#include <vector>

// Every test starts and ends with the skin off and its registry empty.
class SkinTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// The nodes of the registry in list order, newest first.
std::vector<SkinnedControl*> RegistryNodes();

// A visible top-level window at a fixed place on the screen, parent of a test's controls,
// which are destroyed with it.
class HostWindow {
public:
    HostWindow();
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND Handle() const { return m_hwnd; }
    // A visible child control, w x h, placed below the previous one (from the top again when
    // the window is full).
    HWND Add(const char* className, DWORD style, const char* text = "", int w = 120, int h = 30,
             DWORD exStyle = 0);
    // Destroys the window now (the destructor then does nothing).
    void Destroy();

private:
    HWND m_hwnd;
    int m_nextY = 8;
};

// Pumps messages until done() holds, for at most maxMs milliseconds; answers done().
bool PumpUntil(const std::function<bool()>& done, int maxMs = 3000);

// The colour of pixel (x, y) of the window's DC (window coordinates).
COLORREF WindowPixel(HWND hwnd, int x, int y);
// The window's size as GetWindowRect gives it.
SIZE WindowSize(HWND hwnd);
// Paints the whole window with kScribble, straight onto its window DC, invalidating nothing.
void Scribble(HWND hwnd);
constexpr COLORREF kScribble = RGB(255, 0, 255);

// Largest difference of the red, green and blue channels.
int ColourDistance(COLORREF a, COLORREF b);

// The skin's border colours: push-button ring, check-box and radio box border, edit and
// combo-box frame; disabled controls take the face colour less 0x00202020.
constexpr COLORREF kPushRing = 0x00733C00;
constexpr COLORREF kBoxBorder = 0x00845118;
constexpr COLORREF kFrame = 0x00BD9E7B;
COLORREF DisabledBorder();

// Whether the control shows the skin's border for its current registered state: the push
// button's ring at (1, h/2), the box border of a check box or radio button, the outer frame of
// an edit or combo box at (0, h/2) and, for an edit with a client edge, its inner ring in the
// window colour, or the face colour when read-only or disabled. The message names the pixel
// read, its colour and the skin's.
testing::AssertionResult ShowsSkin(HWND hwnd);

// One message as it reached a control's own procedure.
struct RecordedMessage {
    UINT message;
    unsigned flags;
    WPARAM wParam;
    LPARAM lParam;
};

// Flags of expected and recorded messages.
constexpr unsigned kSent = 0x01;         // reached the control's own procedure
constexpr unsigned kWParam = 0x02;       // expected: wParam must match
constexpr unsigned kLParam = 0x04;       // expected: lParam must match
constexpr unsigned kOptional = 0x08;     // expected: may be missing
constexpr unsigned kSkinShown = 0x10;    // the control showed the skin's look when it arrived
constexpr unsigned kUnregistered = 0x20; // the control had no node when it arrived

// Records every message that reaches the own procedure of the controls it is installed on.
// Installed before the skin attaches, it is the procedure the skin passes messages on to.
class MessageRecorder {
public:
    MessageRecorder() = default;
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void Install(HWND control);
    // Pumps the pending messages, then forgets what was recorded.
    void Flush();
    const std::vector<RecordedMessage>& Seen() const { return m_seen; }

private:
    struct RecorderHook {
        MessageRecorder* recorder; // null once the recorder is gone
        WNDPROC previous;
    };
    static std::map<HWND, RecorderHook>& Hooks();
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    std::vector<RecordedMessage> m_seen;
};

// Pumps the pending messages and compares what recorder saw with expected, which ends with an
// entry of message 0. Reports the first difference and both sequences; then flushes.
void ExpectSequence(MessageRecorder& recorder, const RecordedMessage* expected,
                    const char* context);
