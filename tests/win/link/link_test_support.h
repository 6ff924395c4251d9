// Helpers of the hyperlink tests: a framework parent window holding one static, access to the
// link's inner state, the tooltip, colours and pixels, the registry of the test's own prefix
// and the stand-in browser that records how it was started.
#pragma once

#include "win/harness/harness.h"

#include "link/link_static.h"

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The link with its inner state and operations open to the tests.
class LinkProbe : public CLinkStatic {
public:
    using CLinkStatic::m_handCursor;
    using CLinkStatic::m_hoverColor;
    using CLinkStatic::m_hovering;
    using CLinkStatic::m_linkColor;
    using CLinkStatic::m_plainFont;
    using CLinkStatic::m_underlinedFont;
    using CLinkStatic::m_url;
    using CLinkStatic::m_visited;
    using CLinkStatic::m_visitedColor;
    using CLinkStatic::OpenUrl;
    using CLinkStatic::ReadDefaultValue;
};

const COLORREF kLinkBlue = RGB(0, 0, 238);
const COLORREF kHoverRed = RGB(255, 0, 0);
const COLORREF kVisitedPurple = RGB(85, 26, 139);
const UINT_PTR kHoverTimer = 10;
const int kLinkId = 1008;

// A visible top-level window bound to a plain framework CWnd (so it reflects its children's
// notifications), with one static child as the launcher's template makes it. The static's font,
// when there is one, draws without smoothing, so painted text has exactly the text colour.
class LinkHost {
public:
    // font: give the static a font of its own (otherwise it has none).
    explicit LinkHost(const std::string& text, bool font = true);
    ~LinkHost();
    LinkHost(const LinkHost&) = delete;
    LinkHost& operator=(const LinkHost&) = delete;

    HWND Window() const { return m_host.m_hWnd; }
    HWND Static() const { return m_static; }
    HFONT StaticFont() const { return static_cast<HFONT>(m_font.GetSafeHandle()); }

private:
    CFont m_font;
    CWnd m_host;
    HWND m_static = nullptr;
};

// Dispatches messages until done() holds, for at most timeoutMs; answers done().
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);
// Dispatches messages until one that match accepts has been dispatched; false when none came
// within timeoutMs.
bool PumpUntilDispatched(const std::function<bool(const MSG&)>& match, int timeoutMs = 5000);
// Dispatches messages until the hover timer of link has ticked with the pointer at screen
// point at; false when no such tick came within timeoutMs.
bool PumpUntilTick(HWND link, POINT at, int timeoutMs = 5000);
// Moves the pointer to point (client coordinates of hwnd); answers the screen point.
POINT MovePointer(HWND hwnd, int x, int y);
// The pointer rests on the screen far from every test window.
void ParkPointer();

// The text colour and brush the parent's WM_CTLCOLORSTATIC gives link.
struct CtlColorAnswer {
    COLORREF text;
    HBRUSH brush;
};
CtlColorAnswer AskTextColor(HWND parent, HWND link);

// The font link uses now, and its description.
HFONT CurrentFont(HWND link);
LOGFONTA FontDescription(HGDIOBJ font);

// The client area of hwnd as painted, row by row, as COLORREFs.
std::vector<COLORREF> ReadClientPixels(HWND hwnd, int* width, int* height);
// Paints the client area of hwnd black, behind its back: what the next repaint leaves black,
// it did not paint.
void Smudge(HWND hwnd);
int CountPixels(const std::vector<COLORREF>& pixels, COLORREF colour);

// The tooltip of this thread with a tool on window tool: its handle, the tool and its text.
struct ToolTipSeen {
    HWND tip = nullptr;
    TTTOOLINFOA tool{};
    std::string text;
    int toolCount = 0;
};
ToolTipSeen FindToolTipOf(HWND tool);

// The default value of HKEY_CLASSES_ROOT\path, changed by the test and put back as it was (key,
// value, or neither) when the object goes.
class ScopedClassesValue {
public:
    explicit ScopedClassesValue(const std::string& path);
    ~ScopedClassesValue();
    ScopedClassesValue(const ScopedClassesValue&) = delete;
    ScopedClassesValue& operator=(const ScopedClassesValue&) = delete;

    // A string value, stored with its terminator.
    void Set(const std::string& text);
    // Exactly these bytes, of this type.
    void SetRaw(DWORD type, const std::vector<BYTE>& data);
    void Remove();

private:
    std::string m_path;
    std::string m_createdRoot; // the first key of the path that the test created
    bool m_hadValue = false;
    DWORD m_type = REG_NONE;
    std::vector<BYTE> m_data;
};

// HKEY_CLASSES_ROOT\name and everything under it are gone while the object lives.
class ScopedClassesKeyRemoval {
public:
    explicit ScopedClassesKeyRemoval(const std::string& name);
    ~ScopedClassesKeyRemoval();
    ScopedClassesKeyRemoval(const ScopedClassesKeyRemoval&) = delete;
    ScopedClassesKeyRemoval& operator=(const ScopedClassesKeyRemoval&) = delete;

private:
    std::string m_name;
    bool m_existed = false;
};

// The stand-in browser beside the test program, and its record of command lines.
std::string LoggerPath();
void ClearLoggerLog();
// What the logger has recorded so far ("" when it never ran).
std::string LoggerLog();
// Waits (pumping messages) until the logger has recorded one whole line; answers the record.
std::string WaitForLoggerLog(int timeoutMs = 20000);

// While alive, notes the icon of every message box that opens on this thread.
class MessageBoxIconSpy {
public:
    MessageBoxIconSpy();
    ~MessageBoxIconSpy();
    MessageBoxIconSpy(const MessageBoxIconSpy&) = delete;
    MessageBoxIconSpy& operator=(const MessageBoxIconSpy&) = delete;

    const std::vector<HICON>& Icons() const { return m_icons; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    std::vector<HICON> m_icons;
};
