// Files and bytes as a careless user, a foreign Windows or an attacker hands them to
// presovol-calc: each gets its answer and exit code, never a crash or an abort, and what is read
// keeps its characters.
#include "cli/calc_command.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

// text (UTF-8) in UTF-16 of the given order, with its byte order mark.
std::string Utf16(const std::string& text, const char* order) {
    const iconv_t convert = ::iconv_open(order, "UTF-8");
    std::string out(text.size() * 4 + 2, '\0');
    char* in = const_cast<char*>(text.data());
    char* to = &out[2];
    std::size_t inLeft = text.size(), outLeft = out.size() - 2;
    ::iconv(convert, &in, &inLeft, &to, &outLeft);
    ::iconv_close(convert);
    out.resize(out.size() - outLeft);
    out.replace(0, 2, std::string(order) == "UTF-16LE" ? "\xFF\xFE" : "\xFE\xFF");
    return out;
}

TEST(HostileFiles, EachGetsItsAnswerAndNothingIsGarbled) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "presovol-hostile-test";
    std::filesystem::create_directories(folder);
    const auto file = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        return (folder / name).string();
    };
    const std::vector<std::string> road = {"aux", "deltaV=10", "n=1.4", "p0=9", "p1=10", "p2=20"};
    const auto run = [](std::vector<std::string> args, std::string& out, std::string& err) {
        args.insert(args.begin(), "presovol-calc");
        std::istringstream in;
        std::ostringstream o, e;
        const int exit = cli::RunCalc(args, {in, o, e, false});
        out = o.str();
        err = e.str();
        return exit;
    };
    std::string sheet, unused;
    std::vector<std::string> save = road;
    save.insert(save.end(), {"--sheet", (folder / "good.html").string()});
    ASSERT_EQ(run(save, unused, unused), cli::kShown);
    {
        std::ifstream in(folder / "good.html", std::ios::binary);
        sheet.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // 100,000 levels in 200 KB: deep enough to overflow any stack that recursed on them.
    std::string deep = sheet;
    deep.insert(deep.find("\"version\":1,") + 12,
                "\"x\":" + std::string(100000, '[') + std::string(100000, ']') + ",");
    const std::string deepPath = file("deep.html", deep);
    const std::string tooDeep = u8"计算书的数据层次过深，不是 Presovol 的计算书。";
    // A batch whose one remark was saved in Latin-1 ("5 µm"), the rest UTF-8.
    const std::string batch = u8"method,deltaV,n,p0,p1,p2,备注\naux,10,1.4,9,10,20,主油路\n"
                              "aux,10,1.4,9,10,20,5 \xB5m\n";
    const std::string catalogue = u8"型号,型式,公称容积,公称压力,备注\n"
                                  u8"B-32/20,皮囊式,32,20,\nB-40/20,皮囊式,40,20,5 \xB5m 过滤\n";
    const std::string picked = u8"选型（按实际气体 31.79 升）：B-32/20（皮囊式，32 L，20 MPa）";
    const std::string gbkHeader =
        "\xD0\xCD\xBA\xC5,\xD0\xCD\xCA\xBD,\xB9\xAB\xB3\xC6\xC8\xDD\xBB\xFD"
        "\nB-1,\xC6\xA4\xC4\xD2\xCA\xBD,1\n"; // 型号,型式,公称容积

    const auto with = [&](std::vector<std::string> args, std::vector<std::string> more) {
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const struct {
        const char* what;
        std::vector<std::string> args;
        int exit;
        std::string out, err; // held in standard output and error; "" for anything
    } cases[] = {
        {"a sheet nested 100,000 deep",
         {"--from", deepPath},
         cli::kNoVolume,
         "",
         deepPath + u8"：" + tooDeep + "\n"},
        {"the same in JSON", {"--from", deepPath, "--json"}, cli::kNoVolume, tooDeep, ""},
        {"a byte that is no UTF-8 typed, in JSON",
         {"aux", "deltaV=10", "n=1.4", "p0=9\xFF", "p1=10", "p2=20", "--json"},
         cli::kUsage,
         u8"的值“9\uFFFD”不是一个数字",
         ""},
        {"a file name that is no UTF-8, in JSON",
         {"--from", file("caf\xE9.html", sheet), "--json"},
         cli::kShown,
         "caf\xEF\xBF\xBD.html",
         ""},
        {"solve= after --from",
         {"--from", (folder / "good.html").string(), "solve=p0"},
         cli::kUsage,
         "",
         u8"“solve=p0”不能用于 --from：solve 和 volume 是 --batch 的 CSV 列"},
        {"a stray Latin-1 byte in a UTF-8 batch",
         {"--batch", file("stray.csv", batch)},
         cli::kShown,
         u8"method,deltaV,n,p0,p1,p2,备注,volume_l,",
         u8"第 3 行“备注”的字节不是 UTF-8，按 GBK 读\n"},
        {"a UTF-16 LE batch",
         {"--batch", file("le.csv", Utf16(u8"method,deltaV,n,p0,p1,p2,备注\r\n"
                                          u8"aux,10,1.4,9,10,20,主油路\r\n",
                                          "UTF-16LE"))},
         cli::kShown,
         u8"\naux,10,1.4,9,10,20,主油路,27.61",
         ""},
        {"a UTF-16 BE batch without its header",
         {"--batch", file("be.csv", Utf16("aux,10\n", "UTF-16BE"))},
         cli::kUsage,
         "",
         u8"次序不限（文件按 UTF-16 BE 读）。"},
        {"a stray Latin-1 byte in a UTF-8 catalogue",
         with(road, {"--catalogue", file("stray-catalogue.csv", catalogue)}), cli::kShown,
         u8"\n型号目录第 3 行“备注”的字节不是 UTF-8，按 GBK 读；共 1 处。\n", ""},
        {"a UTF-16 BE catalogue",
         with(road, {"--catalogue", file("be-catalogue.csv", Utf16(catalogue, "UTF-16BE"))}),
         cli::kShown, picked, ""},
        {"a GBK catalogue without its pressure column",
         with(road, {"--catalogue", file("gbk-catalogue.csv", gbkHeader)}), cli::kShown,
         u8"未用：表头缺少“公称压力”列（文件按 GBK 读）；按内置系列选型。", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string out, err;
        EXPECT_EQ(run(c.args, out, err), c.exit) << out << err;
        EXPECT_NE(out.find(c.out), std::string::npos) << out;
        EXPECT_NE(err.find(c.err), std::string::npos) << err;
        if (std::find(c.args.begin(), c.args.end(), "--json") != c.args.end()) {
            EXPECT_TRUE(nlohmann::json::accept(out)) << out;
        }
    }
    std::filesystem::remove_all(folder);
}

} // namespace
