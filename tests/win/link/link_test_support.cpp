#include "link_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

const char kHostClass[] = "PresovolLinkTestHost";
// The static sits where it is easy to reach and leaves background to its right.
const int kHostX = 60;
const int kHostY = 80;
const int kStaticX = 20;
const int kStaticY = 20;
const int kStaticWidth = 360;
const int kStaticHeight = 32;
// The launcher's template style of control 1008.
const DWORD kStaticStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT | SS_CENTERIMAGE;

void RegisterHostClass() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        // Not the button face: what shows of it under the link was not erased by the link.
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = kHostClass;
        return ::RegisterClassA(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
}

std::string LoggerLogPath() {
    std::string path = LoggerPath();
    path.replace(path.size() - 4, 4, ".log");
    return path;
}

} // namespace

LinkHost::LinkHost(const std::string& text, bool font) {
    RegisterHostClass();
    HWND host =
        ::CreateWindowExA(0, kHostClass, "link host", WS_POPUP | WS_BORDER | WS_VISIBLE, kHostX,
                          kHostY, kStaticWidth + 2 * kStaticX, kStaticHeight + 2 * kStaticY,
                          nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    EXPECT_TRUE(host != nullptr);
    m_host.SubclassWindow(host);
    m_static = ::CreateWindowExA(0, "Static", text.c_str(), kStaticStyle, kStaticX, kStaticY,
                                 kStaticWidth, kStaticHeight, host,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLinkId)),
                                 ::GetModuleHandleA(nullptr), nullptr);
    EXPECT_TRUE(m_static != nullptr);
    if (font) {
        m_font.CreateFont(-20, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0,
                          NONANTIALIASED_QUALITY, FF_SWISS | DEFAULT_PITCH, "Tahoma");
        ::SendMessageA(m_static, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()),
                       FALSE);
    }
    ::SetForegroundWindow(host);
    ::UpdateWindow(host);
    PumpMessages();
}

LinkHost::~LinkHost() {
    // The host goes first, with the static: the font must outlive both.
    m_host.DestroyWindow();
    PumpMessages();
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (static_cast<int>(::GetTickCount() - start) > timeoutMs) {
            return done();
        }
        PumpMessages();
        ::Sleep(5);
    }
    return true;
}

bool PumpUntilDispatched(const std::function<bool(const MSG&)>& match, int timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (static_cast<int>(::GetTickCount() - start) <= timeoutMs) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            if (match(msg)) {
                return true;
            }
        }
        ::Sleep(5);
    }
    return false;
}

bool PumpUntilTick(HWND link, POINT at, int timeoutMs) {
    return PumpUntilDispatched(
        [&](const MSG& msg) {
            return msg.message == WM_TIMER && msg.hwnd == link && msg.wParam == kHoverTimer &&
                   msg.pt.x == at.x && msg.pt.y == at.y;
        },
        timeoutMs);
}

POINT MovePointer(HWND hwnd, int x, int y) {
    POINT point{x, y};
    ::ClientToScreen(hwnd, &point);
    ::SetCursorPos(point.x, point.y);
    return point;
}

void ParkPointer() {
    ::SetCursorPos(1200, 1000);
    PumpMessages();
}

CtlColorAnswer AskTextColor(HWND parent, HWND link) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::SetTextColor(dc, RGB(1, 2, 3));
    const LRESULT brush = ::SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(link));
    const COLORREF text = ::GetTextColor(dc);
    ::DeleteDC(dc);
    return {text, reinterpret_cast<HBRUSH>(brush)};
}

HFONT CurrentFont(HWND link) {
    return reinterpret_cast<HFONT>(::SendMessageA(link, WM_GETFONT, 0, 0));
}

LOGFONTA FontDescription(HGDIOBJ font) {
    LOGFONTA logFont{};
    EXPECT_NE(::GetObjectA(font, sizeof logFont, &logFont), 0);
    return logFont;
}

std::vector<COLORREF> ReadClientPixels(HWND hwnd, int* width, int* height) {
    RECT client;
    ::GetClientRect(hwnd, &client);
    const int w = client.right;
    const int h = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC windowDc = ::GetDC(hwnd);
    HDC memoryDc = ::CreateCompatibleDC(windowDc);
    HBITMAP bitmap = ::CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memoryDc, bitmap);
    ::BitBlt(memoryDc, 0, 0, w, h, windowDc, 0, 0, SRCCOPY);
    ::GdiFlush();
    std::vector<COLORREF> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
    const auto* quads = static_cast<const RGBQUAD*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
    }
    ::SelectObject(memoryDc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memoryDc);
    ::ReleaseDC(hwnd, windowDc);
    *width = w;
    *height = h;
    return pixels;
}

void Smudge(HWND hwnd) {
    RECT client;
    ::GetClientRect(hwnd, &client);
    HDC dc = ::GetDC(hwnd);
    ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::ReleaseDC(hwnd, dc);
}

int CountPixels(const std::vector<COLORREF>& pixels, COLORREF colour) {
    int count = 0;
    for (COLORREF pixel : pixels) {
        count += pixel == colour ? 1 : 0;
    }
    return count;
}

namespace {

BOOL CALLBACK CollectThreadWindow(HWND hwnd, LPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    return TRUE;
}

} // namespace

ToolTipSeen FindToolTipOf(HWND tool) {
    std::vector<HWND> windows;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectThreadWindow,
                        reinterpret_cast<LPARAM>(&windows));
    ToolTipSeen seen;
    for (HWND hwnd : windows) {
        char className[64] = {};
        ::GetClassNameA(hwnd, className, sizeof className);
        if (lstrcmpiA(className, TOOLTIPS_CLASSA) != 0) {
            continue;
        }
        const int count = static_cast<int>(::SendMessageA(hwnd, TTM_GETTOOLCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            TTTOOLINFOA info{};
            info.cbSize = TTTOOLINFOA_V2_SIZE;
            if (!::SendMessageA(hwnd, TTM_ENUMTOOLSA, static_cast<WPARAM>(i),
                                reinterpret_cast<LPARAM>(&info)) ||
                info.hwnd != tool) {
                continue;
            }
            char text[256] = {};
            info.lpszText = text;
            ::SendMessageA(hwnd, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
            seen.tip = hwnd;
            seen.tool = info;
            seen.tool.lpszText = nullptr;
            seen.text = text;
            seen.toolCount = count;
            return seen;
        }
    }
    return seen;
}

namespace {

bool KeyExists(const std::string& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(key);
    return true;
}

HKEY CreateKey(const std::string& path) {
    HKEY key = nullptr;
    EXPECT_EQ(::RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << path;
    return key;
}

const char kBackupKey[] = "Software\\PresovolLinkTests";

} // namespace

ScopedClassesValue::ScopedClassesValue(const std::string& path) : m_path(path) {
    // The first key along the path that is missing, if any, is the test's own.
    for (size_t end = 0; end != std::string::npos;) {
        end = path.find('\\', end + 1);
        const std::string prefix = path.substr(0, end);
        if (!KeyExists(prefix)) {
            m_createdRoot = prefix;
            break;
        }
    }
    HKEY key = CreateKey(path);
    DWORD size = 0;
    if (::RegQueryValueExA(key, nullptr, nullptr, &m_type, nullptr, &size) == ERROR_SUCCESS) {
        m_hadValue = true;
        m_data.resize(size);
        ::RegQueryValueExA(key, nullptr, nullptr, &m_type, m_data.data(), &size);
        m_data.resize(size);
    }
    ::RegCloseKey(key);
}

ScopedClassesValue::~ScopedClassesValue() {
    if (!m_createdRoot.empty()) {
        EXPECT_EQ(::RegDeleteTreeA(HKEY_CLASSES_ROOT, m_createdRoot.c_str()), ERROR_SUCCESS);
        EXPECT_FALSE(KeyExists(m_createdRoot));
        return;
    }
    HKEY key = CreateKey(m_path);
    if (m_hadValue) {
        ::RegSetValueExA(key, nullptr, 0, m_type, m_data.data(), static_cast<DWORD>(m_data.size()));
    } else {
        ::RegDeleteValueA(key, nullptr);
    }
    ::RegCloseKey(key);
}

void ScopedClassesValue::Set(const std::string& text) {
    std::vector<BYTE> data(text.begin(), text.end());
    data.push_back(0);
    SetRaw(REG_SZ, data);
}

void ScopedClassesValue::SetRaw(DWORD type, const std::vector<BYTE>& data) {
    HKEY key = CreateKey(m_path);
    EXPECT_EQ(::RegSetValueExA(key, nullptr, 0, type, data.data(), static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
    ::RegCloseKey(key);
}

void ScopedClassesValue::Remove() {
    HKEY key = CreateKey(m_path);
    ::RegDeleteValueA(key, nullptr);
    ::RegCloseKey(key);
}

ScopedClassesKeyRemoval::ScopedClassesKeyRemoval(const std::string& name) : m_name(name) {
    m_existed = KeyExists(name);
    if (!m_existed) {
        return;
    }
    HKEY source = nullptr;
    HKEY backup = nullptr;
    ::RegOpenKeyExA(HKEY_CLASSES_ROOT, name.c_str(), 0, KEY_READ, &source);
    ::RegCreateKeyExA(HKEY_CURRENT_USER, kBackupKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &backup, nullptr);
    EXPECT_EQ(::RegCopyTreeA(source, nullptr, backup), ERROR_SUCCESS);
    ::RegCloseKey(backup);
    ::RegCloseKey(source);
    EXPECT_EQ(::RegDeleteTreeA(HKEY_CLASSES_ROOT, name.c_str()), ERROR_SUCCESS);
    EXPECT_FALSE(KeyExists(name));
}

ScopedClassesKeyRemoval::~ScopedClassesKeyRemoval() {
    if (!m_existed) {
        return;
    }
    HKEY backup = nullptr;
    HKEY restored = CreateKey(m_name);
    ::RegOpenKeyExA(HKEY_CURRENT_USER, kBackupKey, 0, KEY_READ, &backup);
    EXPECT_EQ(::RegCopyTreeA(backup, nullptr, restored), ERROR_SUCCESS);
    ::RegCloseKey(backup);
    ::RegCloseKey(restored);
    EXPECT_EQ(::RegDeleteTreeA(HKEY_CURRENT_USER, kBackupKey), ERROR_SUCCESS);
}

std::string LoggerPath() {
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string logger(path, length);
    logger.erase(logger.find_last_of('\\') + 1);
    return logger + "url_logger.exe";
}

void ClearLoggerLog() {
    ::DeleteFileA(LoggerLogPath().c_str());
    EXPECT_EQ(::GetFileAttributesA(LoggerLogPath().c_str()), INVALID_FILE_ATTRIBUTES);
}

std::string LoggerLog() {
    std::ifstream file(LoggerLogPath(), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string WaitForLoggerLog(int timeoutMs) {
    PumpUntil(
        [] {
            const std::string log = LoggerLog();
            return !log.empty() && log.back() == '\n';
        },
        timeoutMs);
    return LoggerLog();
}

namespace {

MessageBoxIconSpy* g_iconSpy = nullptr;
HHOOK g_iconSpyHook = nullptr;

} // namespace

MessageBoxIconSpy::MessageBoxIconSpy() {
    g_iconSpy = this;
    g_iconSpyHook =
        ::SetWindowsHookExA(WH_CBT, &MessageBoxIconSpy::Hook, nullptr, ::GetCurrentThreadId());
}

MessageBoxIconSpy::~MessageBoxIconSpy() {
    ::UnhookWindowsHookEx(g_iconSpyHook);
    g_iconSpyHook = nullptr;
    g_iconSpy = nullptr;
}

LRESULT CALLBACK MessageBoxIconSpy::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && g_iconSpy != nullptr) {
        HWND box = reinterpret_cast<HWND>(wParam);
        // The icon static of a message box: 0x0440 under Wine, 20 under Windows.
        for (int id : {0x0440, 20}) {
            if (HWND icon = ::GetDlgItem(box, id)) {
                g_iconSpy->m_icons.push_back(
                    reinterpret_cast<HICON>(::SendMessageA(icon, STM_GETICON, 0, 0)));
                break;
            }
        }
    }
    return ::CallNextHookEx(g_iconSpyHook, code, wParam, lParam);
}
