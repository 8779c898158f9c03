#include "cli/chart_command.h"

#include "model/workbook.h"
#include "xlhost/menus.h"

namespace xlhost::cli {

bool run_chart_command(Host& host, const ChartRequest& request, std::string& out, std::string* error) {
    const Workbook& user_book = host.model().active_workbook();
    if (!host.answer_dialogs(request.black_and_white ? std::vector<std::string>{"o_cores", "b_ok"}
                                                     : std::vector<std::string>{"b_ok"})) {
        *error = "this build cannot answer the add-in's dialogs";
        return false;
    }
    const PickResult picked = host.pick({"Varentis", "CSpline x Exp"});
    if (picked.outcome != PickResult::Outcome::ran) {
        *error = "the chart item could not be picked: " + (picked.error.empty() ? picked.macro : picked.error);
        return false;
    }
    const Workbook& made = host.model().active_workbook();
    if (&made == &user_book) {
        *error = "the chart command built no workbook";
        return false;
    }
    if (!host.save_xlsx(request.out, error)) return false;
    out += request.out + ": " + utf8(made.name());
    for (const auto& sheet : made.sheets()) {
        const Visibility visibility = sheet->objects().visibility;
        out += ", " + utf8(sheet->name()) +
               (visibility == Visibility::very_hidden ? " (very hidden)" : visibility == Visibility::hidden ? " (hidden)" : "");
    }
    out += "\n";
    return true;
}

}  // namespace xlhost::cli
