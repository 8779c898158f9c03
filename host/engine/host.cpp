// The Host: loading and unloading the add-in, its xlAuto* entries, cells and formulas.
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>

#include "capi/xloper_values.h"
#include "engine/arguments.h"
#include "engine/host_impl.h"
#include "formula/formula.h"

namespace xlhost {

Host::Impl::Impl(Options chosen) : options(std::move(chosen)) {
    // Excel's main window among other top-level windows, one of them the main window of a
    // second Excel, so that finding "our" Excel must look at the handle too.
    windows.push_back(os::create_top_window("Shell_TrayWnd"));
    windows.push_back(os::create_top_window("XLMAIN"));
    windows.push_back(os::create_top_window("Progman"));
    const os::WindowHandle main = os::create_top_window("XLMAIN");
    windows.push_back(main);
    windows.push_back(os::create_top_window("ConsoleWindowClass"));
    os::activate_window(main);
    session().main_window = main;
    session().menus.reset(options.excel_language);
}

Host::Impl::~Impl() {
    for (auto window : windows) os::destroy_top_window(window);
}

int Host::Impl::entry(const char* name) {
    os::SlotValue result;
    // Every xlAuto* entry is optional to Excel: a missing one is simply not called.
    if (!engine.call_export(name, os::Slot::int32, {}, &result, capi::Context::entry, false)) return -1;
    return result.i32;
}

Host::Host(Options options) : impl_(std::make_unique<Impl>(std::move(options))) {}

Host::~Host() { unload(); }

bool Host::load(const std::string& path, std::string* error) {
    unload();
    if (!impl_->engine.attach()) {
        if (error) *error = "another host has an add-in loaded";
        return false;
    }
    std::string why;
    // The load-time initialisation runs now, outside any call of Excel's: it may not call Excel.
    auto module = os::load_module(path, &why);
    if (!module) {
        impl_->engine.detach();
        if (error) *error = why;
        return false;
    }
    impl_->module = std::move(module);
    auto& session = impl_->session();
    session.module = impl_->module.get();
    session.addin_path = os::absolute_path(path);
    return true;
}

void Host::unload() {
    auto& session = impl_->session();
    if (!impl_->module) return;
    for (const auto& what : session.memory.outstanding_descriptions())
        session.fault("a value Excel returned was never given back with xlFree: " + what);
    session.memory.reset();
    session.registrations.clear();
    session.module = nullptr;
    session.addin_path.clear();
    impl_->module.reset();
    impl_->engine.detach();
}

bool Host::loaded() const { return impl_->module != nullptr; }
std::string Host::addin_path() const { return impl_->engine.session.addin_path; }

int Host::auto_open() { return impl_->entry("xlAutoOpen"); }
int Host::auto_close() { return impl_->entry("xlAutoClose"); }
int Host::auto_add() { return impl_->entry("xlAutoAdd"); }
int Host::auto_remove() { return impl_->entry("xlAutoRemove"); }

Value Host::addin_manager_info(const Value& item) { return impl_->engine.call_with_value("xlAddInManagerInfo", item); }

Value Host::auto_register(const std::string& procedure) {
    return impl_->engine.call_with_value("xlAutoRegister", Value::str(procedure));
}

Value Host::run_macro(const std::string& macro_name) {
    auto& registrations = impl_->session().registrations;
    for (size_t i = registrations.list().size(); i-- > 0;) {
        const Registration& entry = registrations.at(i);
        if (entry.macro_type != 2 || !entry.name_defined || entry.use_count <= 0) continue;
        if (!capi::same_text_nocase(entry.function_text, macro_name)) continue;
        engine::CallSite site;
        site.sheet = &impl_->session().model.active_sheet();
        return impl_->engine.call_registered(i, {}, site);
    }
    return Value::err(xlerrName);
}

const std::vector<Registration>& Host::registrations() const { return impl_->engine.session.registrations.list(); }

const Registration* Host::find_function(const std::string& name) const {
    const auto& registrations = impl_->engine.session.registrations;
    const int found = registrations.find_name(name);
    return found < 0 ? nullptr : &registrations.at(static_cast<size_t>(found));
}

namespace {
Range cell_address(const std::string& a1) {
    const auto range = parse_range(a1);
    if (!range || !range->single()) throw std::invalid_argument("not a cell address: " + a1);
    return *range;
}
}  // namespace

void Host::set_cell(const std::string& a1, const Value& value) {
    const Range at = cell_address(a1);
    impl_->session().model.active_sheet().set_value(at.first_row, at.first_column, value);
}

void Host::set_formula(const std::string& a1, const std::string& formula) {
    const Range at = cell_address(a1);
    impl_->session().model.active_sheet().set_formula(at.first_row, at.first_column, formula);
}

Value Host::cell(const std::string& a1) const {
    const Range at = cell_address(a1);
    return impl_->engine.session.model.active_sheet().value(at.first_row, at.first_column);
}

std::string Host::formula(const std::string& a1) const {
    const Range at = cell_address(a1);
    const Cell* cell = impl_->engine.session.model.active_sheet().cell(at.first_row, at.first_column);
    return cell ? cell->formula : "";
}

bool Host::parse_check(const std::string& formula, std::string* error) {
    Expr parsed;
    return parse_formula(formula, &parsed, error);
}

Value Host::eval(const std::string& formula, std::string* error) {
    Expr parsed;
    if (!parse_formula(formula, &parsed, error)) return Value::err(xlerrName);
    engine::CallSite site;
    site.sheet = &impl_->session().model.active_sheet();
    return impl_->engine.evaluate(parsed, site);
}

Value Host::call_function(const std::string& excel_name, const std::vector<CArgument>& arguments) {
    auto& session = impl_->session();
    const int found = session.registrations.find_name(excel_name);
    if (found < 0 || session.registrations.at(static_cast<size_t>(found)).macro_type == 2) return Value::err(xlerrName);
    const auto index = static_cast<size_t>(found);
    const capi::TypeText type = session.registrations.type(index);
    std::vector<os::SlotValue> slots;
    for (size_t i = 0; i < arguments.size(); ++i) {
        os::SlotValue slot;
        slot.slot = i < type.arguments.size() ? engine::slot_of(type.arguments[i]) : os::Slot::pointer;
        slot.i16 = static_cast<int16_t>(arguments[i].integer);
        slot.u16 = static_cast<uint16_t>(arguments[i].integer);
        slot.i32 = arguments[i].integer;
        slot.f64 = arguments[i].number;
        slot.ptr = const_cast<void*>(arguments[i].record);
        slots.push_back(slot);
    }
    return impl_->engine.call_converted(index, slots, &session.model.active_sheet());
}

namespace {
void collect_ranges(const Expr& expression, std::vector<Range>* out) {
    if (expression.kind == Expr::Kind::reference) out->push_back(expression.range);
    for (const auto& argument : expression.arguments) collect_ranges(argument, out);
}
}  // namespace

// Every formula cell, each after the formula cells it refers to; a cell met again while it is
// being calculated (a circular reference) reads 0, as Excel leaves it.
void Host::Impl::calculate() {
    Sheet& sheet = session().model.active_sheet();
    std::map<std::pair<int, int>, int> state;  // 1 in progress, 2 done
    std::vector<std::pair<int, int>> formulas;
    for (const auto& [at, cell] : sheet.cells())
        if (!cell.formula.empty()) formulas.push_back(at);
    std::function<void(std::pair<int, int>)> compute = [&](std::pair<int, int> at) {
        int& mark = state[at];
        if (mark == 2) return;
        if (mark == 1) {
            sheet.set_formula_value(at.first, at.second, Value::num(0));
            return;
        }
        mark = 1;
        const std::string text = sheet.cell(at.first, at.second)->formula;
        Expr parsed;
        Value value = Value::err(xlerrName);
        if (parse_formula(text, &parsed, nullptr)) {
            std::vector<Range> ranges;
            collect_ranges(parsed, &ranges);
            for (const auto& other : formulas)
                for (const auto& range : ranges)
                    if (other.first >= range.first_row && other.first <= range.last_row &&
                        other.second >= range.first_column && other.second <= range.last_column)
                        compute(other);
            engine::CallSite site;
            site.sheet = &sheet;
            site.in_cell = true;
            site.row = at.first;
            site.column = at.second;
            value = engine.evaluate(parsed, site);
        }
        sheet.set_formula_value(at.first, at.second, value);
        state[at] = 2;
    };
    for (const auto& at : formulas) compute(at);
}

void Host::calc() { impl_->calculate(); }

const std::vector<CallRecord>& Host::calls() const { return impl_->engine.session.calls; }
void Host::clear_calls() { impl_->session().calls.clear(); }
void Host::watch_calls(std::function<void(const CallRecord&)> watch) {
    impl_->session().call_watch = std::move(watch);
}
const std::vector<Alert>& Host::alerts() const { return impl_->engine.session.alerts; }
void Host::clear_alerts() { impl_->session().alerts.clear(); }
int Host::outstanding_values() const { return impl_->engine.session.memory.outstanding(); }
const std::vector<std::string>& Host::faults() const { return impl_->engine.session.faults; }
void Host::clear_faults() { impl_->session().faults.clear(); }
std::uintptr_t Host::main_window() const { return impl_->engine.session.main_window; }

std::string default_addin_path() {
    const char* chosen = std::getenv("VARENTIS_ADDIN");
    if (chosen != nullptr && *chosen != '\0') return chosen;
#ifdef VX_DEFAULT_ADDIN
    return VX_DEFAULT_ADDIN;
#else
    return "";
#endif
}

}  // namespace xlhost
