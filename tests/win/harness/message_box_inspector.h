// Looking into a message box while it is open.
#pragma once

#include <windows.h>

#include <functional>

// While alive, every message box that opens on this thread is handed to inspect, inside the
// box's own modal loop once it is shown, and then closed with OK.
class MessageBoxInspector {
public:
    explicit MessageBoxInspector(std::function<void(HWND box)> inspect);
    ~MessageBoxInspector();
    MessageBoxInspector(const MessageBoxInspector&) = delete;
    MessageBoxInspector& operator=(const MessageBoxInspector&) = delete;

    // How many boxes were inspected.
    int Count() const { return m_count; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK Inspect(HWND box, UINT, UINT_PTR timer, DWORD);
    std::function<void(HWND)> m_inspect;
    HHOOK m_hook;
    int m_count = 0;
};
