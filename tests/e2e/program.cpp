#include "program.h"

#include <gtest/gtest.h>

#include <vector>

std::string g_programPath;

namespace {

struct Search {
    DWORD processId;
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->processId || !::IsWindowVisible(hwnd)) {
        return TRUE;
    }
    if (Program::Text(hwnd) == *search->caption) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindLauncher(DWORD processId) {
    struct Found {
        DWORD pid;
        HWND hwnd;
    } found{processId, nullptr};
    ::EnumWindows(
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto* f = reinterpret_cast<Found*>(lParam);
            DWORD pid = 0;
            ::GetWindowThreadProcessId(hwnd, &pid);
            if (pid == f->pid && ::IsWindowVisible(hwnd) &&
                Program::Text(hwnd).find("Presovol") != std::string::npos) {
                f->hwnd = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.hwnd;
}

} // namespace

std::string ProgramPath() {
    return WindowsPath(g_programPath);
}

std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path; // a Unix path, as the build under Wine passes it
    }
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

Program::Program(const std::string& arguments) {
    const std::string path = ProgramPath();
    std::string commandLine = "\"" + path + "\"";
    if (!arguments.empty()) {
        commandLine += " " + arguments;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &m_process)) {
        ADD_FAILURE() << "cannot start " << path << ": " << ::GetLastError();
        return;
    }
    ::WaitForInputIdle(m_process.hProcess, 10000);
    for (int i = 0; i < 200 && m_launcher == nullptr; ++i) {
        m_launcher = FindLauncher(m_process.dwProcessId);
        if (m_launcher == nullptr) {
            ::Sleep(50);
        }
    }
    EXPECT_NE(m_launcher, nullptr) << "the launcher did not show";
}

Program::~Program() {
    if (m_process.hProcess == nullptr) {
        return;
    }
    if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_process.hProcess, 99);
        ::WaitForSingleObject(m_process.hProcess, 5000);
    }
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
}

HWND Program::WaitForWindow(const std::string& caption, int timeoutMs) const {
    Search search{m_process.dwProcessId, &caption, nullptr};
    for (int waited = 0; waited <= timeoutMs; waited += 50) {
        ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return search.found;
        }
        ::Sleep(50);
    }
    return nullptr;
}

bool Program::WaitGone(HWND hwnd, int timeoutMs) {
    for (int waited = 0; waited <= timeoutMs; waited += 50) {
        if (!::IsWindow(hwnd)) {
            return true;
        }
        ::Sleep(50);
    }
    return false;
}

int Program::WaitExit(int timeoutMs) {
    if (::WaitForSingleObject(m_process.hProcess, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
        return -1;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(m_process.hProcess, &code);
    return static_cast<int>(code);
}

void Program::Click(HWND dialog, int id) {
    HWND control = ::GetDlgItem(dialog, id);
    RECT rect;
    ::GetWindowRect(control, &rect);
    const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    // A window that has just opened may not take the pointer yet: wait until it is the
    // window under the pointer, as a user would.
    for (int waited = 0; waited < 5000; waited += 20) {
        ::SetCursorPos(centre.x, centre.y);
        if (::WindowFromPoint(centre) == control && ::IsWindowEnabled(control)) {
            break;
        }
        ::Sleep(20);
    }
    ::Sleep(50);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ::SendInput(1, &input, sizeof input);
    ::Sleep(20);
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &input, sizeof input);
}

void Program::Type(HWND dialog, int id, const std::string& text) {
    ::SendMessageA(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string Program::Text(HWND hwnd) {
    std::vector<char> buffer(4096);
    const LRESULT length =
        ::SendMessageA(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), length > 0 ? static_cast<size_t>(length) : 0);
}

std::string Program::WaitTextChange(HWND dialog, int id, const std::string& before, int timeoutMs) {
    HWND control = ::GetDlgItem(dialog, id);
    std::string text = Text(control);
    for (int waited = 0; waited <= timeoutMs && text == before; waited += 50) {
        ::Sleep(50);
        text = Text(control);
    }
    return text;
}
