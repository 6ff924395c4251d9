#include "link_test_support.h"

#include "link/link_logic.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <cstring>

namespace {

const std::string kAddress = "http://www.example.com/ ";
// A page the shell cannot open: there is no such file (Wine answers 2).
const std::string kMissingPage = "C:\\no-such-dir\\page.htm";
const std::string kTestType = "PresovolLinkTest.Page";
const std::string kCommandKey = kTestType + "\\shell\\open\\command";
const char kNotFound[] = "The specified file was not found.";

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// The user's click: the static reports it to its parent, which hands it back to the link.
void Click(HWND link) {
    ::SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    ::SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

int ShellAnswer(const std::string& url) {
    return static_cast<int>(reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOW)));
}

TEST(LinkOpen, AClickOpensTheAddressWithTheShellAndShowsItVisited) {
    ScopedClassesValue browser("http\\shell\\open\\command");
    browser.Set(Quoted(LoggerPath()) + " \"%1\"");
    ClearLoggerLog();
    LinkHost host(kAddress);
    LinkProbe link;
    ASSERT_TRUE(link.SubclassWindow(host.Static()));
    MessageBoxCatcher boxes;
    ParkPointer();
    RECT client;
    ::GetClientRect(host.Static(), &client);
    const POINT at = MovePointer(host.Static(), client.right / 2, client.bottom / 2);
    ASSERT_TRUE(PumpUntil([&] { return link.m_hovering != FALSE; }));
    ::UpdateWindow(host.Static());

    Click(host.Static());
    RECT update;
    EXPECT_TRUE(::GetUpdateRect(host.Static(), &update, FALSE));
    EXPECT_TRUE(link.m_visited);
    EXPECT_FALSE(link.m_hovering);
    // The address goes to the shell as it stands, trailing blank included.
    EXPECT_EQ(WaitForLoggerLog(), Quoted(LoggerPath()) + " " + Quoted(kAddress) + "\n");
    EXPECT_TRUE(boxes.Seen().empty());

    // Visited at once, still underlined, and the hover timer still runs.
    EXPECT_EQ(AskTextColor(host.Window(), host.Static()).text, kVisitedPurple);
    EXPECT_EQ(CurrentFont(host.Static()), link.m_underlinedFont.GetSafeHandle());
    ::UpdateWindow(host.Static());
    int width = 0;
    int height = 0;
    const std::vector<COLORREF> pixels = ReadClientPixels(host.Static(), &width, &height);
    EXPECT_GT(CountPixels(pixels, kVisitedPurple), 50);
    EXPECT_EQ(CountPixels(pixels, kHoverRed), 0);
    ASSERT_TRUE(PumpUntilTick(host.Static(), at));

    // The next movement over it hovers again; leaving removes the underline at the next tick.
    MovePointer(host.Static(), client.right / 2 + 3, client.bottom / 2);
    ASSERT_TRUE(PumpUntil([&] { return link.m_hovering != FALSE; }));
    EXPECT_EQ(AskTextColor(host.Window(), host.Static()).text, kHoverRed);
    const POINT off = MovePointer(host.Static(), client.right + 4, client.bottom / 2);
    ASSERT_TRUE(PumpUntilTick(host.Static(), off));
    EXPECT_EQ(CurrentFont(host.Static()), link.m_plainFont.GetSafeHandle());
    EXPECT_EQ(AskTextColor(host.Window(), host.Static()).text, kVisitedPurple);
    ParkPointer();
}

TEST(LinkOpen, FallsBackToTheBrowserThatHtmFilesAreRegisteredWith) {
    ASSERT_EQ(ShellAnswer(kMissingPage), 2);
    ScopedClassesValue htm(".htm");
    htm.Set(kTestType);
    ScopedClassesValue command(kCommandKey);
    const std::string logger = Quoted(LoggerPath());
    struct Case {
        std::string registered;
        std::string started;
    };
    const Case cases[] = {
        // The blank before the quoted placeholder stays.
        {logger + " \"%1\"", logger + "  " + kMissingPage},
        // Arguments after a bare placeholder go with it.
        {logger + " %1 --new-window", logger + "  " + kMissingPage},
        {logger + " --page", logger + " --page " + kMissingPage},
        // The quoted form wins; a bare one before it stays.
        {logger + " %1 \"%1\" --tail", logger + " %1  " + kMissingPage},
    };
    LinkHost host(kMissingPage);
    LinkProbe link;
    ASSERT_TRUE(link.SubclassWindow(host.Static()));
    MessageBoxCatcher boxes;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.registered);
        command.Set(c.registered);
        ClearLoggerLog();
        link.m_visited = FALSE;
        Click(host.Static());
        EXPECT_EQ(WaitForLoggerLog(), c.started + "\n");
        EXPECT_TRUE(link.m_visited);
    }
    EXPECT_TRUE(boxes.Seen().empty());
}

// Clicks a visited link to url and expects one message box with the English report of message,
// the link no longer visited, and no browser started.
void ExpectReportedFailure(const std::string& url, const std::string& message) {
    ClearLoggerLog();
    LinkHost host(url);
    LinkProbe link;
    ASSERT_TRUE(link.SubclassWindow(host.Static()));
    link.m_visited = TRUE;
    MessageBoxCatcher boxes;
    MessageBoxIconSpy icons;
    Click(host.Static());
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].text, "Unable to open hyperlink:\n\n" + message);
    EXPECT_EQ(boxes.Seen()[0].caption, AfxGetAppName());
    ASSERT_EQ(icons.Icons().size(), 1u);
    EXPECT_EQ(icons.Icons()[0], ::LoadIconA(nullptr, IDI_EXCLAMATION));
    EXPECT_FALSE(link.m_visited);
    EXPECT_EQ(AskTextColor(host.Window(), host.Static()).text, kLinkBlue);
    EXPECT_EQ(LoggerLog(), "");
}

TEST(LinkOpen, ExpandsTheVariablesOfABrowserCommandOfTypeExpandSz) {
    ASSERT_EQ(ShellAnswer(kMissingPage), 2);
    ScopedClassesValue htm(".htm");
    htm.Set(kTestType);
    ScopedClassesValue command(kCommandKey);
    const std::string registered = "\"%PRESOVOL_BROWSER%\" \"%1\"" + std::string(1, '\0');
    command.SetRaw(REG_EXPAND_SZ, std::vector<BYTE>(registered.begin(), registered.end()));
    LinkProbe link;

    ::SetEnvironmentVariableA("PRESOVOL_BROWSER", LoggerPath().c_str());
    ClearLoggerLog();
    EXPECT_GT(link.OpenUrl(kMissingPage.c_str(), SW_SHOW), 32);
    EXPECT_EQ(WaitForLoggerLog(), Quoted(LoggerPath()) + "  " + kMissingPage + "\n");

    // Expanded, the command no longer fits: nothing is started and the shell's answer stands.
    ::SetEnvironmentVariableA("PRESOVOL_BROWSER", std::string(600, 'x').c_str());
    ClearLoggerLog();
    EXPECT_EQ(link.OpenUrl(kMissingPage.c_str(), SW_SHOW), 2);
    EXPECT_EQ(LoggerLog(), "");
    ::SetEnvironmentVariableA("PRESOVOL_BROWSER", nullptr);
}

TEST(LinkOpen, ReportsTheShellsAnswerWhenHtmGivesNoUsableCommand) {
    ASSERT_EQ(ShellAnswer(kMissingPage), 2);
    {
        SCOPED_TRACE(".htm not registered");
        ScopedClassesKeyRemoval htm(".htm");
        ExpectReportedFailure(kMissingPage, kNotFound);
    }
    {
        SCOPED_TRACE(".htm without a default value");
        ScopedClassesValue htm(".htm");
        htm.Remove();
        ExpectReportedFailure(kMissingPage, kNotFound);
    }
    {
        SCOPED_TRACE(".htm naming a value that is no string");
        ScopedClassesValue htm(".htm");
        htm.SetRaw(REG_DWORD, {1, 0, 0, 0});
        ExpectReportedFailure(kMissingPage, kNotFound);
    }
    {
        SCOPED_TRACE(".htm naming a file type without a command key");
        ScopedClassesValue htm(".htm");
        htm.Set("PresovolLinkTest.NoSuchType");
        ExpectReportedFailure(kMissingPage, kNotFound);
    }
    {
        SCOPED_TRACE("a command key without a command");
        ScopedClassesValue htm(".htm");
        htm.Set(kTestType);
        ScopedClassesValue command(kCommandKey);
        command.Remove();
        ExpectReportedFailure(kMissingPage, kNotFound);
    }
    {
        SCOPED_TRACE("a command longer than the registry buffer");
        ScopedClassesValue htm(".htm");
        htm.Set(kTestType);
        ScopedClassesValue command(kCommandKey);
        command.Set(Quoted(LoggerPath()) + " " + std::string(1000, 'a') + " \"%1\"");
        ExpectReportedFailure(kMissingPage, kNotFound);
    }
}

TEST(LinkOpen, ReportsWhatTheShellOrTheLaunchAnswered) {
    const std::string url = "presovol-no-such-scheme:page";
    {
        SCOPED_TRACE("the shell's answer, with no fallback");
        ScopedClassesKeyRemoval htm(".htm");
        ASSERT_EQ(ShellAnswer(url), 31);
        ExpectReportedFailure(url, "There is no application associated\nwith the given filename "
                                   "extension.");
    }
    {
        SCOPED_TRACE("the launch's answer, for a registered browser that is not there");
        ScopedClassesValue htm(".htm");
        htm.Set(kTestType);
        ScopedClassesValue command(kCommandKey);
        const std::string browser = "C:\\no-such-dir\\browser.exe";
        command.Set(Quoted(browser) + " \"%1\"");
        ASSERT_EQ(ShellAnswer(url), 31);
        const std::string line = Quoted(browser) + "  " + url;
        ASSERT_EQ(::WinExec(line.c_str(), SW_SHOW), 2u);
        ExpectReportedFailure(url, kNotFound);
    }
}

TEST(LinkOpen, ReadsOnlyDefaultValuesThatFitItsBuffer) {
    const std::string key = "PresovolLinkTest.Value";
    ScopedClassesValue value(key);
    const std::string longest(259, 'v');
    struct Case {
        const char* what;
        DWORD type;
        std::string data;
        LONG status;
        std::string read;
    };
    const Case cases[] = {
        {"259 characters", REG_SZ, longest + '\0', ERROR_SUCCESS, longest},
        {"259 characters, no terminator", REG_SZ, longest, ERROR_SUCCESS, longest},
        {"260 characters", REG_SZ, longest + 'v' + '\0', ERROR_MORE_DATA, ""},
        {"260 characters, no terminator", REG_SZ, longest + 'v', ERROR_MORE_DATA, ""},
        {"1000 characters", REG_SZ, std::string(1000, 'v') + '\0', ERROR_MORE_DATA, ""},
        {"empty", REG_SZ, std::string(1, '\0'), ERROR_SUCCESS, ""},
        {"expandable", REG_EXPAND_SZ, "%1 x" + std::string(1, '\0'), ERROR_SUCCESS, "%1 x"},
        {"a number", REG_DWORD, std::string("\1\0\0\0", 4), ERROR_INVALID_DATA, ""},
        {"bytes", REG_BINARY, "abc", ERROR_INVALID_DATA, ""},
    };
    LinkProbe link;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        value.SetRaw(c.type, std::vector<BYTE>(c.data.begin(), c.data.end()));
        char out[kFallbackCommandCapacity];
        std::memset(out, 'Z', sizeof out);
        EXPECT_EQ(link.ReadDefaultValue(HKEY_CLASSES_ROOT, key.c_str(), out, sizeof out), c.status);
        if (c.status == ERROR_SUCCESS) {
            ASSERT_NE(std::memchr(out, '\0', sizeof out), nullptr);
            EXPECT_EQ(std::string(out), c.read);
        } else {
            EXPECT_EQ(std::string(out, sizeof out), std::string(sizeof out, 'Z'));
        }
    }

    char out[kFallbackCommandCapacity];
    value.Remove();
    std::memset(out, 'Z', sizeof out);
    EXPECT_EQ(link.ReadDefaultValue(HKEY_CLASSES_ROOT, key.c_str(), out, sizeof out),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(
        link.ReadDefaultValue(HKEY_CLASSES_ROOT, "PresovolLinkTest.NoSuchKey", out, sizeof out),
        ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(out[0], 'Z');

    // The answer and its terminator must fit the caller's buffer.
    value.Set("abcdef");
    EXPECT_EQ(link.ReadDefaultValue(HKEY_CLASSES_ROOT, key.c_str(), out, 6), ERROR_MORE_DATA);
    EXPECT_EQ(out[0], 'Z');
    EXPECT_EQ(link.ReadDefaultValue(HKEY_CLASSES_ROOT, key.c_str(), out, 7), ERROR_SUCCESS);
    EXPECT_STREQ(out, "abcdef");
    EXPECT_EQ(out[7], 'Z');

    // The key's name may live in the buffer the value is read into.
    std::strcpy(out, key.c_str());
    EXPECT_EQ(link.ReadDefaultValue(HKEY_CLASSES_ROOT, out, out, sizeof out), ERROR_SUCCESS);
    EXPECT_STREQ(out, "abcdef");
}

TEST(LinkOpen, StartsTheFallbackOnlyWhenCommandBlankAndAddressFitItsBuffer) {
    // An address of 300 characters that the shell cannot open.
    const std::string url = "C:\\no-such-dir\\" + std::string(300 - 19, 'x') + ".htm";
    ASSERT_EQ(url.size(), 300u);
    const int shell = ShellAnswer(url);
    ASSERT_LE(shell, 32);
    ScopedClassesValue htm(".htm");
    htm.Set(kTestType);
    ScopedClassesValue command(kCommandKey);
    // What stays of the command before the placeholder, for a started line of length total.
    const std::string logger = Quoted(LoggerPath()) + " ";
    const auto keptPart = [&](size_t total) {
        return logger + std::string(total - url.size() - 1 - logger.size() - 1, 'a') + " ";
    };
    LinkProbe link;

    // 519 characters and the terminator fill the 520 bytes: started.
    command.Set(keptPart(519) + "\"%1\"");
    ClearLoggerLog();
    EXPECT_GT(link.OpenUrl(url.c_str(), SW_SHOW), 32);
    const std::string started = keptPart(519) + " " + url;
    ASSERT_EQ(started.size(), 519u);
    EXPECT_EQ(WaitForLoggerLog(), started + "\n");

    // One character more: nothing is started and the shell's answer stands.
    command.Set(keptPart(520) + "\"%1\"");
    ClearLoggerLog();
    EXPECT_EQ(link.OpenUrl(url.c_str(), SW_SHOW), shell);
    EXPECT_EQ(LoggerLog(), "");
}

} // namespace
