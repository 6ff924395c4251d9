// presovol-calc.exe run as a script runs it: its arguments in Unicode, what it writes read
// through a pipe, in the console's code page (936 here), and its exit code.
#include "program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

struct Ran {
    DWORD exit;
    std::string out; // standard output and standard error, as written
};

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<size_t>(::MultiByteToWideChar(CP_ACP, 0, text.data(),
                                                          static_cast<int>(text.size()), &wide[0],
                                                          static_cast<int>(wide.size()))));
    return wide;
}

Ran Calc(const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    EXPECT_TRUE(::CreatePipe(&read, &write, &inherit, 0));
    ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    const std::wstring program = Wide(WindowsPath(PRESOVOL_CALC));
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = write;
    startup.hStdError = write;
    PROCESS_INFORMATION process{};
    Ran ran{~0u, std::string()};
    if (::CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                         nullptr, nullptr, &startup, &process)) {
        ::CloseHandle(write);
        char buffer[4096];
        DWORD got = 0;
        while (::ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) {
            ran.out.append(buffer, got);
        }
        ::WaitForSingleObject(process.hProcess, 10000);
        ::GetExitCodeProcess(process.hProcess, &ran.exit);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    } else {
        ADD_FAILURE() << "cannot start " << WindowsPath(PRESOVOL_CALC);
        ::CloseHandle(write);
    }
    ::CloseHandle(read);
    return ran;
}

TEST(CalcCommandLine, ReadsUnicodeArgumentsAndAnswersInTheConsoleCodePage) {
    // A full-width unit, as a Chinese input method types it.
    const Ran ran = Calc(L"aux deltaV=10 n=1.4 \"p0=90 \uFF42\uFF41\uFF52\" p1=10 p2=20");
    EXPECT_EQ(ran.exit, 0u);
    EXPECT_EQ(ran.out.substr(0, ran.out.find('\n')),
              "根据您的参数计算出蓄能器所需容积为：27.61 升。");
    EXPECT_NE(ran.out.find("\n选型（按实际气体 31.79 升）：公称容积 32 L，公称压力 20 MPa\n"),
              std::string::npos);

    const Ran missing = Calc(L"aux deltaV=10");
    EXPECT_EQ(missing.exit, 2u);
    EXPECT_EQ(missing.out.rfind("缺少输入：n p0 p1 p2。", 0), 0u) << missing.out;

    const Ran none = Calc(L"aux deltaV=10 n=1.4 p0=9 p1=20 p2=10 --json");
    EXPECT_EQ(none.exit, 1u);
    // JSON comes in ASCII alone, whatever the code page.
    EXPECT_EQ(none.out, "{\"error\":{\"code\":\"invalid\",\"input\":null,\"text\":\"\\u8f93\\u5165"
                        "\\u7684\\u53c2\\u6570\\u6709\\u8bef\\uff0c\\u8bf7\\u91cd\\u65b0\\u8f93"
                        "\\u5165\\uff01\"}}\n");
}

TEST(CalcCommandLine, WritesTheSheetWholeOrNotAtAll) {
    // The folder for temporary files; Wine here keeps only ASCII in file names, as the host's
    // locale is not installed.
    wchar_t folder[MAX_PATH];
    ASSERT_GT(::GetTempPathW(MAX_PATH, folder), 0u);
    const std::wstring path = std::wstring(folder) + L"presovol sheet.html";
    ::DeleteFileW(path.c_str());
    const Ran ran = Calc(L"shock-b Q=100 P1=10 P2=14 L=50 t=0 --sheet \"" + path + L"\"");
    EXPECT_EQ(ran.exit, 0u) << ran.out;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    char head[15] = {};
    DWORD got = 0;
    ::ReadFile(file, head, sizeof head, &got, nullptr);
    ::CloseHandle(file);
    EXPECT_EQ(std::string(head, got), "<!DOCTYPE html>");
    EXPECT_TRUE(::DeleteFileW(path.c_str()));

    // A folder of that name: the page written beside it goes again, and the reason is told.
    ASSERT_TRUE(::CreateDirectoryW(path.c_str(), nullptr));
    const Ran failed = Calc(L"shock-b Q=100 P1=10 P2=14 L=50 t=0 --sheet \"" + path + L"\"");
    EXPECT_EQ(failed.exit, 2u);
    EXPECT_EQ(failed.out.rfind("计算书没能写入 ", 0), 0u) << failed.out;
    EXPECT_GT(failed.out.size(), failed.out.find("html：") + 6) << failed.out;
    EXPECT_EQ(::GetFileAttributesW((path + L".part").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(::RemoveDirectoryW(path.c_str()));
}

// A sheet named on the program's command line, as Windows starts the program for a sheet opened
// with it, opens in its calculator with its inputs and result; the command line's sheet of the
// road example serves.
TEST(CalcCommandLine, ItsSheetOpensInTheProgramNamedOnTheProgramsCommandLine) {
    wchar_t folder[MAX_PATH];
    ASSERT_GT(::GetTempPathW(MAX_PATH, folder), 0u);
    const std::wstring path = std::wstring(folder) + L"presovol opened.html";
    const Ran ran = Calc(L"aux deltaV=10 n=1.4 p0=9 p1=10 p2=20 --sheet \"" + path + L"\"");
    ASSERT_EQ(ran.exit, 0u) << ran.out;
    {
        char narrow[MAX_PATH];
        ASSERT_GT(
            ::WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, narrow, MAX_PATH, nullptr, nullptr),
            0);
        Program program("  \"" + std::string(narrow) + "\"");
        HWND calc = program.WaitForWindow("作辅助动力源、应急动力源、流量补充、保压等");
        ASSERT_NE(calc, nullptr);
        EXPECT_EQ(Program::Text(::GetDlgItem(calc, 1003)), "9");
        EXPECT_EQ(Program::WaitTextChange(calc, 1006, ""),
                  "根据您的参数计算出蓄能器所需容积为：27.61 升。");
        ::PostMessageA(calc, WM_CLOSE, 0, 0);
        EXPECT_TRUE(Program::WaitGone(calc));
        ::PostMessageA(program.Launcher(), WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitExit(), 0);
    }
    EXPECT_TRUE(::DeleteFileW(path.c_str()));
}

// A sheet whose data nests 100,000 levels deep is refused with its reason by presovol-calc.exe
// and, named on its command line, by the program, which keeps running.
TEST(CalcCommandLine, ASheetNestedTooDeepIsRefusedAndTheProgramRuns) {
    wchar_t folder[MAX_PATH];
    ASSERT_GT(::GetTempPathW(MAX_PATH, folder), 0u);
    const std::filesystem::path path = std::wstring(folder) + L"presovol deep.html";
    ASSERT_EQ(
        Calc(L"aux deltaV=10 n=1.4 p0=9 p1=10 p2=20 --sheet \"" + path.wstring() + L"\"").exit, 0u);
    std::string sheet;
    {
        std::ifstream in(path, std::ios::binary);
        sheet.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    sheet.insert(sheet.find("\"version\":1,") + 12,
                 "\"x\":" + std::string(100000, '[') + std::string(100000, ']') + ",");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << sheet;
    const std::string reason = "计算书的数据层次过深，不是 Presovol 的计算书。";

    const Ran ran = Calc(L"--from \"" + path.wstring() + L"\"");
    EXPECT_EQ(ran.exit, 1u);
    EXPECT_EQ(ran.out, path.string() + "：" + reason + "\n");
    {
        Program program("\"" + path.string() + "\"");
        // The message box, owned by the launcher.
        HWND box = program.WaitForWindow("Presovol");
        ASSERT_NE(box, nullptr);
        HWND launcher = ::GetWindow(box, GW_OWNER);
        ASSERT_NE(launcher, nullptr);
        EXPECT_EQ(Program::Text(::GetDlgItem(box, 0xFFFF)),
                  "无法打开计算书：\n" + path.string() + "\n" + reason);
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(Program::WaitGone(box));
        // It still answers: its first button opens the calculator.
        ::PostMessageA(launcher, WM_COMMAND, MAKEWPARAM(1000, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(launcher, 1000)));
        HWND calc = program.WaitForWindow("作辅助动力源、应急动力源、流量补充、保压等");
        ASSERT_NE(calc, nullptr);
        ::PostMessageA(calc, WM_CLOSE, 0, 0);
        EXPECT_TRUE(Program::WaitGone(calc));
        ::PostMessageA(launcher, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitExit(), 0);
    }
    EXPECT_TRUE(std::filesystem::remove(path));
}

// A sheet saved past MAX_PATH, its temporary name longer still, and read back.
TEST(CalcCommandLine, SavesAndReadsASheetPastMaxPath) {
    wchar_t temp[MAX_PATH];
    ASSERT_GT(::GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring parent = L"\\\\?\\" + std::wstring(temp) + L"presovol long";
    const std::wstring folder = parent + L"\\" + std::wstring(100, L'a');
    const std::wstring path = folder + L"\\" + std::wstring(150, L'b') + L".html";
    ASSERT_GE(path.size() - 4, static_cast<size_t>(MAX_PATH));
    ::CreateDirectoryW(parent.c_str(), nullptr);
    ::CreateDirectoryW(folder.c_str(), nullptr);
    // The command line names it as a user types it, without the extended form's prefix.
    const std::wstring typed = path.substr(4);
    const Ran saved = Calc(L"aux deltaV=10 n=1.4 p0=9 p1=10 p2=20 --sheet \"" + typed + L"\"");
    EXPECT_EQ(saved.exit, 0u) << saved.out;
    const Ran read = Calc(L"--from \"" + typed + L"\"");
    EXPECT_EQ(read.exit, 0u) << read.out;
    EXPECT_EQ(read.out.rfind("根据您的参数计算出蓄能器所需容积为：27.61 升。", 0), 0u) << read.out;
    EXPECT_EQ(::GetFileAttributesW((path + L".part").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(::DeleteFileW(path.c_str()));
    EXPECT_TRUE(::RemoveDirectoryW(folder.c_str()) && ::RemoveDirectoryW(parent.c_str()));
}

TEST(CalcCommandLine, ReadsAGbkBatchAndWritesItInGbk) {
    wchar_t folder[MAX_PATH];
    ASSERT_GT(::GetTempPathW(MAX_PATH, folder), 0u);
    const std::filesystem::path in = std::wstring(folder) + L"presovol batch.csv";
    const std::filesystem::path out = std::wstring(folder) + L"presovol result.csv";
    // A station (站名: 一号) before the method and a remark (备注: 乙,阀) in GBK, as a spreadsheet
    // saves them; the results in the columns of a template.
    const std::string head = "\xD5\xBE\xC3\xFB,method,Q,P1,P2,L,t,\xB1\xB8\xD7\xA2";
    const std::string row = "\xD2\xBB\xBA\xC5,shock-b,100,10,14,50,0.5,\"\xD2\xD2,\xB7\xA7\"";
    std::ofstream(in, std::ios::binary) << head << "\r\n" << row << "\r\n";
    const Ran ran =
        Calc(L"--batch \"" + in.wstring() + L"\" --out \"" + out.wstring() +
             L"\" --out-encoding gbk --columns volume_l,shown,nominal_l,units,class_mpa,"
             L"real_gas_factor,real_gas_volume_l,status,message");
    EXPECT_EQ(ran.exit, 0u) << ran.out;
    std::ifstream file(out, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()),
              head +
                  ",volume_l,shown,nominal_l,units,class_mpa,real_gas_factor,real_gas_volume_l,"
                  "status,message\r\n" +
                  row + ",0.4480000000000001,0.45,0.63,1,20,,,ok,\r\n");
    file.close();
    EXPECT_TRUE(std::filesystem::remove(in) && std::filesystem::remove(out));
}

} // namespace
