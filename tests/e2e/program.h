// Drives a running Presovol.exe from outside, as a user would: finds its windows, clicks,
// types and reads texts.
#pragma once

#include <windows.h>

#include <string>

// The path of Presovol.exe, from the command line of the test program.
extern std::string g_programPath;
// The same as a Windows path.
std::string ProgramPath();
// path, which may be a path of the build machine, as the programs under test see it.
std::string WindowsPath(std::string path);

class Program {
public:
    // Starts the program with arguments after its name and waits for its launcher to show.
    explicit Program(const std::string& arguments = std::string());
    // Ends the program if a test left it running.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    HWND Launcher() const { return m_launcher; }
    // Waits up to timeoutMs for a visible window of the program whose caption is caption.
    HWND WaitForWindow(const std::string& caption, int timeoutMs = 10000) const;
    // Waits until hwnd is destroyed; false on time-out.
    static bool WaitGone(HWND hwnd, int timeoutMs = 10000);
    // Waits for the process to end; answers its exit code, or -1 on time-out.
    int WaitExit(int timeoutMs = 10000);

    // Clicks control id of dialog with the mouse, at its centre.
    static void Click(HWND dialog, int id);
    // Replaces the text of control id of dialog.
    static void Type(HWND dialog, int id, const std::string& text);
    static std::string Text(HWND hwnd);
    // Waits until control id of dialog shows a text other than before; answers it.
    static std::string WaitTextChange(HWND dialog, int id, const std::string& before,
                                      int timeoutMs = 10000);

private:
    PROCESS_INFORMATION m_process{};
    HWND m_launcher = nullptr;
};
