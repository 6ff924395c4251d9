// Small helper of the run command, run under Wine beside the program: waits until the
// program's window is painted, drives its controls, or asks it to close.
//   winctl wait TITLE [TIMEOUT_MS]   waits for a visible top-level window whose title contains
//                                   TITLE and whose pending paints are done
//   winctl close TITLE              posts WM_CLOSE to that window
//   winctl type TITLE ID TEXT       replaces the text of control ID of that window
//   winctl press TITLE ID           presses button ID of that window; returns when its
//                                   handler is done, or after half a second when it opens a
//                                   modal window
//   winctl rect TITLE               prints the window's place on the screen as WxH+X+Y
// A TITLE that begins with '>' names the owner: ">Presovol" is the window that a window titled
// Presovol owns, such as an open calculator (titles in Chinese do not pass the command line).
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
    const bool byOwner = search->title[0] == '>';
    HWND titled = byOwner ? ::GetWindow(hwnd, GW_OWNER) : hwnd;
    char text[512] = {};
    ::GetWindowTextA(titled, text, sizeof text);
    if (titled != nullptr && ::IsWindowVisible(hwnd) &&
        std::strstr(text, search->title + (byOwner ? 1 : 0)) != nullptr) {
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
        std::fprintf(stderr, "usage: winctl wait|close|type|press|rect TITLE [ID] [TEXT] "
                             "[TIMEOUT_MS]\n");
        return 2;
    }
    const char* command = argv[1];
    const char* title = argv[2];
    if (std::strcmp(command, "close") == 0) {
        HWND hwnd = FindTitled(title);
        return hwnd != nullptr && ::PostMessageA(hwnd, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (std::strcmp(command, "rect") == 0) {
        HWND hwnd = FindTitled(title);
        RECT rect;
        if (hwnd == nullptr || !::GetWindowRect(hwnd, &rect)) {
            return 1;
        }
        std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left,
                    rect.top);
        return 0;
    }
    if ((std::strcmp(command, "type") == 0 && argc > 4) ||
        (std::strcmp(command, "press") == 0 && argc > 3)) {
        HWND hwnd = FindTitled(title);
        const int id = std::atoi(argv[3]);
        HWND control = hwnd != nullptr ? ::GetDlgItem(hwnd, id) : nullptr;
        if (control == nullptr) {
            return 1;
        }
        if (command[0] == 't') {
            ::SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
        } else {
            DWORD_PTR answer = 0;
            ::SendMessageTimeoutA(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                  reinterpret_cast<LPARAM>(control), SMTO_NORMAL, 500, &answer);
        }
        return 0;
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
