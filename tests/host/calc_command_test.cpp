// presovol-calc from its arguments to its output and exit code, as a shell runs it.
#include "cli/calc_command.h"
#include "base/csv.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Ran {
    int exit;
    std::string out, err;
};

Ran Calc(std::vector<std::string> args, const std::string& in = std::string()) {
    args.insert(args.begin(), "presovol-calc");
    std::istringstream input(in);
    std::ostringstream out, err;
    const int exit = cli::RunCalc(args, {input, out, err, false});
    return {exit, out.str(), err.str()};
}

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

std::string Sentence(const char* shown) {
    return std::string("根据您的参数计算出蓄能器所需容积为：") + shown + " 升。";
}

// One worked example per method; some inputs carry units.
struct Worked {
    std::vector<std::string> args;
    double volume; // from the formula's worked example
    const char* shown;
    bool realGas;
};

const Worked kWorked[] = {
    {{"aux", "deltaV=10", "n=1.4", "p0=9", "p1=10", "p2=20"}, 27.610259, "27.61", true},
    {{"shock-a", "rho=900 kg/m3", "A=100cm2", "l=200", "v=4", "P0=90bar", "P2=12"},
     7.4629823,
     "7.46",
     true},
    {{"shock-b", "Q=100", "P1=10", "P2=14", "L=50", "t=0"}, 1.148, "1.15", false},
    {{"shock-c", "Q=5 L/s", "L=150", "d=2cm", "P1=10 MPa", "P2=140", "P0=80", "t=0", "rho=0.9"},
     4.0975044,
     "4.10",
     true},
    {{"pulse-a", "A=0.001", "L=50mm", "k=0.6", "P1=10", "P2=12", "P0=8"}, 0.2881409, "0.29", true},
    {{"pulse-b", "Vp=0.1", "P1=10", "P2=12", "k=0.6"}, 1.065848, "1.07", true},
    {{"pulse-c", "deltaV=100 mL", "P1=10", "P2=12"}, 0.818959, "0.82", true},
    {{"pulse-d", "Vp=1 L/r", "deltaV=0.05", "Pp=10", "deltaP=0.5"}, 1.6666667, "1.67", false},
};

TEST(CalcCommand, WorkedExamplesInTextAndJson) {
    for (const Worked& w : kWorked) {
        SCOPED_TRACE(w.args[0]);
        const Ran text = Calc(w.args);
        EXPECT_EQ(text.exit, cli::kShown);
        EXPECT_EQ(FirstLine(text.out), Sentence(w.shown));
        EXPECT_NE(text.out.find("\n选型"), std::string::npos) << text.out;
        EXPECT_EQ(text.err, "");

        std::vector<std::string> args = w.args;
        args.push_back("--json");
        const Ran json = Calc(args);
        EXPECT_EQ(json.exit, cli::kShown);
        const nlohmann::json j = nlohmann::json::parse(json.out);
        EXPECT_EQ(j["method"], w.args[0]);
        EXPECT_NEAR(j["volume_l"].get<double>(), w.volume, 1e-6 * w.volume);
        EXPECT_EQ(j["shown"], w.shown);
        EXPECT_EQ(j["inputs"].size(), w.args.size() - 1);
        EXPECT_EQ(j["real_gas"].is_null(), !w.realGas);
        EXPECT_EQ(j["notes"][0]["code"], "pick");
        EXPECT_EQ(j["notes"][0]["text"], FirstLine(text.out.substr(text.out.find('\n') + 1)));
    }
}

TEST(CalcCommand, JsonHoldsTheInputsInTheirUnitsThePickAndTheRealGas) {
    const Ran run = Calc({"shock-c", "Q=5 L/s", "L=150", "d=2cm", "P1=10 MPa", "P2=140", "P0=80",
                          "t=0", "rho=900 kg/m³", "--json"});
    const nlohmann::json j = nlohmann::json::parse(run.out);
    EXPECT_EQ(j["inputs"]["Q"], 300);
    EXPECT_EQ(j["inputs"]["d"], 20);
    EXPECT_EQ(j["inputs"]["P1"], 100);
    EXPECT_EQ(j["inputs"]["rho"], 0.9);
    EXPECT_EQ(j["pick"]["nominal_l"], 6.3); // the next size above 4.10 L
    EXPECT_EQ(j["pick"]["units"], 1);
    EXPECT_EQ(j["pick"]["class_mpa"], 20);
    EXPECT_EQ(j["real_gas"]["process"], "isentropic");
    EXPECT_EQ(j["real_gas"]["temperature_c"], 20);

    // Above the common classes the class is null; at 50 °C the gas needs less correction.
    const std::vector<std::string> high = {"aux", "deltaV=10", "n=1.4", "p0=27", "p1=30", "p2=40"};
    std::vector<std::string> warm = high;
    warm.insert(warm.end(), {"--json", "--temperature", "50"});
    std::vector<std::string> room = high;
    room.push_back("--json");
    const nlohmann::json hot = nlohmann::json::parse(Calc(warm).out);
    const nlohmann::json cool = nlohmann::json::parse(Calc(room).out);
    EXPECT_TRUE(cool["pick"]["class_mpa"].is_null());
    EXPECT_EQ(hot["real_gas"]["temperature_c"], 50);
    EXPECT_GT(cool["real_gas"]["factor"].get<double>(), hot["real_gas"]["factor"].get<double>());
    EXPECT_GT(hot["real_gas"]["factor"].get<double>(), 1.0);
}

// A case without physical meaning: the formula's volume and the line that says why, nothing
// picked, corrected or performed.
TEST(CalcCommand, JsonOfACaseWithoutPhysicalMeaning) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"pulse-c", "deltaV=0.1", "P1=-8", "P2=-10", "--json"},
          std::vector<std::string>{"shock-c", "Q=300", "L=150", "d=20", "P1=140", "P2=100", "P0=50",
                                   "t=0", "rho=0.9", "--json"}}) {
        SCOPED_TRACE(args[0]);
        const Ran run = Calc(args);
        EXPECT_EQ(run.exit, cli::kShown);
        const nlohmann::json j = nlohmann::json::parse(run.out);
        EXPECT_GT(j["volume_l"].get<double>(), 0.0);
        EXPECT_EQ(j["corrected_l"], j["volume_l"]);
        for (const char* none :
             {"pick", "absolute_factor", "temperature", "real_gas", "performance"}) {
            EXPECT_TRUE(j[none].is_null()) << none;
        }
        ASSERT_EQ(j["notes"].size(), 1u);
        EXPECT_EQ(j["notes"][0]["code"], args[0] == "shock-c" ? "shock-p2" : "negative");
    }
}

// The road example over -10 to 50 °C, filled at 20 °C: what the temperatures do, in the JSON.
TEST(CalcCommand, JsonHoldsTheTemperatures) {
    const nlohmann::json j =
        nlohmann::json::parse(Calc({"aux", "deltaV=10", "n=1.4", "p0=9", "p1=10", "p2=20",
                                    "t_min=263.15 K", "t_max=50℃", "--json"})
                                  .out);
    const nlohmann::json& t = j["temperature"];
    EXPECT_EQ(t["fill_c"], 20);
    EXPECT_EQ(t["min_c"], -10);
    EXPECT_NEAR(t["max_c"].get<double>(), 50, 1e-12);
    EXPECT_EQ(t["sizing_c"], -10);
    EXPECT_NEAR(t["factor"].get<double>(), 1.1914, 1e-4);
    EXPECT_NEAR(t["precharge_min_mpa"].get<double>(), 7.021, 1e-3);
    EXPECT_NEAR(t["fill_mpa"].get<double>(), 8.013, 1e-3);
    EXPECT_NEAR(j["absolute_factor"].get<double>(), 1.00485, 1e-5);
    EXPECT_NEAR(j["corrected_l"].get<double>(), 37.39, 0.005);
    EXPECT_EQ(j["pick"]["nominal_l"], 40);
    EXPECT_EQ(j["real_gas"]["temperature_c"], -10);
    // Shock B takes no temperatures; pulsation C has no precharge to follow them.
    EXPECT_TRUE(nlohmann::json::parse(
                    Calc({"shock-b", "--defaults", "Q=100", "P1=10", "P2=14", "L=50", "--json"})
                        .out)["temperature"]
                    .is_null());
    const nlohmann::json c = nlohmann::json::parse(
        Calc({"pulse-c", "deltaV=0.1", "P1=10", "P2=12", "--temperature", "0", "--json"}).out);
    EXPECT_EQ(c["temperature"]["min_c"], 0);
    EXPECT_EQ(c["temperature"]["factor"], 1);
    EXPECT_TRUE(c["temperature"]["fill_mpa"].is_null());
}

TEST(CalcCommand, SolvesAnyInputForAVolume) {
    const Ran p0 = Calc({"aux", "--solve", "p0", "--volume", "27.61", "--ideal", "deltaV=10",
                         "n=1.4", "p1=10", "p2=20"});
    EXPECT_EQ(p0.exit, cli::kShown);
    EXPECT_EQ(p0.out, "p0 = 9.00 MPa\n");
    // Two precharges for shock A, the volume with a unit.
    const nlohmann::json two =
        nlohmann::json::parse(Calc({"shock-a", "rho=0.9", "A=0.01", "l=200", "v=4", "P2=12",
                                    "--solve", "P0", "--volume", "2.1134 gal", "--json"})
                                  .out)["solve"];
    EXPECT_EQ(two["name"], "P0");
    EXPECT_EQ(two["unit"], "MPa");
    EXPECT_EQ(two["values"].size(), 2u);
    EXPECT_NEAR(two["volume_l"].get<double>(), 8.0, 1e-4);
    EXPECT_EQ(two["ideal"], false);
    // A batch row solves with its solve and volume columns, one result row for each value.
    const Ran batch = Calc({"--batch", "-"}, "method,rho,A,l,v,P0,P2,solve,volume\n"
                                             "shock-a,0.9,0.01,200,4,,12,P0,8\n");
    EXPECT_EQ(std::count(batch.out.begin(), batch.out.end(), '\n'), 3) << batch.out;
    EXPECT_NE(batch.out.find(",12,P0,8,"), std::string::npos) << batch.out;
}

TEST(CalcCommand, ExitCodesAndMessages) {
    const struct {
        std::vector<std::string> args;
        int exit;
        const char* code;  // of the JSON error
        const char* input; // the input it names, or null
        const char* says;  // part of the message
    } cases[] = {
        {{"aux", "deltaV=10", "n=1.4", "p0=9", "p1=20", "p2=10"},
         cli::kNoVolume,
         "invalid",
         nullptr,
         "输入的参数有误，请重新输入！"},
        {{"aux", "--defaults"}, cli::kNoVolume, "invalid", nullptr, "请重新输入"},
        {{"aux", "deltaV=10", "n=1.4"}, cli::kUsage, "missing", "p0", "p0 p1 p2"},
        {{"aux", "deltaV=10", "n=1.4", "p0=9", "p1=10 L", "p2=20"},
         cli::kUsage,
         "number",
         "p1",
         "MPa bar kPa Pa psi"},
        {{"aux", "deltaV=10", "n=1.4 s", "p0=9", "p1=10", "p2=20"},
         cli::kUsage,
         "number",
         "n",
         "不带单位"},
        {{"aux", "deltaV=10", "x=1"}, cli::kUsage, "input", "x", "deltaV n p0 p1 p2"},
        {{"aux", "deltaV=1", "deltaV=2"}, cli::kUsage, "input", "deltaV", "不止一次"},
        {{"aux", "deltaV"}, cli::kUsage, "usage", nullptr, "名称=数值"},
        {{"pulse-x", "a=1"}, cli::kUsage, "method", nullptr, "pulse-x"},
        {{}, cli::kUsage, "usage", nullptr, "--batch"},
        {{"aux", "--temperature", "warm"}, cli::kUsage, "usage", nullptr, "--temperature"},
        {{"aux", "--temperature", "nan"}, cli::kUsage, "usage", nullptr, "--temperature"},
        {{"aux", "--batch", "x.csv"}, cli::kUsage, "usage", nullptr, "--batch"},
        {{"aux", "--out", "x.csv", "--defaults"}, cli::kUsage, "usage", nullptr, "--out"},
        {{"aux", "--temperature", "301"}, cli::kUsage, "usage", nullptr, "-100～300"},
        {{"aux", "--defaults", "t_min=cold"}, cli::kUsage, "number", "t_min", "°F"},
        {{"aux", "--defaults", "t_fill=-101"}, cli::kUsage, "temperature", "t_fill", "充气温度"},
        {{"aux", "--defaults", "t_fill=-148°F"}, cli::kNoVolume, "invalid", nullptr, "重新输入"},
        {{"aux", "--defaults", "t_max=573.15K"}, cli::kNoVolume, "invalid", nullptr, "重新输入"},
        {{"aux", "--defaults", "t_fill=-100.01"}, cli::kUsage, "temperature", "t_fill", "充气"},
        {{"aux", "--defaults", "t_max=300.01"}, cli::kUsage, "temperature", "t_max", "最高"},
        {{"aux", "--defaults", "t_min=20.01"}, cli::kUsage, "temperature", "t_min", "高于"},
        {{"aux", "--defaults", "t_min=30", "t_max=20 °C"},
         cli::kUsage,
         "temperature",
         "t_min",
         "最低工作温度不能高于"},
        {{"aux", "--defaults", "t_max=1", "t_max=2"}, cli::kUsage, "input", "t_max", "不止一次"},
        {{"shock-b", "--defaults", "t_min=0"}, cli::kUsage, "input", "t_min", "不取温度"},
        {{"aux", "--defaults", "--temperature", "5", "t_max=9"},
         cli::kUsage,
         "usage",
         nullptr,
         "t_max"},
        {{"--batch", "x.csv", "--out-encoding", "gbk"},
         cli::kUsage,
         "usage",
         nullptr,
         "--out 文件"},
        {{"shock-a", "rho=0.9", "A=0.01", "l=200", "v=4", "P2=12", "--solve", "P0", "--volume",
          "1"},
         cli::kNoVolume,
         "no-value",
         "P0",
         "0～100 MPa"},
        {{"pulse-a", "A=0.001", "L=0.05", "k=0.6", "P1=16e6", "P0=14.4e6", "--solve", "P2",
          "--volume", "0.001"},
         cli::kNoVolume,
         "no-value",
         "P2",
         "0～100000000 Pa"},
        {{"aux", "--defaults", "--solve", "q", "--volume", "8"}, cli::kUsage, "input", "q", "q"},
        {{"aux", "--defaults", "--solve", "p0"}, cli::kUsage, "usage", nullptr, "--volume"},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const std::string& arg : c.args) {
            line += arg + " ";
        }
        SCOPED_TRACE(line);
        const Ran text = Calc(c.args);
        EXPECT_EQ(text.exit, c.exit);
        EXPECT_EQ(text.out, "");
        EXPECT_NE(text.err.find(c.says), std::string::npos) << text.err;

        std::vector<std::string> args = c.args;
        args.push_back("--json");
        const Ran json = Calc(args);
        EXPECT_EQ(json.exit, c.exit);
        const nlohmann::json error = nlohmann::json::parse(json.out)["error"];
        EXPECT_EQ(error["code"], c.code);
        EXPECT_EQ(error["input"], c.input != nullptr ? nlohmann::json(c.input) : nlohmann::json());
        EXPECT_EQ(error["text"].get<std::string>() + "\n", text.err);
    }
}

TEST(CalcCommand, DefaultsAndHelp) {
    // n takes the dialog's 1.
    const Ran run = Calc({"aux", "--defaults", "deltaV=10", "p0=9", "p1=10", "p2=20"});
    EXPECT_EQ(run.exit, cli::kShown);
    EXPECT_EQ(FirstLine(run.out), Sentence("22.22"));

    const Ran help = Calc({"--help"});
    EXPECT_EQ(help.exit, 0);
    for (const char* method : {"aux", "shock-a", "shock-b", "shock-c", "pulse-a", "pulse-b",
                               "pulse-c", "pulse-d", "--batch", "--json", "--temperature"}) {
        EXPECT_NE(help.out.find(method), std::string::npos) << method;
    }
    // The descriptions stand in one column.
    for (const char* row : {"\n  --defaults              没给出的输入取计算器的初始值\n",
                            "\n  --temperature C         最低和最高工作温度",
                            "\n  --sheet FILE            把计算书写入 HTML 文件\n"}) {
        EXPECT_NE(help.out.find(row), std::string::npos) << row << "\n" << help.out;
    }
    const Ran methodHelp = Calc({"shock-c", "--help"});
    EXPECT_EQ(methodHelp.exit, 0);
    for (const char* row : {"Q       Q      L/min  阀口关闭前管内流量，L/min",
                            "t       t      —      流体减速/阀口关闭时间，突然关闭t=0"}) {
        EXPECT_NE(methodHelp.out.find(row), std::string::npos) << row << "\n" << methodHelp.out;
    }
}

TEST(CalcCommand, SheetIsWrittenWholeOrNotAtAll) {
    const std::vector<std::string> aux = {"aux", "deltaV=10", "n=1.4", "p0=9", "p1=10", "p2=20"};
    std::vector<std::string> args = aux;
    args.insert(args.end(), {"--sheet", "calc_command_test_sheet.html"});
    EXPECT_EQ(Calc(args).exit, cli::kShown);
    std::ifstream file("calc_command_test_sheet.html", std::ios::binary);
    const std::string html((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(html.find("27.61 升"), std::string::npos);
    std::remove("calc_command_test_sheet.html");

    // A folder stands where the page should go: the page written beside it is removed again.
    const std::string folder = "calc_command_test_folder.html";
    std::filesystem::create_directory(folder);
    args = aux;
    args.insert(args.end(), {"--sheet", folder});
    const Ran failed = Calc(args);
    EXPECT_EQ(failed.exit, cli::kUsage);
    EXPECT_NE(failed.err.find(folder + "："), std::string::npos) << failed.err;
    EXPECT_FALSE(std::filesystem::exists(folder + ".part"));
    std::filesystem::remove(folder);
    EXPECT_EQ(Calc({"aux", "--defaults", "deltaV=1", "p0=1", "p1=2", "p2=3", "--sheet",
                    "no such folder/x.html"})
                  .exit,
              cli::kUsage);
}

// Saved sheets calculated again, with an input given on the line; --check tells the one whose
// stored result no longer comes out, and the one that cannot be read.
TEST(CalcCommand, FromRecalculatesSheetsAndCheckFindsTheChangedOne) {
    const std::string same = "calc_command_test_same.html";
    const std::string changed = "calc_command_test_changed.html";
    const std::string page = "calc_command_test_page.html";
    std::vector<std::string> aux = {"aux",   "deltaV=10", "n=1.4",   "p0=90 bar", "p1=10",
                                    "p2=20", "t_min=-10", "--sheet", same};
    ASSERT_EQ(Calc(aux).exit, cli::kShown);
    ASSERT_EQ(Calc({"shock-b", "Q=100", "P1=10", "P2=14", "L=50", "t=0", "--sheet", changed}).exit,
              cli::kShown);
    // As if the formula had given 1.2 litres when the sheet was saved.
    std::ifstream file(changed, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::size_t volume = text.find("\"volume_l\":") + 11;
    std::ofstream(changed, std::ios::binary)
        << text.replace(volume, text.find(',', volume) - volume, "1.2");
    std::ofstream(page, std::ios::binary) << "<html><body>Hello</body></html>";

    const Ran check = Calc({"--from", same, changed, page, "--check"});
    EXPECT_EQ(check.exit, cli::kNoVolume);
    EXPECT_EQ(check.out, same + "：相同\n" + changed + "：不同：容积（升） 1.20 → 1.15\n" + page +
                             "：无法重算：文件不是 Presovol 的计算书。\n");
    EXPECT_EQ(Calc({"--from", same, "--check"}).exit, cli::kShown);
    EXPECT_EQ(nlohmann::json::parse(Calc({"--from", changed, "--check", "--json"}).out),
              nlohmann::json::parse("[{\"file\":\"" + changed +
                                    "\",\"same\":false,\"differences\":[{\"field\":\"volume_l\","
                                    "\"sheet\":\"1.20\",\"today\":\"1.15\"}]}]"));

    // An input on the line takes the place of the sheet's, as if typed into the calculator.
    aux[4] = "p1=9";
    aux.resize(7);
    EXPECT_EQ(Calc({"--from", same, "p1=9"}).out, Calc(aux).out);
    EXPECT_EQ(Calc({"--from", "p1=9"}).exit, cli::kUsage);
    for (const std::string& file : {same, changed, page}) {
        std::remove(file.c_str());
    }
}

// The fields of one CSV line as RFC 4180 quotes them.
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') {
            quoted = !quoted;
            if (!quoted && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                quoted = true;
                ++i;
            }
        } else if (line[i] == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += line[i];
        }
    }
    return fields;
}

TEST(CalcCommand, BatchGoesOnPastBadRows) {
    const std::string csv = "\xEF\xBB\xBFmethod,deltaV,n,p0,p1,p2,Q,P1,P2,L,t\r\n"
                            "aux,10,1.4,9,10,20,,,,,\r\n"
                            "\r\n"
                            "\"shock-b\",,,,,,\"100 L/min\",10,\"14\",50,0\r\n"
                            "shock-b,,,,,,100,10,\"1,4\",50,0\r\n"
                            ",,,,\n"
                            "pulse-x,1\n"
                            "aux,10,1.4,9,20,10\n"
                            "aux,10,1.4,90 bar,10,20,1,2,3\n";
    const char* const path = "calc_command_test_batch.csv";
    std::ofstream(path, std::ios::binary) << csv;
    for (bool fromStdin : {false, true}) {
        const Ran run = fromStdin ? Calc({"--batch", "-"}, csv) : Calc({"--batch", path});
        EXPECT_EQ(run.exit, cli::kNoVolume);
        std::vector<std::vector<std::string>> rows;
        std::istringstream out(run.out);
        for (std::string line; std::getline(out, line);) {
            ASSERT_EQ(line.back(), '\r');
            line.pop_back();
            rows.push_back(Fields(line));
        }
        ASSERT_EQ(rows.size(), 7u) << run.out;
        EXPECT_EQ(rows[0], (std::vector<std::string>{"method",
                                                     "deltaV",
                                                     "n",
                                                     "p0",
                                                     "p1",
                                                     "p2",
                                                     "Q",
                                                     "P1",
                                                     "P2",
                                                     "L",
                                                     "t",
                                                     "volume_l",
                                                     "shown",
                                                     "nominal_l",
                                                     "units",
                                                     "class_mpa",
                                                     "real_gas_factor",
                                                     "real_gas_volume_l",
                                                     "status",
                                                     "message"}));
        for (const auto& row : rows) {
            EXPECT_EQ(row.size(), 20u);
        }
        const auto tail = [&](std::size_t r, std::size_t from) {
            return std::vector<std::string>(rows[r].begin() + from, rows[r].begin() + 20);
        };
        EXPECT_EQ(rows[1][12], "27.61");
        EXPECT_EQ(tail(1, 13)[0], "32");
        EXPECT_EQ(tail(1, 13)[2], "20");
        EXPECT_NEAR(std::stod(rows[1][16]), 1.1458, 1e-4);
        EXPECT_EQ(tail(1, 18), (std::vector<std::string>{"ok", ""}));
        // Quoted fields and units; the inputs in their fields' units.
        EXPECT_EQ(std::vector<std::string>(rows[2].begin(), rows[2].begin() + 13),
                  (std::vector<std::string>{"shock-b", "", "", "", "", "", "100", "10", "14", "50",
                                            "0", "1.1480000000000001", "1.15"}));
        EXPECT_EQ(tail(2, 16), (std::vector<std::string>{"", "", "ok", ""}));
        // The bad rows keep what they were given, and say why.
        EXPECT_EQ(rows[3][8], "1,4");
        EXPECT_EQ(rows[3][18], "error");
        EXPECT_NE(rows[3][19].find("P2"), std::string::npos);
        EXPECT_EQ(rows[4][18], "error");
        EXPECT_NE(rows[4][19].find("pulse-x"), std::string::npos);
        EXPECT_EQ(tail(5, 18), (std::vector<std::string>{"error", "输入的参数有误，请重新输入！"}));
        EXPECT_EQ(rows[6][3], "9");
        EXPECT_EQ(rows[6][18], "ok");
    }
    std::remove(path);
}

// The temperature columns, read for the methods whose formula holds a gas law.
// The road example discharged in one minute: the thermal model in the JSON, which stays null
// without a discharge time; a batch reads the discharge's columns for aux only; what is refused.
TEST(CalcCommand, JsonAndBatchWithADischargeTime) {
    const std::vector<std::string> road = {"aux", "deltaV=10", "n=1.4", "p0=9", "p1=10", "p2=20"};
    const auto json = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = road;
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back("--json");
        const Ran run = Calc(args);
        EXPECT_EQ(run.exit, cli::kShown) << run.err;
        return nlohmann::json::parse(run.out);
    };
    const nlohmann::json j = json({"t_discharge=1 min"});
    const nlohmann::json& t = j["thermal"];
    EXPECT_EQ(t["discharge_s"], 60);
    EXPECT_EQ(t["tau_estimated"], true);
    EXPECT_NEAR(t["tau_s"].get<double>(), 27.0, 0.5);
    EXPECT_NEAR(t["discharge_index"].get<double>(), 1.315, 0.005);
    EXPECT_NEAR(t["volume_l"].get<double>(), 30.47, 0.005);
    EXPECT_EQ(t["volume_l"], j["corrected_l"]);
    EXPECT_NEAR(t["gas_end_c"].get<double>(), -5.9, 0.05);
    EXPECT_EQ(t["sizing_c"], 20);
    EXPECT_NEAR(j["performance"]["value"].get<double>(), 10.58, 0.005);
    std::vector<std::string> codes;
    for (const auto& note : j["notes"]) {
        codes.push_back(note["code"]);
    }
    EXPECT_EQ(codes, (std::vector<std::string>{"pick", "performance", "thermal", "thermal-n",
                                               "precharge", "gas-cold"}));
    const nlohmann::json typed = json({"t_discharge=60", "tau=3 min", "--temperature", "-10"});
    EXPECT_EQ(typed["thermal"]["tau_s"], 180);
    EXPECT_EQ(typed["thermal"]["tau_estimated"], false);
    EXPECT_EQ(typed["thermal"]["sizing_c"], -10);
    EXPECT_TRUE(json({})["thermal"].is_null());
    EXPECT_TRUE(json({"tau=30"})["thermal"].is_null());

    // A millisecond is the isentrope of the charged gas: 45.69 L, a 50 L accumulator.
    const Ran batch =
        Calc({"--batch", "-"}, "method,deltaV,n,p0,p1,p2,t_discharge,tau,Q,P1,P2,L,t\n"
                               "aux,10,1.4,9,10,20,1 ms,,,,,,\n"
                               "aux,10,1.4,9,10,20,0.001,,,,,,\n"
                               "aux,10,1.4,9,10,20,,,,,,,\n"
                               "shock-b,,,,,,0.001,30,100,10,14,50,0\n");
    std::vector<std::vector<std::string>> rows;
    std::istringstream out(batch.out);
    for (std::string line; std::getline(out, line);) {
        rows.push_back(Fields(line.substr(0, line.size() - 1)));
    }
    ASSERT_EQ(rows.size(), 5u) << batch.out;
    EXPECT_EQ(rows[1][20], "error"); // "ms" is no unit of a time
    EXPECT_EQ(rows[2][15], "50");
    EXPECT_EQ(rows[3][15], "32");
    EXPECT_EQ(rows[4][20], "ok");

    const struct {
        std::vector<std::string> args;
        const char* code;
        const char* input;
    } refused[] = {
        {{"t_discharge=0"}, "discharge", "t_discharge"},
        {{"t_discharge=60", "tau=-1 h"}, "discharge", "tau"},
        {{"t_discharge=10 L"}, "number", "t_discharge"},
        {{"t_discharge=60", "t_discharge=90"}, "input", "t_discharge"},
    };
    for (const auto& r : refused) {
        std::vector<std::string> args = road;
        args.insert(args.end(), r.args.begin(), r.args.end());
        args.push_back("--json");
        const Ran run = Calc(args);
        EXPECT_EQ(run.exit, cli::kUsage) << r.args[0];
        const nlohmann::json error = nlohmann::json::parse(run.out)["error"];
        EXPECT_EQ(error["code"], r.code);
        EXPECT_EQ(error["input"], r.input);
    }
    const Ran shockB = Calc({"shock-b", "Q=100", "P1=10", "P2=14", "L=50", "t=0", "tau=30"});
    EXPECT_EQ(shockB.exit, cli::kUsage);
    EXPECT_EQ(shockB.err, "方法 shock-b 不取热时间常数 tau。\n");
}

TEST(CalcCommand, BatchTakesTheTemperatures) {
    const Ran run = Calc({"--batch", "-"}, "method,deltaV,n,p0,p1,p2,t_min,t_max,Q,P1,P2,L,t\n"
                                           "aux,10,1.4,9,10,20,-10 °C,50,,,,,\n"
                                           "shock-b,,,,,,-10,50,100,10,14,50,0\n"
                                           "aux,10,1.4,9,10,20,60,50,,,,,\n");
    std::vector<std::vector<std::string>> rows;
    std::istringstream out(run.out);
    for (std::string line; std::getline(out, line);) {
        rows.push_back(Fields(line.substr(0, line.size() - 1)));
    }
    ASSERT_EQ(rows.size(), 4u) << run.out;
    EXPECT_EQ(rows[1][6], "-10 °C"); // as typed
    EXPECT_EQ(rows[1][15], "40");    // the pick for -10 to 50 °C
    EXPECT_EQ(rows[2][20], "ok");
    EXPECT_EQ(rows[3][20], "error");
    EXPECT_NE(rows[3][21].find("最低工作温度不能高于最高工作温度"), std::string::npos);
}

TEST(CalcCommand, BatchWritesItsOutFileAndRefusesWhatItCannotRead) {
    const char* const out = "calc_command_test_out.csv";
    const Ran run =
        Calc({"--batch", "-", "--out", out}, "method,Q,P1,P2,L,t\nshock-b,100,10,14,50,0\n");
    EXPECT_EQ(run.exit, cli::kShown);
    EXPECT_EQ(run.out, "");
    std::ifstream file(out, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(file)),
                              std::istreambuf_iterator<char>());
    EXPECT_EQ(written.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(written.find("\r\nshock-b,100,10,14,50,0,1.1480000000000001,1.15,"),
              std::string::npos);
    std::remove(out);

    EXPECT_EQ(Calc({"--batch", "no such file.csv"}).exit, cli::kUsage);
    EXPECT_EQ(Calc({"--batch", "-"}, "").exit, cli::kUsage);
    EXPECT_EQ(Calc({"--batch", "-"}, "Q,P1\n").exit, cli::kUsage);
    EXPECT_EQ(Calc({"--batch", "-"}, "method,volume_l\n").exit, cli::kUsage);
    EXPECT_EQ(Calc({"--batch", "-"}, "method,Q,Q\n").exit, cli::kUsage);
    // A header alone: nothing failed.
    EXPECT_EQ(Calc({"--batch", "-"}, "method,Q\n").exit, cli::kShown);
}

// An office's table: its own columns around the inputs (a station, a remark, one without a
// name), as UTF-8 and as a spreadsheet on a Chinese Windows saves it, in GBK.
TEST(CalcCommand, BatchCarriesTheTablesOwnColumnsInUtf8AndGbk) {
    const std::string utf8 = "method,站名,Q,P1,P2,L,t,p0,备注,\n"
                             "shock-b,一号,100,10,14,50,0.5,,\"乙,阀\",x\n"
                             "aux,二号,,,,,,9,甲,\n";
    const std::string gbk = "method,\xD5\xBE\xC3\xFB,Q,P1,P2,L,t,p0,\xB1\xB8\xD7\xA2,\n"
                            "shock-b,\xD2\xBB\xBA\xC5,100,10,14,50,0.5,,\"\xD2\xD2,\xB7\xA7\",x\n"
                            "aux,\xB6\xFE\xBA\xC5,,,,,,9,\xBC\xD7,\n";
    const Ran run = Calc({"--batch", "-"}, utf8);
    EXPECT_EQ(run.exit, cli::kNoVolume);
    EXPECT_EQ(run.out, "method,站名,Q,P1,P2,L,t,p0,备注,,volume_l,shown,nominal_l,units,class_mpa,"
                       "real_gas_factor,real_gas_volume_l,status,message\r\n"
                       "shock-b,一号,100,10,14,50,0.5,,\"乙,阀\",x,0.4480000000000001,0.45,0.63,1,"
                       "20,,,ok,\r\n"
                       "aux,二号,,,,,,9,甲,,,,,,,,,error,缺少输入：deltaV n p1 p2。请写作 "
                       "名称=数值，或加 --defaults 取计算器的初始值。\r\n");
    EXPECT_EQ(Calc({"--batch", "-"}, gbk).out, run.out);
    EXPECT_EQ(Calc({"--batch", "-"}, "\xEF\xBB\xBF" + utf8).out, run.out);

    // A name the batch reads, twice, or the name of a result is refused, named.
    for (const std::string header : {"method,deltaV,volume_l", "method,\xB1\xB8\xD7\xA2,status",
                                     "method,p0,备注,p0", "method,Q,method"}) {
        const Ran refused = Calc({"--batch", "-"}, header);
        EXPECT_EQ(refused.exit, cli::kUsage);
        EXPECT_NE(refused.err.find("“" + header.substr(header.rfind(',') + 1) + "”"),
                  std::string::npos)
            << refused.err;
    }
    EXPECT_EQ(Calc({"--batch", "-"}, "method,备注,备注\n").exit, cli::kShown);
}

TEST(Csv, ReadsRfc4180Records) {
    const std::string text = "\xEF\xBB\xBF"
                             "a,\"b,c\",\"d\"\"e\"\r\n"
                             "\"two\nlines\",\"\",x\"y\n"
                             "\r"
                             "last,\"open";
    std::istringstream in(text);
    base::CsvReader reader(in);
    std::vector<std::string> fields;
    const std::vector<std::vector<std::string>> expected = {
        {"a", "b,c", "d\"e"}, {"two\nlines", "", "x\"y"}, {""}, {"last", "open"}};
    for (const auto& record : expected) {
        ASSERT_EQ(reader.Next(fields), base::CsvReader::Status::Record);
        EXPECT_EQ(fields, record);
    }
    EXPECT_EQ(reader.Next(fields), base::CsvReader::Status::End);

    std::istringstream big(std::string(100, ',') + "\nnext\n");
    base::CsvReader bounded(big, 50);
    EXPECT_EQ(bounded.Next(fields), base::CsvReader::Status::TooLong);
    EXPECT_TRUE(fields.empty());
    EXPECT_EQ(bounded.Next(fields), base::CsvReader::Status::Record);
    EXPECT_EQ(fields, std::vector<std::string>{"next"});

    EXPECT_EQ(base::CsvField("plain"), "plain");
    EXPECT_EQ(base::CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(base::CsvField("say \"x\"\r\n"), "\"say \"\"x\"\"\r\n\"");
}

} // namespace
