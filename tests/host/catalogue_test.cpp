// The user's catalogue file: how it is read, what is picked from it, and what the notes, the
// JSON and the batch of presovol-calc say about it.
#include "cli/calc_command.h"
#include "sizing/catalogue_file.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// What the reader kept, in one line: each row, then the rows skipped, or why the file is not used.
std::string Summary(const sizing::Catalogue& c) {
    static const char* const kWhy[] = {"missing", "no number", "not positive",
                                       "type",    "duplicate", "too long"};
    static const char* const kColumn[] = {"model", "type", "volume", "pressure", "ratio"};
    static const char* const kFault[] = {"", "too large", "unreadable", "no", "twice", "no rows"};
    std::ostringstream s;
    for (const sizing::CatalogueRow& row : c.rows) {
        s << row.model << " " << sizing::TypeKey(row.type) << " " << row.litres << " L " << row.mpa
          << " MPa " << row.maxRatio << "; ";
    }
    const sizing::SkippedRow& first = c.firstSkipped;
    if (c.skipped > 0) {
        s << "skipped " << c.skipped << ", first row " << first.number << ": "
          << kWhy[static_cast<int>(first.fault)] << " " << kColumn[static_cast<int>(first.column)]
          << " '" << first.cell << "' " << first.earlier << "; ";
    }
    const bool column = c.fault == sizing::FileFault::MissingColumn ||
                        c.fault == sizing::FileFault::DuplicateColumn;
    return s.str() + kFault[static_cast<int>(c.fault)] +
           (column ? std::string(" ") + kColumn[static_cast<int>(c.faultColumn)] : "");
}

const std::string kHeader = "型号,型式,公称容积,公称压力\r\n";
const std::string kGood = "B-32/20,皮囊式,32 L,200 bar\r\n隔膜-1,隔膜式,1000 mL,25\r\n";
const std::string kGoodRows = "B-32/20 bladder 32 L 20 MPa 4; 隔膜-1 diaphragm 1 L 25 MPa 8; ";

TEST(Catalogue, ReaderKeepsTheGoodRowsAndTellsTheFirstBadOne) {
    const struct {
        std::string bytes, read;
    } cases[] = {
        {"\xEF\xBB\xBF" + kHeader + kGood, kGoodRows},
        // The same file in GBK, as a spreadsheet on a Chinese Windows saves it.
        {"\xD0\xCD\xBA\xC5,\xD0\xCD\xCA\xBD,\xB9\xAB\xB3\xC6\xC8\xDD\xBB\xFD,"
         "\xB9\xAB\xB3\xC6\xD1\xB9\xC1\xA6\r\n"
         "B-32/20,\xC6\xA4\xC4\xD2\xCA\xBD,32 L,200 bar\r\n"
         "\xB8\xF4\xC4\xA4-1,\xB8\xF4\xC4\xA4\xCA\xBD,1000 mL,25\r\n",
         kGoodRows},
        // ASCII names in any order and case; quotes, a column of the user's, a blank line, a line
        // break in a cell.
        {"Pressure_MPa,note,MODEL,Volume_L,Type,max_ratio\n35,\"a, b\",\"P-50,\n特\",50,Piston,\n"
         ",,,,,\n10,,M-2,2,囊式,3.5\n",
         "P-50, 特 piston 50 L 35 MPa inf; M-2 bladder 2 L 10 MPa 3.5; "},
        {kHeader + ",皮囊式,10,20\n" + kGood,
         kGoodRows + "skipped 1, first row 2: missing model '' 0; "},
        {kHeader + kGood + "X,气囊式,10,20\n",
         kGoodRows + "skipped 1, first row 4: type type '气囊式' 0; "},
        {kHeader + kGood + "Y,皮囊式,abc,20\nZ,piston,10,\n",
         kGoodRows + "skipped 2, first row 4: no number volume 'abc' 0; "},
        {kHeader + kGood + "Z,piston,10\n",
         kGoodRows + "skipped 1, first row 4: missing pressure '' 0; "},
        {kHeader + kGood + "W,皮囊式,-1,20\n",
         kGoodRows + "skipped 1, first row 4: not positive volume '-1' 0; "},
        {"型号,型式,公称容积,公称压力,最大压比\n" + kGood + "W,皮囊式,1,20,0\n",
         kGoodRows + "skipped 1, first row 4: not positive ratio '0' 0; "},
        {kHeader + kGood + "B-32/20,活塞式,50,35\n",
         kGoodRows + "skipped 1, first row 4: duplicate model 'B-32/20' 2; "},
        {kHeader + kGood + "L," + std::string(70000, 'x') + "\n",
         kGoodRows + "skipped 1, first row 4: too long model '' 0; "},
        {"型号,型式,公称容积\nA,皮囊式,1\n", "no pressure"},
        {"型号,model,型式,公称容积,公称压力\n", "twice model"},
        {kHeader + "A,皮囊式,0,20\n", "skipped 1, first row 2: not positive volume '0' 0; no rows"},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(Summary(sizing::ReadCatalogue(test.bytes, "x.csv")), test.read) << test.bytes;
    }
}

// The pick over a small catalogue: ties of volume, the edges of the volume, the pressure and the
// ratio as shown, a piston with a ratio limit of its own, parallel units and the 1 L floor.
TEST(Catalogue, PickTakesTheSmallestRowThatHoldsThePressureAndTheRatio) {
    const sizing::Catalogue small =
        sizing::ReadCatalogue("型号,型式,公称容积,公称压力,最大压比\n"
                              "B-10/31.5,皮囊式,10,31.5,\nB-10/20,皮囊式,10,20,\n"
                              "B-10/20X,皮囊式,10,20,\nB-16/20,皮囊式,16,20,\n"
                              "D-0.5/25,隔膜式,0.5,25,\nD-1/25,隔膜式,1,25,\n"
                              "P-50/40,活塞式,50,40,12\nP-60/31.5,活塞式,60,31.5,\n",
                              "small.csv");
    using sizing::MethodId;
    const struct {
        MethodId method;
        double volume, highest, ratio;
        const char* pick; // model and units, or the limit unmet; then the limits passed over
    } cases[] = {
        {MethodId::Aux, 9, 20, 2, "B-10/20 x1"},
        {MethodId::Aux, 10.004, 20, 2, "B-10/20 x1"},
        {MethodId::Aux, 10.006, 20, 2, "B-16/20 x1"},
        {MethodId::Aux, 9, 20.004, 2, "B-10/20 x1"},
        {MethodId::Aux, 9, 20.006, 2, "B-10/31.5 x1"},
        {MethodId::Aux, 9, 20, 4.004, "B-10/20 x1"},
        {MethodId::Aux, 9, 20, 4.006, "P-50/40 x1 passed 4 0 0"},
        {MethodId::Aux, 0.8, 20, 8.004, "D-1/25 x1 passed 4 0 0"},
        {MethodId::Aux, 0.8, 20, 8.006, "P-50/40 x1 passed 4 8 0"},
        {MethodId::Aux, 0.3, 20, 2, "D-0.5/25 x1"},
        {MethodId::PulseC, 0.3, 20, NAN, "D-1/25 x1"},
        {MethodId::Aux, 55, 20, 2, "P-60/31.5 x1"},
        {MethodId::Aux, 90, 20, 2, "P-50/40 x2"},
        {MethodId::Aux, 130, 30, 2, "P-50/40 x3"},
        {MethodId::Aux, 130, 20, 13, "P-60/31.5 x3 passed 4 8 12"},
        {MethodId::Aux, 9, 40.01, 2, "none for the pressure"},
        {MethodId::Aux, 9, 35, 12.01, "none for the ratio passed 0 0 12"},
    };
    for (const auto& test : cases) {
        const sizing::Method& method = sizing::MethodOf(test.method);
        double values[sizing::kMaxInputs] = {};
        values[sizing::InputIndex(method, test.method == MethodId::Aux ? "p2" : "P2")] =
            test.highest;
        const sizing::Pick pick = sizing::PickFrom(small, method, values, test.volume, test.ratio);
        std::ostringstream s;
        if (pick.row) {
            s << pick.row->model << " x" << pick.units;
            EXPECT_EQ(pick.nominalLitres, pick.row->litres);
            EXPECT_EQ(pick.classMpa, pick.row->mpa);
        } else {
            s << "none for the " << (pick.unmet == sizing::Unmet::Pressure ? "pressure" : "ratio");
            EXPECT_EQ(pick.units, 0.0);
        }
        if (pick.passedOver[0] + pick.passedOver[1] + pick.passedOver[2] > 0) {
            s << " passed " << pick.passedOver[0] << " " << pick.passedOver[1] << " "
              << pick.passedOver[2];
        }
        EXPECT_EQ(s.str(), test.pick) << method.name << " " << test.volume << " L, " << test.highest
                                      << " MPa, ratio " << test.ratio;
    }
}

std::string Calc(std::vector<std::string> args, int expectedExit = cli::kShown) {
    args.insert(args.begin(), "presovol-calc");
    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunCalc(args, {in, out, err, false}), expectedExit) << err.str();
    return out.str();
}

// Files of bad rows, of a bad header, of one mebibyte and more, and the example of the release:
// where they are looked for, and what the notes (the pick's and the catalogue's lines, as "code:
// text"), the JSON and the batch of presovol-calc say of them. The calculators' tests under Wine
// take the example beside the program.
TEST(Catalogue, FilesThroughPresovolCalc) {
    const std::string example = PRESOVOL_EXAMPLE_CATALOGUE;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "presovol-catalogue-test";
    std::filesystem::create_directories(folder);
    const auto write = [&](const char* name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        return (folder / name).u8string();
    };
    const std::string bad = write("bad.csv", kHeader + kGood + "X,气囊式,10,20\nY,皮囊式,abc,20\n");
    const std::string refused = write("refused.csv", "型号,型式,公称容积\n");
    std::string largest = kHeader + kGood;
    largest.resize(sizing::kLargestCatalogue, '\n');
    EXPECT_EQ(sizing::LoadCatalogue({bad + "~"}), nullptr);
    EXPECT_EQ(sizing::LoadCatalogue({bad + "~", bad, refused})->source, bad);
    EXPECT_EQ(sizing::LoadCatalogue({folder, bad})->fault, sizing::FileFault::Unreadable);
    EXPECT_EQ(Summary(*sizing::LoadCatalogue({write("largest.csv", largest)})), kGoodRows);
    EXPECT_EQ(sizing::LoadCatalogue({write("large.csv", largest + "\n")})->fault,
              sizing::FileFault::TooLarge);

    const std::string skipped = "catalogue-rows: 型号目录第 4 行的型式“气囊式”未知：可写皮囊式、"
                                "囊式、隔膜式、活塞式，已跳过；共跳过 2 行。";
    const std::vector<std::string> road = {"aux", "deltaV=10", "n=1.4", "p0=9", "p1=10", "p2=20"};
    const std::vector<std::string> high = {"aux", "deltaV=10", "n=1.4", "p0=27", "p1=30", "p2=40"};
    const struct {
        std::vector<std::string> args;
        std::string file;
        std::vector<std::string> lines;
    } cases[] = {
        {{"pulse-c", "deltaV=0.1", "P1=10", "P2=12"},
         bad,
         {"pick: 选型（按绝对压力、实际气体 0.96 升）：隔膜-1（隔膜式，1 L，25 MPa）",
          "catalogue: 型号目录：" + bad, skipped}},
        {high,
         bad,
         {"pick: 选型（按实际气体 91.79 升）：型号目录中没有公称压力不低于 40.00 MPa 的型号",
          "catalogue: 型号目录：" + bad, skipped}},
        {{"aux", "deltaV=1", "n=1", "p0=2", "p1=10", "p2=20"},
         bad,
         {"pick: 选型（按绝对压力、实际气体 10.14 升）：型号目录中公称压力不低于 20.00 MPa "
          "的型号，最大压比都低于 p2/p0 = 10.00",
          "catalogue-ratio: p2/p0 = 10.00 高于皮囊式（4）、隔膜式（8）的最大压比，这些型号未选。",
          "catalogue: 型号目录：" + bad, skipped}},
        {road,
         refused,
         {"pick: 选型（按实际气体 31.79 升）：公称容积 32 L，公称压力 20 MPa",
          "catalogue: 型号目录 " + refused +
              " 未用：表头缺少“公称压力”列（文件按 UTF-8 读）；按内置系列选型。"}},
    };
    for (const auto& test : cases) {
        std::vector<std::string> args = test.args;
        args.insert(args.end(), {"--json", "--catalogue", test.file});
        const nlohmann::json json = nlohmann::json::parse(Calc(args));
        std::vector<std::string> lines;
        for (const auto& note : json["notes"]) {
            const std::string code = note["code"];
            if (code == "pick" || code.rfind("catalogue", 0) == 0) {
                lines.push_back(code + ": " + note["text"].get<std::string>());
            }
        }
        EXPECT_EQ(lines, test.lines);
    }
    std::vector<std::string> args = road;
    args.insert(args.end(), {"--json", "--catalogue", example});
    EXPECT_EQ(nlohmann::json::parse(Calc(args))["pick"],
              nlohmann::json::parse(R"({"nominal_l": 32, "units": 1, "class_mpa": 20,
                  "model": "B-32/20", "type": "bladder", "catalogue": ")" +
                                    example + "\"}"));
    Calc({"aux", "--defaults", "--catalogue", bad + "~"}, cli::kUsage);

    // The batch picks from the file too; where no row holds a case, its pick's cells stay empty.
    std::istringstream rows(
        Calc({"--batch",
              write("cases.csv", "method,deltaV,n,p0,p1,p2\n"
                                 "aux,10,1.4,9,10,20\naux,10,1.4,27,30,40\n"),
              "--catalogue", bad, "--columns", "shown,nominal_l,units,class_mpa,status"}));
    std::string header, held, unheld;
    std::getline(std::getline(std::getline(rows, header), held), unheld);
    EXPECT_NE(held.find(",27.61,32,1,20,"), std::string::npos) << held;
    EXPECT_NE(unheld.find(",,,,"), std::string::npos) << unheld;
    std::filesystem::remove_all(folder);
}

} // namespace
