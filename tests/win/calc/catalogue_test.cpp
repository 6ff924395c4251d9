// A calculator with the example catalogue beside the program: the pick names its row, and an
// edit of the file (in GBK, as a spreadsheet on a Chinese Windows saves it) counts at the next
// "计算". The file is removed after the test.
#include "win/harness/harness.h"

#include "calc/aux_power_dlg.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

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

TEST(CatalogueFile, AuxPowerCalculatorPicksFromTheFileBesideTheProgram) {
    // The test program's folder, as the build names it and Windows then writes it.
    std::string path = "Z:" PRESOVOL_TEST_PROGRAM_FOLDER "\\catalogue.csv";
    std::replace(path.begin(), path.end(), '/', '\\');
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

} // namespace
