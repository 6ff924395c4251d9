// Whether a window of another process has finished painting: neither it nor any of its
// children waits for a paint. Shared by the run command's helper and the start-up benchmark.
#pragma once

#include <windows.h>

inline BOOL CALLBACK FindPendingPaint(HWND hwnd, LPARAM lParam) {
    if (::GetUpdateRect(hwnd, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(lParam) = true;
        return FALSE;
    }
    return TRUE;
}

inline bool IsPainted(HWND hwnd) {
    bool pending = ::GetUpdateRect(hwnd, nullptr, FALSE) != FALSE;
    if (!pending) {
        ::EnumChildWindows(hwnd, &FindPendingPaint, reinterpret_cast<LPARAM>(&pending));
    }
    return !pending;
}
