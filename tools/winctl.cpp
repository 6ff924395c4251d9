// Small helper of the run command, run under Wine beside the program: waits until the
// program's window is painted, or asks it to close.
//   winctl wait TITLE [TIMEOUT_MS]   waits for a visible top-level window whose title contains
//                                   TITLE and whose pending paints are done
//   winctl close TITLE              posts WM_CLOSE to that window
// Exit code 0 on success, 1 on time-out or when no such window exists.
#include <windows.h>

#include "window_painted.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Search {
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchTitle(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    char text[512] = {};
    ::GetWindowTextA(hwnd, text, sizeof text);
    if (::IsWindowVisible(hwnd) && std::strstr(text, search->title) != nullptr) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindTitled(const char* title) {
    Search search{title, nullptr};
    ::EnumWindows(&MatchTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: winctl wait|close TITLE [TIMEOUT_MS]\n");
        return 2;
    }
    const char* command = argv[1];
    const char* title = argv[2];
    if (std::strcmp(command, "close") == 0) {
        HWND hwnd = FindTitled(title);
        return hwnd != nullptr && ::PostMessageA(hwnd, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (std::strcmp(command, "wait") != 0) {
        return 2;
    }
    const DWORD timeout = argc > 3 ? static_cast<DWORD>(std::atoi(argv[3])) : 30000;
    const DWORD start = ::GetTickCount();
    // Painted twice in a row, 100 ms apart: the first paint of every control has happened.
    int settled = 0;
    while (::GetTickCount() - start < timeout) {
        HWND hwnd = FindTitled(title);
        settled = hwnd != nullptr && IsPainted(hwnd) ? settled + 1 : 0;
        if (settled == 2) {
            return 0;
        }
        ::Sleep(100);
    }
    return 1;
}
