// The Host: loading and unloading the add-in, its xlAuto* entries, cells and formulas.
#include <cstdlib>
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
    session().forget_shown();
    session().excel_version = options.excel_version;
    session().calculate_hook = [this] { calculate(); };
    instance->excel = &automation_excel;
}

Host::Impl::~Impl() {
    automation_server.reset();
    instance->excel = nullptr;
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
    if (!impl_->engine.attach(impl_->options.beside_others)) {
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
    // Excel opens an XLL through xlAutoOpen: a library without it is not an add-in.
    if (module->symbol("xlAutoOpen") == nullptr) {
        impl_->engine.detach();
        if (error) *error = path + " is not an add-in: it does not export xlAutoOpen";
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

void* Host::procedure(const std::string& name) const {
    return impl_->module ? impl_->module->symbol(name) : nullptr;
}

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
        if (!same_text_nocase(entry.function_text, macro_name)) continue;
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

using CellAt = std::pair<int, int>;

// The formula cells inside the ranges a formula refers to, in row order.
std::vector<CellAt> precedents(const std::vector<Range>& ranges, const std::set<CellAt>& formulas) {
    std::set<CellAt> found;
    for (const auto& range : ranges)
        for (auto it = formulas.lower_bound({range.first_row, range.first_column});
             it != formulas.end() && it->first <= range.last_row; ++it)
            if (it->second >= range.first_column && it->second <= range.last_column) found.insert(*it);
    return {found.begin(), found.end()};
}

// A formula cell on its way to a value: its parsed formula and the formula cells it waits for.
struct Pending {
    CellAt at;
    bool parses = false;
    Expr expression;
    std::vector<CellAt> before;
    size_t next = 0;  // the first of `before` not yet calculated
};
}  // namespace

// Every formula cell, each after the formula cells it refers to; a cell met again while it is
// being calculated (a circular reference) reads 0, as Excel leaves it. The walk keeps its own
// stack, so a chain of formulas as long as the sheet cannot exhaust the program's.
void Host::Impl::calculate() {
    Sheet& sheet = session().model.active_sheet();
    std::set<CellAt> formulas;
    for (const auto& [at, cell] : sheet.cells())
        if (!cell.formula.empty()) formulas.insert(at);
    auto pending = [&](CellAt at) {
        Pending next;
        next.at = at;
        next.parses = parse_formula(sheet.cell(at.first, at.second)->formula, &next.expression, nullptr);
        std::vector<Range> ranges;
        if (next.parses) collect_ranges(next.expression, &ranges);
        next.before = precedents(ranges, formulas);
        return next;
    };
    std::map<CellAt, int> state;  // 1 in progress, 2 done
    for (const CellAt& first : formulas) {
        if (state[first] == 2) continue;
        state[first] = 1;
        std::vector<Pending> stack;
        stack.push_back(pending(first));
        while (!stack.empty()) {
            Pending& top = stack.back();
            if (top.next < top.before.size()) {
                const CellAt other = top.before[top.next++];
                int& mark = state[other];
                if (mark == 1) {
                    sheet.set_formula_value(other.first, other.second, Value::num(0));
                } else if (mark == 0) {
                    mark = 1;
                    stack.push_back(pending(other));
                }
                continue;
            }
            Value value = Value::err(xlerrName);
            if (top.parses) {
                engine::CallSite site;
                site.sheet = &sheet;
                site.in_cell = true;
                site.row = top.at.first;
                site.column = top.at.second;
                value = engine.evaluate(top.expression, site);
            }
            sheet.set_formula_value(top.at.first, top.at.second, value);
            state[top.at] = 2;
            stack.pop_back();
        }
    }
}

void Host::calc() { impl_->calculate(); }

const std::vector<CallRecord>& Host::calls() const { return impl_->engine.session.calls; }
void Host::clear_calls() {
    impl_->session().calls.clear();
    impl_->instance->calls.clear();
}
void Host::watch_calls(std::function<void(const CallRecord&)> watch) {
    impl_->session().call_watch = std::move(watch);
}
const std::vector<Alert>& Host::alerts() const { return impl_->engine.session.alerts; }
void Host::clear_alerts() { impl_->session().forget_shown(); }
std::vector<ShownMessageBox> Host::message_boxes() const {
    std::vector<ShownMessageBox> boxes;
    for (const auto& box : impl_->engine.session.message_boxes()) boxes.push_back({box.caption, box.text, box.style});
    return boxes;
}
int Host::outstanding_values() const { return impl_->engine.session.memory.outstanding(); }
const std::vector<std::string>& Host::notes() const { return impl_->engine.session.notes; }
void Host::clear_notes() { impl_->session().notes.clear(); }
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
