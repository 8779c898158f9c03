#include "model/workbook.h"

#include <cmath>

#include "model/text.h"

namespace xlhost {

Value Sheet::value(int row, int column) const {
    auto found = cells_.find({row, column});
    return found == cells_.end() ? Value::nil() : found->second.value;
}

const Cell* Sheet::cell(int row, int column) const {
    auto found = cells_.find({row, column});
    return found == cells_.end() ? nullptr : &found->second;
}

namespace {
constexpr int error_num = 36;  // #NUM!

// What a cell keeps of a value: Excel holds no number that is not finite, it shows #NUM!.
Value as_kept(const Value& value) {
    if ((value.kind == Value::Kind::number || value.kind == Value::Kind::integer) && !std::isfinite(value.number))
        return Value::err(error_num);
    if (value.kind != Value::Kind::array) return value;
    Value kept = value;
    for (auto& item : kept.items) item = as_kept(item);
    return kept;
}
}  // namespace

void Sheet::set_value(int row, int column, const Value& value) {
    if (value.kind == Value::Kind::nil) {
        cells_.erase({row, column});
        return;
    }
    Cell& cell = cells_[{row, column}];
    cell.value = as_kept(value);
    cell.formula.clear();
}

void Sheet::set_formula(int row, int column, const std::string& formula) {
    Cell& cell = cells_[{row, column}];
    cell.formula = formula;
    cell.value = Value::nil();
}

void Sheet::set_formula_value(int row, int column, const Value& value) { cells_[{row, column}].value = as_kept(value); }

void Sheet::clear() { cells_.clear(); }

Sheet& Workbook::add_sheet(const std::string& name, std::uintptr_t id) {
    sheets_.push_back(std::make_unique<Sheet>(name, id));
    return *sheets_.back();
}

Sheet& Workbook::insert_sheet(size_t index, const std::string& name, std::uintptr_t id) {
    if (index > sheets_.size()) index = sheets_.size();
    auto at = sheets_.insert(sheets_.begin() + static_cast<std::ptrdiff_t>(index), std::make_unique<Sheet>(name, id));
    return **at;
}

Model::Model() {
    Workbook& book = add_workbook("Book1");
    Sheet& sheet = add_sheet(book, "Sheet1");
    activate(book, sheet);
}

Workbook& Model::add_workbook(const std::string& name) {
    books_.push_back(std::make_unique<Workbook>(name));
    return *books_.back();
}

Sheet& Model::add_sheet(Workbook& book, const std::string& name) {
    const std::uintptr_t id = next_sheet_id_;
    next_sheet_id_ += 0x10;
    return book.add_sheet(name, id);
}

Sheet& Model::insert_sheet(Workbook& book, size_t index, const std::string& name) {
    const std::uintptr_t id = next_sheet_id_;
    next_sheet_id_ += 0x10;
    return book.insert_sheet(index, name, id);
}

void Model::activate(Workbook& book, Sheet& sheet) {
    active_book_ = &book;
    active_sheet_ = &sheet;
    for (auto it = activations_.begin(); it != activations_.end(); ++it)
        if (it->first == &book) {
            activations_.erase(it);
            break;
        }
    activations_.emplace_back(&book, &sheet);
}

bool Model::close_workbook(Workbook& book) {
    if (books_.size() < 2) return false;
    for (auto it = activations_.begin(); it != activations_.end(); ++it)
        if (it->first == &book) {
            activations_.erase(it);
            break;
        }
    for (auto it = books_.begin(); it != books_.end(); ++it)
        if (it->get() == &book) {
            books_.erase(it);
            break;
        }
    if (active_book_ == &book || active_book_ == nullptr) {
        if (activations_.empty()) {
            Workbook& first = *books_.front();
            activate(first, *first.sheets().front());
        } else {
            const auto [previous, sheet] = activations_.back();
            activate(*previous, *sheet);
        }
    }
    return true;
}

Sheet* Model::sheet_by_id(std::uintptr_t id) const {
    for (const auto& book : books_)
        for (const auto& sheet : book->sheets())
            if (sheet->id() == id) return sheet.get();
    return nullptr;
}

Workbook* Model::book_of(const Sheet& sheet) const {
    for (const auto& book : books_)
        for (const auto& s : book->sheets())
            if (s.get() == &sheet) return book.get();
    return nullptr;
}

Workbook* Model::find_book(const std::string& name) const {
    for (const auto& book : books_)
        if (same_text_nocase(book->name(), name)) return book.get();
    return nullptr;
}

Sheet* Model::find_sheet(const std::string& name) const {
    std::string book_name = active_book_->name();
    std::string sheet_name = name;
    if (!name.empty() && name[0] == '[') {
        const auto close = name.find(']');
        if (close == std::string::npos) return nullptr;
        book_name = name.substr(1, close - 1);
        sheet_name = name.substr(close + 1);
    }
    for (const auto& book : books_) {
        if (!same_text_nocase(book->name(), book_name)) continue;
        for (const auto& sheet : book->sheets())
            if (same_text_nocase(sheet->name(), sheet_name)) return sheet.get();
    }
    return nullptr;
}

std::string Model::full_name(const Sheet& sheet) const {
    const Workbook* book = book_of(sheet);
    return "[" + (book ? book->name() : std::string()) + "]" + sheet.name();
}

}  // namespace xlhost
