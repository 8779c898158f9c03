// The model of what Excel holds: workbooks, their sheets and the cells of each sheet. It knows
// nothing of the C API; the handlers read and change it.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/address.h"
#include "model/workbook_objects.h"
#include "model/value.h"

namespace xlhost {

struct Cell {
    Value value;          // the constant, or the formula's last value
    std::string formula;  // "" for a constant
};

class Sheet {
public:
    Sheet(std::string name, std::uintptr_t id) : name_(std::move(name)), id_(id) {}
    const std::string& name() const { return name_; }
    void rename(const std::string& name) { name_ = name; }
    std::uintptr_t id() const { return id_; }
    // Kind, visibility, formats, selection and chart (workbook_objects.h).
    SheetObjects& objects() { return objects_; }
    const SheetObjects& objects() const { return objects_; }

    // An empty cell answers nil.
    Value value(int row, int column) const;
    const Cell* cell(int row, int column) const;
    void set_value(int row, int column, const Value& value);
    void set_formula(int row, int column, const std::string& formula);
    void set_formula_value(int row, int column, const Value& value);
    void clear();
    // Cells in row order, then column order.
    const std::map<std::pair<int, int>, Cell>& cells() const { return cells_; }

private:
    std::string name_;
    std::uintptr_t id_;
    std::map<std::pair<int, int>, Cell> cells_;
    SheetObjects objects_;
};

class Workbook {
public:
    explicit Workbook(std::string name) : name_(std::move(name)) {}
    const std::string& name() const { return name_; }
    Sheet& add_sheet(const std::string& name, std::uintptr_t id);
    Sheet& insert_sheet(size_t index, const std::string& name, std::uintptr_t id);
    const std::vector<std::unique_ptr<Sheet>>& sheets() const { return sheets_; }

private:
    std::string name_;
    std::vector<std::unique_ptr<Sheet>> sheets_;
};

class Model {
public:
    // A fresh Excel: the workbook "Book1" with the sheet "Sheet1", active.
    Model();
    Workbook& add_workbook(const std::string& name);
    Sheet& add_sheet(Workbook& book, const std::string& name);
    // A new sheet placed before sheet `index` of the book.
    Sheet& insert_sheet(Workbook& book, size_t index, const std::string& name);
    const std::vector<std::unique_ptr<Workbook>>& books() const { return books_; }
    Workbook* find_book(const std::string& name) const;
    Workspace workspace;  // screen updating, workbook naming, workspace view options
    Sheet& active_sheet() const { return *active_sheet_; }
    Workbook& active_workbook() const { return *active_book_; }
    void activate(Workbook& book, Sheet& sheet);
    // Closes a workbook (never the last one): the workbook active before it becomes active again,
    // on the sheet that was active in it.
    bool close_workbook(Workbook& book);
    Sheet* sheet_by_id(std::uintptr_t id) const;
    Workbook* book_of(const Sheet& sheet) const;
    // "[Book1]Sheet1", or a sheet name of the active workbook ("Sheet1"), without case.
    Sheet* find_sheet(const std::string& name) const;
    // "[Book1]Sheet1"
    std::string full_name(const Sheet& sheet) const;

private:
    std::vector<std::unique_ptr<Workbook>> books_;
    Workbook* active_book_ = nullptr;
    Sheet* active_sheet_ = nullptr;
    // Workbooks in the order they were last activated, the active one last, each with its sheet.
    std::vector<std::pair<Workbook*, Sheet*>> activations_;
    // Sheet identifiers are as wide as a pointer, as Excel's are; on a 64-bit build they use the
    // upper half too, so that an add-in that keeps one in 32 bits refers to no sheet at all.
    std::uintptr_t next_sheet_id_ = static_cast<std::uintptr_t>(UINT64_C(0x00007A4B0A4B0001));
};

}  // namespace xlhost
