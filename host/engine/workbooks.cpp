// The Host's side of workbooks: the user's selection, the model for tests, saving as .xlsx,
// and running test code as a command.
#include "engine/host_impl.h"
#include "model/workbook.h"
#include "os/os.h"
#include "xlsx/xlsx_export.h"

namespace xlhost {

bool Host::select(const std::string& a1_areas) {
    Selection chosen;
    chosen.areas.clear();
    size_t start = 0;
    while (start <= a1_areas.size()) {
        const auto comma = a1_areas.find(',', start);
        const auto part = a1_areas.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const auto range = parse_range(part);
        if (!range) return false;
        chosen.areas.push_back(*range);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    Sheet& sheet = impl_->session().model.active_sheet();
    if (sheet.objects().kind == SheetKind::chart) return false;
    chosen.active_row = chosen.areas[0].first_row;
    chosen.active_column = chosen.areas[0].first_column;
    sheet.objects().selection = chosen;
    return true;
}

void Host::select_object(const std::string& name) {
    SheetObjects& objects = impl_->session().model.active_sheet().objects();
    bool known = false;
    for (const auto& existing : objects.drawing_objects) known = known || existing == name;
    if (!known) objects.drawing_objects.push_back(name);
    objects.selection.object = name;
}

const Model& Host::model() const { return impl_->engine.session.model; }

bool Host::save_xlsx(const std::string& path, std::string* error, const std::string& workbook) const {
    const Model& model = impl_->engine.session.model;
    const Workbook* book = workbook.empty() ? &model.active_workbook() : model.find_book(workbook);
    if (book == nullptr) {
        if (error) *error = "no workbook named " + workbook;
        return false;
    }
    return xlsx::export_workbook(model, *book, path, error);
}

void Host::answer_dialogs(const std::vector<std::string>& clicks) {
    os::answer_dialogs(clicks, impl_->dialogs_answered);
}

int Host::dialogs_answered() const { return *impl_->dialogs_answered; }

void Host::run_as_command(const std::function<void()>& body) {
    capi::Session& session = impl_->session();
    const capi::Context before = session.context;
    Sheet* sheet = session.current_sheet;
    session.context = capi::Context::entry;
    session.current_sheet = nullptr;
    try {
        body();
    } catch (...) {
        session.context = before;
        session.current_sheet = sheet;
        throw;
    }
    session.context = before;
    session.current_sheet = sheet;
}

}  // namespace xlhost
