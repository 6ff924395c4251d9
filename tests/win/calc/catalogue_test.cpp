// A calculator with the example catalogue beside the program: the pick names its row, and an
// edit of the file (in GBK, as a spreadsheet on a Chinese Windows saves it) counts at the next
// "计算". The file is removed after the test.
#include "win/harness/harness.h"

#include "calc/aux_power_dlg.h"
#include "res/resource.h"
#include "sizing/catalogue_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

// The notes for p0 typed with the road example's other inputs, lines ending in "\r\n".
std::string Notes(HWND hwnd, const char* p0) {
    const int inputs[] = {IDC_AUX_DELTA_V, IDC_AUX_N, IDC_AUX_P0, IDC_AUX_P1, IDC_AUX_P2};
    const char* texts[] = {"10", "1.4", p0, "10", "20"};
    for (int i = 0; i < 5; ++i) {
        SetItemText(hwnd, inputs[i], texts[i]);
    }
    ClickItem(hwnd, IDC_CALCULATE);
    return ItemText(hwnd, IDC_NOTES) + "\r\n";
}

// The catalogue file beside the test program, as the build names it and Windows then writes it.
std::string PathBesideTheProgram() {
    std::string path = "Z:" PRESOVOL_TEST_PROGRAM_FOLDER "\\catalogue.csv";
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

TEST(CatalogueFile, AuxPowerCalculatorPicksFromTheFileBesideTheProgram) {
    const std::string path = PathBesideTheProgram();
    const std::unique_ptr<const char, int (*)(const char*)> removed(path.c_str(), &std::remove);
    ASSERT_TRUE(std::filesystem::copy_file("Z:" PRESOVOL_EXAMPLE_CATALOGUE, path));
    CAuxPowerDlg dialog;
    RunModal(dialog, [&](HWND hwnd) {
        std::string notes = Notes(hwnd, "9");
        EXPECT_EQ(
            notes.rfind("选型（按实际气体 31.79 升）：B-32/20（皮囊式，32 L，20 MPa）\r\n", 0), 0u)
            << notes;
        const std::string source = "型号目录：" + path + "\r\n";
        EXPECT_EQ(notes.substr(notes.size() - source.size()), source) << notes;

        // At a ratio of 6 the bladder is passed over, and the notes say why.
        notes = Notes(hwnd, "3.3333");
        EXPECT_EQ(notes.rfind("选型（按绝对压力、实际气体 58.54 升）：P-100/35（活塞式，100 L，"
                              "35 MPa）\r\n选用 P-100/35：可排出 17.08 升（需要 10 升）\r\n"
                              "p2/p0 = 6.00 高于皮囊式（4）的最大压比，这些型号未选。\r\n",
                              0),
                  0u)
            << notes;

        // The file is read again at each calculation; the texts of this test, and so the file
        // now, are GBK.
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            << "型号,型式,公称容积,公称压力\r\nB-40/20,皮囊式,40 L,200 bar\r\n";
        notes = Notes(hwnd, "9");
        EXPECT_EQ(
            notes.rfind("选型（按实际气体 31.79 升）：B-40/20（皮囊式，40 L，20 MPa）\r\n", 0), 0u)
            << notes;
    });
}

// A model's name with characters GBK lacks keeps them in the notes box and in the clipboard's
// Unicode text; the GBK text beside it names its locale.
TEST(CatalogueFile, ANameOutsideGbkKeepsItsCharacters) {
    const std::string path = PathBesideTheProgram();
    const std::unique_ptr<const char, int (*)(const char*)> removed(path.c_str(), &std::remove);
    std::ofstream(path, std::ios::binary)
        << u8"型号,型式,公称容积,公称压力\r\nJörg-32 ™,皮囊式,32,20\r\n";
    const std::wstring pick = L"选型（按实际气体 31.79 升）：Jörg-32 ™（皮囊式，32 L，20 MPa）";
    CAuxPowerDlg dialog;
    RunModal(dialog, [&](HWND hwnd) {
        Notes(hwnd, "9");
        const std::wstring notes = GetWindowTextWide(::GetDlgItem(hwnd, IDC_NOTES));
        EXPECT_EQ(notes.substr(0, notes.find(L"\r\n")), pick);
        ClickItem(hwnd, IDC_COPY_SHEET);
    });
    ASSERT_TRUE(::OpenClipboard(nullptr));
    const auto* unicode = static_cast<const wchar_t*>(::GetClipboardData(CF_UNICODETEXT));
    const auto* locale = static_cast<const LCID*>(::GetClipboardData(CF_LOCALE));
    EXPECT_NE(std::wstring(unicode ? unicode : L"").find(L"\r\n  " + pick + L"\r\n"),
              std::wstring::npos);
    EXPECT_EQ(locale ? *locale : 0, 0x0804u);
    ::CloseClipboard();
}

// The user's settings folder is the one that APPDATA names in the system's Unicode
// environment, set after the program started and with characters of two scripts.
TEST(CatalogueFile, TheUsersFolderKeepsEveryCharacterOfAppData) {
    std::wstring saved(32768, L'\0');
    saved.resize(::GetEnvironmentVariableW(L"APPDATA", &saved[0], 32768));
    const std::wstring appData = L"C:\\users\\Jörg 张三\\AppData\\Roaming";
    ::SetEnvironmentVariableW(L"APPDATA", appData.c_str());
    const std::vector<std::filesystem::path> places = sizing::CataloguePlaces();
    ::SetEnvironmentVariableW(L"APPDATA", saved.c_str());
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[1].wstring(), appData + L"\\Presovol\\catalogue.csv");
}

} // namespace
