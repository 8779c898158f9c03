#include "automation/excel_objects.h"

#include "capi/registered_procedures.h"
#include "engine/engine.h"
#include "model/workbook.h"

namespace xlhost::automation {

namespace {

// Members by name; an object's identifiers are the positions in its table, from 1.
int find_member(const std::vector<const char*>& names, const std::string& name) {
    for (size_t i = 0; i < names.size(); ++i)
        if (capi::same_text_nocase(names[i], name)) return static_cast<int>(i) + 1;
    return -1;
}

// Shared by every object: the instance, checked before each call.
class Member : public Object {
public:
    explicit Member(std::shared_ptr<Instance> instance) : instance_(std::move(instance)) {}

protected:
    Model* model() const { return instance_->engine ? &instance_->engine->session.model : nullptr; }
    std::shared_ptr<Instance> instance_;
};

class RangeObject : public Member {
public:
    RangeObject(std::shared_ptr<Instance> instance, std::uintptr_t sheet, Range range)
        : Member(std::move(instance)), sheet_(sheet), range_(range) {}
    int member(const std::string& name) const override { return find_member({"Value"}, name); }
    int32_t invoke(int id, const std::vector<Value>& arguments, Answer* answer) override {
        Model* excel = model();
        if (excel == nullptr) return status_disconnected;
        if (id != 1) return status_member_not_found;
        if (!arguments.empty()) return status_bad_count;
        const Sheet* sheet = excel->sheet_by_id(sheet_);
        if (sheet == nullptr) return status_exception;
        // One cell answers its value; a rectangle an array of them.
        if (range_.single()) {
            answer->value = sheet->value(range_.first_row, range_.first_column);
            return status_ok;
        }
        std::vector<Value> items;
        for (int row = range_.first_row; row <= range_.last_row; ++row)
            for (int column = range_.first_column; column <= range_.last_column; ++column)
                items.push_back(sheet->value(row, column));
        answer->value = Value::array(range_.rows(), range_.columns(), std::move(items));
        return status_ok;
    }

private:
    std::uintptr_t sheet_;
    Range range_;
};

class WorksheetObject : public Member {
public:
    WorksheetObject(std::shared_ptr<Instance> instance, std::uintptr_t sheet) : Member(std::move(instance)), sheet_(sheet) {}
    int member(const std::string& name) const override { return find_member({"Range", "Name", "Application"}, name); }
    int32_t invoke(int id, const std::vector<Value>& arguments, Answer* answer) override;

private:
    std::uintptr_t sheet_;
};

class WorksheetsObject : public Member {
public:
    WorksheetsObject(std::shared_ptr<Instance> instance, std::string book) : Member(std::move(instance)), book_(std::move(book)) {}
    int member(const std::string& name) const override { return find_member({"Item", "Count"}, name); }
    int32_t invoke(int id, const std::vector<Value>& arguments, Answer* answer) override {
        Model* excel = model();
        if (excel == nullptr) return status_disconnected;
        const Workbook* book = excel->find_book(book_);
        if (book == nullptr) return status_exception;
        std::vector<const Sheet*> worksheets;
        for (const auto& sheet : book->sheets())
            if (sheet->objects().kind == SheetKind::worksheet) worksheets.push_back(sheet.get());
        if (id == 2) {
            if (!arguments.empty()) return status_bad_count;
            answer->value = Value::num(static_cast<double>(worksheets.size()));
            return status_ok;
        }
        if (id != 1) return status_member_not_found;
        if (arguments.size() != 1) return status_bad_count;
        const Value& which = arguments[0];
        const Sheet* found = nullptr;
        if (which.kind == Value::Kind::text) {
            for (const Sheet* sheet : worksheets)
                if (capi::same_text_nocase(sheet->name(), which.text)) found = sheet;
        } else if (which.kind == Value::Kind::number || which.kind == Value::Kind::integer) {
            if (which.number >= 1 && which.number <= static_cast<double>(worksheets.size()))
                found = worksheets[static_cast<size_t>(which.number) - 1];
        } else {
            return status_type_mismatch;
        }
        if (found == nullptr) return status_exception;  // "Subscript out of range"
        answer->object = std::make_unique<WorksheetObject>(instance_, found->id());
        return status_ok;
    }

private:
    std::string book_;
};

class WorkbookObject : public Member {
public:
    WorkbookObject(std::shared_ptr<Instance> instance, std::string book) : Member(std::move(instance)), book_(std::move(book)) {}
    int member(const std::string& name) const override { return find_member({"Worksheets", "Name", "Application"}, name); }
    int32_t invoke(int id, const std::vector<Value>& arguments, Answer* answer) override {
        Model* excel = model();
        if (excel == nullptr) return status_disconnected;
        if (!arguments.empty()) return status_bad_count;
        if (excel->find_book(book_) == nullptr) return status_exception;
        switch (id) {
            case 1: answer->object = std::make_unique<WorksheetsObject>(instance_, book_); return status_ok;
            case 2: answer->value = Value::str(book_); return status_ok;
            case 3: answer->object = application(instance_); return status_ok;
            default: return status_member_not_found;
        }
    }

private:
    std::string book_;
};

int32_t WorksheetObject::invoke(int id, const std::vector<Value>& arguments, Answer* answer) {
    Model* excel = model();
    if (excel == nullptr) return status_disconnected;
    const Sheet* sheet = excel->sheet_by_id(sheet_);
    if (sheet == nullptr) return status_exception;
    if (id == 1) {
        if (arguments.size() != 1) return status_bad_count;
        if (arguments[0].kind != Value::Kind::text) return status_type_mismatch;
        const auto range = parse_range(arguments[0].text);
        if (!range) return status_exception;  // Excel: "Method 'Range' of object '_Worksheet' failed"
        answer->object = std::make_unique<RangeObject>(instance_, sheet_, *range);
        return status_ok;
    }
    if (!arguments.empty()) return status_bad_count;
    if (id == 2) {
        answer->value = Value::str(sheet->name());
        return status_ok;
    }
    if (id == 3) {
        answer->object = application(instance_);
        return status_ok;
    }
    return status_member_not_found;
}

class WorkbooksObject : public Member {
public:
    using Member::Member;
    int member(const std::string& name) const override { return find_member({"Item", "Count"}, name); }
    int32_t invoke(int id, const std::vector<Value>& arguments, Answer* answer) override {
        Model* excel = model();
        if (excel == nullptr) return status_disconnected;
        const auto& books = excel->books();
        if (id == 2) {
            if (!arguments.empty()) return status_bad_count;
            answer->value = Value::num(static_cast<double>(books.size()));
            return status_ok;
        }
        if (id != 1) return status_member_not_found;
        if (arguments.size() != 1) return status_bad_count;
        const Value& which = arguments[0];
        const Workbook* found = nullptr;
        if (which.kind == Value::Kind::text) {
            found = excel->find_book(which.text);
        } else if (which.kind == Value::Kind::number || which.kind == Value::Kind::integer) {
            if (which.number >= 1 && which.number <= static_cast<double>(books.size()))
                found = books[static_cast<size_t>(which.number) - 1].get();
        } else {
            return status_type_mismatch;
        }
        if (found == nullptr) return status_exception;
        answer->object = std::make_unique<WorkbookObject>(instance_, found->name());
        return status_ok;
    }
};

class ApplicationObject : public Member {
public:
    using Member::Member;
    int member(const std::string& name) const override {
        return find_member({"Application", "Workbooks", "ExecuteExcel4Macro"}, name);
    }
    int32_t invoke(int id, const std::vector<Value>& arguments, Answer* answer) override {
        engine::Engine* engine = instance_->engine;
        if (engine == nullptr) return status_disconnected;
        switch (id) {
            case 1:
                if (!arguments.empty()) return status_bad_count;
                answer->object = application(instance_);
                return status_ok;
            case 2:
                if (!arguments.empty()) return status_bad_count;
                answer->object = std::make_unique<WorkbooksObject>(instance_);
                return status_ok;
            case 3:
                if (arguments.size() != 1) return status_bad_count;
                if (arguments[0].kind != Value::Kind::text) return status_type_mismatch;
                answer->value = engine->execute_macro(arguments[0].text);
                return status_ok;
            default: return status_member_not_found;
        }
    }
};

}  // namespace

std::unique_ptr<Object> application(std::shared_ptr<Instance> instance) {
    return std::make_unique<ApplicationObject>(std::move(instance));
}

}  // namespace xlhost::automation
