// The xlhost command line: options, then one command, run against the library.
//   xlhost [--addin PATH] [--lang pt|en] [--excel-lang en|pt] [--registry FILE] COMMAND
//     eval FORMULA [--sheet BOOK.csv]   the value of one formula
//     calc BOOK.csv [--table]           every formula of a sheet; the sheet as CSV of values
//                                       (--table: aligned columns for a person to read, dates
//                                       as yyyy-mm-dd where a cell shows one)
//     functions                         the function wizard
//     addins                            the Add-In Manager's line
//     menu | pick MENU ITEM [SUBITEM] | run MACRO    the menu bar (cli/menu_commands.h)
//     chart BOOK.csv RANGE [--bw] --out FILE.xlsx    the comparison chart (cli/chart_command.h)
//     notice                            the install notice (cli/notice_command.h)
//   xlhost [--excel-version TEXT] [--instances N] [--own K] [--own-late] bridge [--sheet BOOK.csv RANGE]
//                                       several Excel instances and the add-in's automation
//                                       bridge among them (cli/bridge_command.h)
#include <filesystem>

#include "cli/bridge_command.h"
#include "cli/chart_command.h"
#include "cli/table_view.h"
#include "cli/menu_commands.h"
#include "cli/notice_command.h"
#include "os/os.h"
#include "xlhost/host.h"

namespace xlhost {
namespace {

constexpr int status_ok = 0;
constexpr int status_load = 1;
constexpr int status_input = 2;
constexpr int status_fault = 3;
constexpr int status_chart_rejected = 4;
constexpr int status_chart_failed = 5;

// One line of a message on stderr; whatever the input put into it stays on that line.
void say(std::string& err, const std::string& message) { err += "xlhost: " + printable(message) + "\n"; }

// The start of a text quoted in a message, cut at a character boundary of its UTF-8 when it is
// longer than a line can show; the rest is counted, not echoed.
std::string quoted_start(const std::string& utf8_text) {
    constexpr size_t shown = 80;
    if (utf8_text.size() <= shown) return utf8_text;
    size_t cut = shown;
    while (cut > 0 && (static_cast<unsigned char>(utf8_text[cut]) & 0xC0) == 0x80) --cut;
    return utf8_text.substr(0, cut) + "... (" + std::to_string(utf8_text.size()) + " bytes)";
}

const char* const usage =
    "usage: xlhost [--addin PATH] [--lang pt|en] [--excel-lang en|pt] [--registry FILE] COMMAND\n"
    "  eval FORMULA [--sheet BOOK.csv]\n"
    "  calc BOOK.csv [--table]\n"
    "  functions\n"
    "  addins\n"
    "  menu                       the worksheet menu bar as a tree\n"
    "  pick MENU ITEM [SUBITEM]   picks an item (names without '&', or positions from 1)\n"
    "  run MACRO                  runs a command macro by name\n"
    "  chart BOOK.csv RANGE [--bw] --out FILE.xlsx\n"
    "                             selects RANGE, picks the chart item, answers its dialog with OK\n"
    "                             (--bw ticks black and white) and saves the new workbook\n"
    "  notice                     loads the add-in as its installer does, shows the install notice,\n"
    "                             answers it with OK and prints it as it was shown\n"
    "usage: xlhost [--excel-version TEXT] [--instances N] [--own K] [--own-late] bridge [--sheet BOOK.csv RANGE]\n"
    "                             starts N Excel instances (default 1), each with its own copy of the\n"
    "                             add-in; instance K (default N, the last to register) is ours. Prints\n"
    "                             what its automation bridge found and, with --sheet, RANGE of that\n"
    "                             sheet as the add-in reads it. --excel-version (default 8.0) is what\n"
    "                             every instance reports; --own-late registers ours only after its\n"
    "                             add-in has opened (the add-in's first search cannot find it)\n";

struct Invocation {
    std::string addin = default_addin_path();
    std::string lang;
    std::string excel_lang = "en";
    std::vector<std::string> operands;
    std::string registry = os::default_registry_file();
    bool registry_named = false;  // --registry given: its folder must exist
    std::string command;
    std::string formula;
    std::string sheet;         // the sheet of calc and chart, or --sheet of eval
    bool sheet_option = false;
    bool table = false;
    cli::ChartRequest chart;
    cli::BridgeRequest bridge;
    bool bridge_options = false;  // one of --excel-version, --instances, --own, --own-late
    bool help = false;
};

// A whole number from `low` to `high`, written in decimal digits only.
bool whole_number(const std::string& text, int low, int high, int* out) {
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    const int value = std::stoi(text);
    if (value < low || value > high) return false;
    *out = value;
    return true;
}

bool parse(const std::vector<std::string>& args, Invocation* out, std::string* error) {
    Invocation call;
    std::vector<std::string> rest;
    std::vector<std::string> given;  // options with a value, each allowed once
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string* into) {
            if (i + 1 >= args.size()) {
                *error = "option " + arg + " needs a value";
                return false;
            }
            for (const auto& before : given)
                if (before == arg) {
                    *error = "option " + arg + " is given twice";
                    return false;
                }
            given.push_back(arg);
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
        } else if (arg == "--excel-lang") {
            if (!value(&call.excel_lang)) return false;
            if (call.excel_lang != "pt" && call.excel_lang != "en") {
                *error = "--excel-lang takes en or pt, not '" + call.excel_lang + "'";
                return false;
            }
        } else if (arg == "--registry") {
            if (!value(&call.registry)) return false;
            call.registry_named = true;
        } else if (arg == "--excel-version") {
            if (!value(&call.bridge.excel_version)) return false;
            call.bridge.excel_version = cp1252(call.bridge.excel_version);  // as Excel keeps its texts
            call.bridge_options = true;
        } else if (arg == "--instances" || arg == "--own") {
            std::string text;
            if (!value(&text)) return false;
            int* into = arg == "--instances" ? &call.bridge.instances : &call.bridge.own;
            if (!whole_number(text, 1, 16, into)) {
                *error = arg + " takes a whole number from 1 to 16, not '" + text + "'";
                return false;
            }
            call.bridge_options = true;
        } else if (arg == "--own-late") {
            call.bridge.own_late = true;
            call.bridge_options = true;
        } else if (arg == "--table") {
            call.table = true;
        } else if (arg == "--sheet") {
            if (!value(&call.sheet)) return false;
            call.sheet_option = true;
        } else if (arg == "--out") {
            if (!value(&call.chart.out)) return false;
        } else if (arg == "--bw") {
            call.chart.black_and_white = true;
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
        if (call.sheet_option) {
            *error = "--sheet goes with eval; calc takes its CSV file as its operand";
            return false;
        }
        if (operands != 1) {
            *error = "calc takes one CSV file";
            return false;
        }
        call.sheet = rest[1];
    } else if (call.command == "chart") {
        if (call.sheet_option) {
            *error = "--sheet goes with eval; chart takes its CSV file as its operand";
            return false;
        }
        if (operands != 2) {
            *error = "chart takes a CSV file and a range";
            return false;
        }
        call.sheet = rest[1];
        call.chart.range = rest[2];
        if (call.chart.out.empty()) {
            *error = "chart needs --out FILE.xlsx";
            return false;
        }
    } else if (call.command == "bridge") {
        if (call.sheet_option != (operands == 1) || operands > 1) {
            *error = "bridge takes a range only with --sheet BOOK.csv, and --sheet only with a range";
            return false;
        }
        if (call.bridge.own > call.bridge.instances) {
            *error = "--own names one of the --instances";
            return false;
        }
        call.bridge.sheet = call.sheet;
        if (operands == 1) call.bridge.range = rest[1];
    } else if (call.command == "functions" || call.command == "addins" || call.command == "notice") {
        if (operands != 0) {
            *error = call.command + " takes no operands";
            return false;
        }
    } else if (cli::is_menu_command(call.command, {rest.begin() + 1, rest.end()}, error)) {
        if (!error->empty()) return false;
        call.operands.assign(rest.begin() + 1, rest.end());
    } else {
        *error = "unknown command " + call.command;
        return false;
    }
    if (call.table && call.command != "calc") {
        *error = "--table goes with calc";
        return false;
    }
    if ((call.chart.black_and_white || !call.chart.out.empty()) && call.command != "chart") {
        *error = "--bw and --out go with chart";
        return false;
    }
    if (call.bridge_options && call.command != "bridge") {
        *error = "--excel-version, --instances, --own and --own-late go with bridge";
        return false;
    }
    if (!call.sheet.empty() && call.command != "eval" && call.command != "calc" && call.command != "chart" &&
        call.command != "bridge") {
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
        say(err, error);
        err += usage;
        return status_input;
    }
    if (call.help) {
        out += usage;
        return status_ok;
    }
    if (!os::registry_use_file(call.registry, !call.registry_named, &error)) {
        say(err, error);
        return status_input;
    }
    if (!call.lang.empty()) {
        // The add-in reads the language only when its installation folder is recorded too.
        const auto folder = std::filesystem::path(os::absolute_path(call.addin)).parent_path().string();
        if (!os::registry_set_text("Software\\Varentis", "PATH", folder.empty() ? "." : folder, &error) ||
            !os::registry_set_text("Software\\Varentis", "IDIOMA", call.lang == "pt" ? "1" : "2", &error) ||
            !os::registry_saved(&error)) {
            say(err, error);
            return status_input;
        }
    }

    if (call.command == "bridge") {
        bool load_failed = false;
        size_t faults = 0;
        if (!cli::run_bridge_command(call.addin, call.bridge, out, &error, &load_failed, &faults)) {
            say(err, error);
            return load_failed ? status_load : status_input;
        }
        if (faults > 0) {
            say(err, error);
            say(err, "the add-in misbehaved (" + std::to_string(faults) + " faults)");
            return status_fault;
        }
        return os::registry_saved(&error) ? status_ok : (say(err, error), status_input);
    }

    Options options;
    options.excel_language = call.excel_lang;
    Host host(options);
    if (!call.sheet.empty() && !host.load_csv(call.sheet, &error)) {
        say(err, error);
        return status_input;
    }
    if (call.command == "chart" && !host.select(call.chart.range)) {
        say(err, call.chart.range + " is not a range of cells");
        return status_input;
    }
    const std::string formula = cp1252(call.formula);
    if (call.command == "eval" && !Host::parse_check(formula, &error)) {
        say(err, "cannot parse the formula " + quoted_start(call.formula) + ": " + quoted_start(utf8(error)));
        return status_input;
    }
    if (!host.load(call.addin, &error)) {
        say(err, error);
        return status_load;
    }
    int status = status_ok;
    // An installer loads the library and calls the notice's export; Excel is not involved.
    if (call.command == "notice") {
        if (host.procedure("_carrega_instalador") == nullptr) {
            say(err, "the add-in has no export _carrega_instalador");
            host.unload();
            return status_load;
        }
        if (!cli::run_notice_command(host, out, &error)) {
            say(err, error);
            status = status_fault;
        }
        host.unload();
        if (!host.faults().empty()) {
            say(err, "the add-in misbehaved (" + std::to_string(host.faults().size()) + " faults)");
            return status_fault;
        }
        return status;
    }
    host.auto_open();
    if (call.command == "eval") {
        out += utf8(display(host.eval(formula))) + "\n";
    } else if (call.command == "calc") {
        host.calc();
        out += call.table ? table_view(host.sheet_csv(true)) : host.sheet_csv();
    } else if (call.command == "functions") {
        out += host.function_wizard();
    } else if (call.command == "addins") {
        out += host.addin_manager_line() + "\n";
    } else if (call.command == "chart") {
        switch (cli::run_chart_command(host, call.chart, out, &error)) {
            case cli::ChartOutcome::saved: break;
            case cli::ChartOutcome::rejected: status = status_chart_rejected; break;
            case cli::ChartOutcome::failed: status = status_chart_failed; break;
            case cli::ChartOutcome::unsaved: status = status_input; break;
        }
        if (status != status_ok) say(err, error);
    } else if (!cli::run_menu_command(host, call.command, call.operands, out, &error)) {
        say(err, error);
        status = status_input;
    }
    for (const auto& note : host.notes()) say(err, utf8(note));
    host.auto_close();
    host.unload();
    // A language the add-in stored that did not reach the file would be lost at the next run.
    const bool saved = os::registry_saved(&error);
    if (!saved) say(err, error);
    if (!host.faults().empty()) {
        say(err, "the add-in misbehaved (" + std::to_string(host.faults().size()) + " faults)");
        return status_fault;
    }
    if (!saved && status == status_ok) status = status_input;
    return status;
}

}  // namespace xlhost
