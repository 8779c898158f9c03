// The xlhost command line: options, then one command, run against the library.
//   xlhost [--addin PATH] [--lang pt|en] [--registry FILE] COMMAND
//     eval FORMULA [--sheet BOOK.csv]   the value of one formula
//     calc BOOK.csv                     every formula of a sheet; the sheet as CSV of values
//     functions                         the function wizard
//     addins                            the Add-In Manager's line
//     chart BOOK.csv RANGE [--bw] --out FILE.xlsx
//                                       selects RANGE, runs the chart command, answers its dialog
//                                       with OK (ticking black and white for --bw) and saves the
//                                       new workbook
#include <filesystem>

#include "model/workbook.h"
#include "os/os.h"
#include "xlhost/host.h"

namespace xlhost {
namespace {

constexpr int status_ok = 0;
constexpr int status_load = 1;
constexpr int status_input = 2;
constexpr int status_fault = 3;

const char* const usage =
    "usage: xlhost [--addin PATH] [--lang pt|en] [--registry FILE] COMMAND\n"
    "  eval FORMULA [--sheet BOOK.csv]\n"
    "  calc BOOK.csv\n"
    "  functions\n"
    "  addins\n"
    "  chart BOOK.csv RANGE [--bw] --out FILE.xlsx\n";

struct Invocation {
    std::string addin = default_addin_path();
    std::string lang;
    std::string registry = os::default_registry_file();
    std::string command;
    std::string formula;
    std::string sheet;
    std::string range;
    std::string out;
    bool black_and_white = false;
    bool help = false;
};

bool parse(const std::vector<std::string>& args, Invocation* out, std::string* error) {
    Invocation call;
    std::vector<std::string> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string* into) {
            if (i + 1 >= args.size()) {
                *error = "option " + arg + " needs a value";
                return false;
            }
            *into = args[++i];
            return true;
        };
        if (arg == "--help" || arg == "-h") {
            call.help = true;
        } else if (arg == "--addin") {
            if (!value(&call.addin)) return false;
        } else if (arg == "--lang") {
            if (!value(&call.lang)) return false;
            if (call.lang != "pt" && call.lang != "en") {
                *error = "--lang takes pt or en, not '" + call.lang + "'";
                return false;
            }
        } else if (arg == "--registry") {
            if (!value(&call.registry)) return false;
        } else if (arg == "--sheet") {
            if (!value(&call.sheet)) return false;
        } else if (arg == "--out") {
            if (!value(&call.out)) return false;
        } else if (arg == "--bw") {
            call.black_and_white = true;
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            *error = "unknown option " + arg;
            return false;
        } else {
            rest.push_back(arg);
        }
    }
    if (call.help) {
        *out = call;
        return true;
    }
    if (rest.empty()) {
        *error = "no command given";
        return false;
    }
    call.command = rest[0];
    const size_t operands = rest.size() - 1;
    if (call.command == "eval") {
        if (operands != 1) {
            *error = "eval takes one formula";
            return false;
        }
        call.formula = rest[1];
    } else if (call.command == "calc") {
        if (operands != 1) {
            *error = "calc takes one CSV file";
            return false;
        }
        call.sheet = rest[1];
    } else if (call.command == "chart") {
        if (operands != 2) {
            *error = "chart takes a CSV file and a range";
            return false;
        }
        call.sheet = rest[1];
        call.range = rest[2];
        if (call.out.empty()) {
            *error = "chart needs --out FILE.xlsx";
            return false;
        }
    } else if (call.command == "functions" || call.command == "addins") {
        if (operands != 0) {
            *error = call.command + " takes no operands";
            return false;
        }
    } else {
        *error = "unknown command " + call.command;
        return false;
    }
    if ((call.black_and_white || !call.out.empty()) && call.command != "chart") {
        *error = "--bw and --out go with chart";
        return false;
    }
    if (!call.sheet.empty() && call.command != "eval" && call.command != "calc" && call.command != "chart") {
        *error = "--sheet goes with eval";
        return false;
    }
    if (call.addin.empty()) {
        *error = "no add-in: give --addin PATH or set VARENTIS_ADDIN";
        return false;
    }
    *out = call;
    return true;
}

}  // namespace

int run_command_line(const std::vector<std::string>& arguments, std::string& out, std::string& err) {
    Invocation call;
    std::string error;
    if (!parse(arguments, &call, &error)) {
        err += "xlhost: " + error + "\n" + usage;
        return status_input;
    }
    if (call.help) {
        out += usage;
        return status_ok;
    }
    if (!os::registry_use_file(call.registry, &error)) {
        err += "xlhost: " + error + "\n";
        return status_input;
    }
    if (!call.lang.empty()) {
        // The add-in reads the language only when its installation folder is recorded too.
        const auto folder = std::filesystem::path(os::absolute_path(call.addin)).parent_path().string();
        if (!os::registry_set_text("Software\\Varentis", "PATH", folder.empty() ? "." : folder, &error) ||
            !os::registry_set_text("Software\\Varentis", "IDIOMA", call.lang == "pt" ? "1" : "2", &error)) {
            err += "xlhost: " + error + "\n";
            return status_input;
        }
    }

    Host host;
    if (!call.sheet.empty() && !host.load_csv(call.sheet, &error)) {
        err += "xlhost: " + error + "\n";
        return status_input;
    }
    if (call.command == "chart" && !host.select(call.range)) {
        err += "xlhost: " + call.range + " is not a range of cells\n";
        return status_input;
    }
    const std::string formula = cp1252(call.formula);
    if (call.command == "eval" && !Host::parse_check(formula, &error)) {
        err += "xlhost: cannot parse the formula " + call.formula + ": " + error + "\n";
        return status_input;
    }
    if (!host.load(call.addin, &error)) {
        err += "xlhost: " + error + "\n";
        return status_load;
    }
    host.auto_open();
    if (call.command == "eval") {
        out += utf8(display(host.eval(formula))) + "\n";
    } else if (call.command == "calc") {
        host.calc();
        out += host.sheet_csv();
    } else if (call.command == "functions") {
        out += host.function_wizard();
    } else if (call.command == "addins") {
        out += host.addin_manager_line() + "\n";
    } else if (call.command == "chart") {
        const Workbook& user_book = host.model().active_workbook();
        if (!host.answer_dialogs(call.black_and_white ? std::vector<std::string>{"o_cores", "b_ok"}
                                                      : std::vector<std::string>{"b_ok"})) {
            err += "xlhost: this build cannot answer the add-in's dialogs\n";
            return status_input;
        }
        host.run_macro("vx_menu_cmp");
        const Workbook& made = host.model().active_workbook();
        if (&made == &user_book) {
            err += "xlhost: the chart command built no workbook\n";
            for (const auto& alert : host.alerts()) err += "xlhost: alert: " + utf8(alert.text) + "\n";
            host.auto_close();
            host.unload();
            return status_input;
        }
        if (!host.save_xlsx(call.out, &error)) {
            err += "xlhost: " + error + "\n";
            host.auto_close();
            host.unload();
            return status_input;
        }
        out += call.out + ": " + utf8(made.name());
        for (const auto& sheet : made.sheets()) {
            const auto visibility = sheet->objects().visibility;
            out += ", " + utf8(sheet->name()) +
                   (visibility == Visibility::very_hidden ? " (very hidden)" : visibility == Visibility::hidden ? " (hidden)" : "");
        }
        out += "\n";
    }
    host.auto_close();
    host.unload();
    if (!host.faults().empty()) {
        err += "xlhost: the add-in misbehaved (" + std::to_string(host.faults().size()) + " faults)\n";
        return status_fault;
    }
    return status_ok;
}

}  // namespace xlhost
