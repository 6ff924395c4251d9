#include "cli/options.h"

#include "sizing/temperatures.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <memory>

namespace cli {

namespace {

using sizing::Input;
using sizing::Method;

// text followed by blanks up to width columns; a Chinese character takes two.
std::string Padded(const std::string& text, std::size_t width) {
    std::size_t columns = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0u) != 0x80u) {
            columns += c >= 0xE3 ? 2 : 1; // from U+3000 on: the wide characters
        }
    }
    return text + std::string(width > columns ? width - columns : 1, ' ');
}

// The method's inputs in columns: name, symbol, unit, hint; then the discharge's, where it takes
// one.
std::string InputTable(const Method& method) {
    const auto row = [](const Input& input) {
        return "  " + Padded(input.name, 8) + Padded(Text(input.label), 7) +
               Padded(*input.unit != '\0' ? input.unit : u8"—", 7) + Text(input.hint) + "\n";
    };
    std::string table = u8"输入：\n";
    for (std::size_t i = 0; i < method.inputCount; ++i) {
        table += row(method.inputs[i]);
    }
    if (method.roles.oil != sizing::kNoInput) {
        table += u8"可选：\n" + row(sizing::kDischargeInputs[sizing::kDischargeTime]) +
                 row(sizing::kDischargeInputs[sizing::kThermalTau]);
    }
    table += u8"公式：" + Text(method.formula);
    return table;
}

// The options and the methods, with the help that lists them, reading into settings.
void Describe(CLI::App& app, Settings& settings) {
    auto format = std::make_shared<CLI::Formatter>();
    format->label("Usage", u8"用法");
    format->label("OPTIONS", u8"选项");
    format->label("SUBCOMMAND", u8"方法");
    format->label("Positionals", u8"输入");
    format->column_width(26);
    app.formatter(format);
    app.option_defaults()->group(u8"选项");
    app.set_help_flag("-h,--help", u8"列出方法与选项；方法后加 --help 列出它的输入");
    app.add_flag("--defaults", settings.defaults, u8"没给出的输入取计算器的初始值");
    app.add_option("--temperature", settings.temperature,
                   u8"最低和最高工作温度，°C（默认 20）；也可写 t_fill= t_min= t_max=")
        ->type_name("C");
    app.add_flag("--json", settings.json, u8"输出一个 JSON 对象");
    app.add_option("--solve", settings.solve, u8"解出这个输入：使容积为 --volume 的值")
        ->type_name("NAME");
    app.add_option("--volume", settings.volume, u8"--solve 的容积，升，可带单位")->type_name("V");
    app.add_flag("--ideal", settings.ideal, u8"--solve 按公式的容积，不加修正");
    app.add_option("--sheet", settings.sheet, u8"把计算书写入 HTML 文件")->type_name("FILE");
    app.add_option("--from", settings.from,
                   u8"重算保存的计算书，可给多个；其后的 名称=数值 改计算书中的输入")
        ->type_name("FILE");
    app.add_flag("--check", settings.check,
                 u8"与 --from 同用：计算书所存的结果与现在的计算比较，每个文件一行");
    app.add_option("--catalogue", settings.catalogue,
                   u8"从这个型号目录（CSV）选型，而非程序旁或用户设置中的 catalogue.csv")
        ->type_name("FILE");
    app.add_option("--batch", settings.batch, u8"逐行计算 CSV 文件（- 为标准输入）")
        ->type_name("FILE");
    app.add_option("--out", settings.out, u8"--batch 的结果写入此文件，而非标准输出")
        ->type_name("FILE");
    app.add_option("--columns", settings.columns,
                   u8"--batch 只写这些结果列，按所给次序，以逗号分隔（如 volume_l,model,fill_mpa）")
        ->type_name("LIST");
    app.add_option("--out-encoding", settings.outEncoding,
                   u8"--out 文件的编码：utf-8（默认，带 BOM）或 gbk")
        ->type_name("ENC");
    app.require_subcommand(0, 1);
    app.allow_extras();
    app.footer(u8"例：presovol-calc aux deltaV=10 n=1.4 p0=9 p1=10 p2=20\n"
               u8"    presovol-calc shock-c Q=300 L=150 d=20mm P1=10MPa P2=140bar P0=80 t=0 "
               u8"rho=0.9 --json\n"
               u8"    presovol-calc --from 计算书.html p1=9\n"
               u8"    presovol-calc --from *.html --check\n"
               u8"数值可带单位，写在数后，可隔空格：150 bar、500 mL、6 m3/h、20 cm、100 "
               u8"cm2、900 kg/m3。");
    for (const Method& method : sizing::kMethods) {
        CLI::App* sub =
            app.add_subcommand(method.name, Text(method.title) + u8"：" + Text(method.caption));
        sub->group(u8"方法");
        sub->fallthrough();
        sub->get_help_ptr()->group(u8"选项");
        sub->add_option("inputs", settings.inputs, u8"各输入的值，可带单位")
            ->type_name(u8"名称=数值")
            ->group(u8"输入");
        sub->footer(InputTable(method));
        sub->callback([&settings, &method] { settings.method = &method; });
    }
}

} // namespace

std::optional<int> ReadOptions(const std::vector<std::string>& args, Run& run) {
    Settings& s = run.settings;
    s.json = std::find(args.begin(), args.end(), "--json") != args.end();
    CLI::App app(u8"按八种方法计算液压蓄能器的公称容积。", "presovol-calc");
    Describe(app, s);
    std::vector<const char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(arg.c_str());
    }
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e, run.streams.out, run.streams.err);
    } catch (const CLI::ParseError& e) {
        return Fail(run, Usage(u8"命令行有误：" + std::string(e.what())));
    }
    // What is left over names no method, or stands where none is wanted.
    const std::vector<std::string> extras = app.remaining();
    if (!extras.empty()) {
        return Fail(run, s.method == nullptr && s.batch.empty()
                             ? UnknownMethod(extras[0])
                             : Usage(u8"多余的参数：" + extras[0]));
    }
    return std::nullopt;
}

std::optional<Failure> CheckSettings(const Settings& s) {
    if (s.check && s.from.empty()) {
        return Usage(u8"--check 只与 --from 同用。");
    }
    if (!s.from.empty()) {
        if (s.method != nullptr || !s.batch.empty() || !s.out.empty() || s.columns ||
            !s.solve.empty()) {
            return Usage(u8"--from 不与计算方法、--batch、--out、--columns 或 --solve "
                         u8"同用：方法写在计算书里。");
        }
        if (s.files.empty()) {
            return Usage(u8"--from 后请给出计算书文件。");
        }
        // The batch's own columns are no inputs of a sheet.
        for (const auto& [name, value] : s.overrides) {
            if (name == "solve" || name == "volume") {
                return Usage(u8"“" + name + "=" + value +
                             u8"”不能用于 --from：solve 和 volume 是 "
                             u8"--batch 的 CSV 列；--from 后的 名称=数值 只改计算书的输入和温度。");
            }
        }
        if (s.temperature) {
            return Usage(u8"改计算书的温度请写 t_min= 和 t_max=，不用 --temperature。");
        }
        if (!s.sheet.empty() && (s.check || s.files.size() != 1)) {
            return Usage(u8"--sheet 只写一份计算书：与 --from 同用时只给一个文件，不加 --check。");
        }
        return std::nullopt;
    }
    if (s.temperature && !(*s.temperature >= sizing::kLowestTemperature &&
                           *s.temperature <= sizing::kHighestTemperature)) {
        return Usage(u8"--temperature 须是 -100～300 之间的摄氏温度。");
    }
    if (!s.outEncoding.empty()) {
        if (!IsOutEncoding(s, "utf-8") && !IsOutEncoding(s, "gbk")) {
            return Usage(u8"--out-encoding 须是 utf-8 或 gbk。");
        }
        if (s.out.empty()) {
            return Usage(u8"--out-encoding 只用于 --out 文件；标准输出按系统的编码写出。");
        }
    }
    if (s.solve.empty() != s.volume.empty() || (s.ideal && s.solve.empty())) {
        return Usage(u8"--solve 和 --volume 须一同给出；--ideal 只用于 --solve。");
    }
    if (!s.solve.empty() && (!s.batch.empty() || !s.sheet.empty())) {
        return Usage(u8"--solve 只用于单个算例，不与 --batch、--sheet 同用；批量时用 CSV 的 "
                     u8"solve 和 volume 列。");
    }
    if (s.batch.empty()) {
        if (s.method == nullptr) {
            return Usage(u8"请给出计算方法（" + sizing::MethodNames() +
                         u8"）和它的输入，或用 --batch 读入 CSV 文件；详见 presovol-calc --help。");
        }
        if (!s.out.empty()) {
            return Usage(u8"--out 只用于 --batch。");
        }
        if (s.columns) {
            return Usage(u8"--columns 只用于 --batch：它选 CSV 结果的列。");
        }
        return std::nullopt;
    }
    if (s.method != nullptr) {
        return Usage(u8"--batch 不与计算方法同用：方法写在 CSV 文件的 method 列。");
    }
    if (!s.sheet.empty() || s.json) {
        return Usage(u8"--sheet 和 --json 只用于单个算例；--batch 输出 CSV。");
    }
    return std::nullopt;
}

bool IsOutEncoding(const Settings& settings, std::string_view name) {
    const std::string& given = settings.outEncoding;
    return std::equal(given.begin(), given.end(), name.begin(), name.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

} // namespace cli
