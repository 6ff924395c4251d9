// Helpers of the Windows tests: running a modal dialog with a test body inside its loop,
// catching message boxes, pumping messages.
#pragma once

#include "framework/framework.h"

#include <functional>
#include <string>
#include <vector>

// DoModal's answer for a dialog that the test body left open.
constexpr INT_PTR kLeftOpen = -2;

// Runs dialog.DoModal(); once its window is shown, body runs inside the modal loop with the
// dialog's handle. If body left the dialog open, it is ended with kLeftOpen. Answers DoModal's
// result. A dialog that does not open, or closes before body could run, fails the test.
INT_PTR RunModal(CDialog& dialog, const std::function<void(HWND)>& body);

// Dispatches every message waiting in the thread's queue.
void PumpMessages();
// Pumps messages for about ms milliseconds.
void PumpFor(int ms);

// What a message box showed.
struct MessageBoxSeen {
    std::string caption;
    std::string text;
    HWND owner = nullptr;
    UINT style = 0; // window style of the box, for the icon
};

// While alive, every message box that opens on this thread is read and closed with its
// first button, and recorded in order.
class MessageBoxCatcher {
public:
    MessageBoxCatcher();
    ~MessageBoxCatcher();
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    const std::vector<MessageBoxSeen>& Seen() const { return m_seen; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    std::vector<MessageBoxSeen> m_seen;
};

// While alive, every framework dialog that opens on this thread (a calculator, the about box)
// is recorded, handed to inspect inside its own modal loop, and then cancelled.
class NestedDialogCatcher {
public:
    explicit NestedDialogCatcher(std::function<void(HWND)> inspect = nullptr);
    ~NestedDialogCatcher();
    NestedDialogCatcher(const NestedDialogCatcher&) = delete;
    NestedDialogCatcher& operator=(const NestedDialogCatcher&) = delete;

    // Captions of the dialogs seen, in order.
    const std::vector<std::string>& Captions() const { return m_captions; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK Inspect(HWND dialog, UINT, UINT_PTR timer, DWORD);
    std::function<void(HWND)> m_inspect;
    std::vector<std::string> m_captions;
    std::vector<HWND> m_existing;
    HHOOK m_hook;
};

// The text of a window, as the program's ANSI functions see it.
std::string WindowText(HWND hwnd);
// The text of control id of dialog.
std::string ItemText(HWND dialog, int id);
// Types text into edit id (replacing its content), as WM_SETTEXT does.
void SetItemText(HWND dialog, int id, const std::string& text);
// Clicks button id the way the user does: BM_CLICK.
void ClickItem(HWND dialog, int id);
