#include "cli/chart_command.h"

#include "cli/menu_commands.h"
#include "model/workbook.h"
#include "xlhost/menus.h"

namespace xlhost::cli {

ChartOutcome run_chart_command(Host& host, const ChartRequest& request, std::string& out, std::string* error) {
    const Workbook& user_book = host.model().active_workbook();
    host.answer_dialogs(request.black_and_white ? std::vector<std::string>{"o_cores", "b_ok"}
                                                : std::vector<std::string>{"b_ok"});
    host.clear_alerts();
    const int dialogs_before = host.dialogs_answered();
    const PickResult picked = host.pick({"Varentis", "CSpline x Exp"});
    if (picked.outcome != PickResult::Outcome::ran) {
        *error = "the chart item could not be picked: " + (picked.error.empty() ? picked.macro : picked.error);
        return ChartOutcome::failed;
    }
    print_what_the_user_saw(host, out);
    const bool dialog_shown = host.dialogs_answered() > dialogs_before;
    const Workbook& made = host.model().active_workbook();
    if (&made == &user_book) {
        if (!dialog_shown) {
            *error = "the add-in refused the selection " + request.range;
            return ChartOutcome::rejected;
        }
        *error = "the chart command built no workbook";
        return ChartOutcome::failed;
    }
    // The add-in tells the user to disregard what a failed construction left behind.
    if (!host.message_boxes().empty()) {
        *error = "the add-in reported an error while building the chart; nothing is saved";
        return ChartOutcome::failed;
    }
    if (!host.save_xlsx(request.out, error)) return ChartOutcome::unsaved;
    out += request.out + ": " + utf8(made.name());
    for (const auto& sheet : made.sheets()) {
        const Visibility visibility = sheet->objects().visibility;
        out += ", " + utf8(sheet->name()) +
               (visibility == Visibility::very_hidden ? " (very hidden)" : visibility == Visibility::hidden ? " (hidden)" : "");
    }
    out += "\n";
    return ChartOutcome::saved;
}

}  // namespace xlhost::cli
