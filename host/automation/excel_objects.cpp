#include "automation/excel_objects.h"

#include "model/text.h"
#include "model/workbook.h"

namespace xlhost::automation {

namespace {

// Shared by every object: its kind and members by name (an identifier is a member's position
// in the table, from 1), the instance, checked before each call, and the writing down of every
// call in the instance's log.
class Member : public Object {
public:
    Member(std::shared_ptr<Instance> instance, const char* kind, std::vector<const char*> names)
        : instance_(std::move(instance)), kind_(kind), names_(std::move(names)) {}

    int member(const std::string& name, uint32_t locale) final {
        int id = -1;
        for (size_t i = 0; i < names_.size() && id < 0; ++i)
            if (same_text_nocase(names_[i], name)) id = static_cast<int>(i) + 1;
        note(name, false, locale, 0, {}, id < 0 ? status_unknown_name : status_ok, calls_so_far());
        return id;
    }

    int32_t invoke(int id, uint32_t locale, uint16_t flags, const std::vector<Value>& arguments, Answer* answer) final {
        const size_t before = calls_so_far();
        const bool known = id >= 1 && static_cast<size_t>(id) <= names_.size();
        const std::string name = known ? names_[static_cast<size_t>(id) - 1] : "";
        int32_t status = status_ok;
        if (instance_->excel == nullptr) status = status_disconnected;
        else if (!known || (flags & (dispatch_method | dispatch_propertyget)) == 0) status = status_member_not_found;
        else if (const Failure* failure = failing(name)) status = failure->status;
        else status = run(id, arguments, answer);
        if (status != status_ok) *answer = Answer{};
        note(name, true, locale, flags, arguments, status, before);
        return status;
    }

protected:
    // Runs member `id` (a known one, asked to be read).
    virtual int32_t run(int id, const std::vector<Value>& arguments, Answer* answer) = 0;
    Model* model() const { return instance_->excel ? &instance_->excel->model() : nullptr; }
    std::shared_ptr<Instance> instance_;

private:
    const Failure* failing(const std::string& name) const {
        for (const Failure& failure : instance_->failures)
            if (failure.object == kind_ && same_text_nocase(failure.member, name)) return &failure;
        return nullptr;
    }
    size_t calls_so_far() const { return instance_->excel ? instance_->excel->calls_answered() : 0; }
    void note(const std::string& name, bool invoke, uint32_t locale, uint16_t flags, const std::vector<Value>& arguments,
              int32_t status, size_t calls_before) {
        AutomationCall call;
        call.object = kind_;
        call.member = name;
        call.invoke = invoke;
        call.locale = locale;
        call.flags = flags;
        call.arguments = arguments;
        call.status = status;
        call.calls_before = calls_before;
        instance_->calls.push_back(std::move(call));
    }
    const char* kind_;
    std::vector<const char*> names_;
};

class RangeObject : public Member {
public:
    RangeObject(std::shared_ptr<Instance> instance, std::uintptr_t sheet, Range range)
        : Member(std::move(instance), "Range", {"Value"}), sheet_(sheet), range_(range) {}

protected:
    int32_t run(int, const std::vector<Value>& arguments, Answer* answer) override {
        Model* excel = model();
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
    WorksheetObject(std::shared_ptr<Instance> instance, std::uintptr_t sheet)
        : Member(std::move(instance), "Worksheet", {"Range", "Name", "Application"}), sheet_(sheet) {}

protected:
    int32_t run(int id, const std::vector<Value>& arguments, Answer* answer) override;

private:
    std::uintptr_t sheet_;
};

class WorksheetsObject : public Member {
public:
    WorksheetsObject(std::shared_ptr<Instance> instance, std::string book)
        : Member(std::move(instance), "Worksheets", {"Item", "Count"}), book_(std::move(book)) {}

protected:
    int32_t run(int id, const std::vector<Value>& arguments, Answer* answer) override {
        Model* excel = model();
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
        if (arguments.size() != 1) return status_bad_count;
        const Value& which = arguments[0];
        const Sheet* found = nullptr;
        if (which.kind == Value::Kind::text) {
            for (const Sheet* sheet : worksheets)
                if (same_text_nocase(sheet->name(), which.text)) found = sheet;
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
    WorkbookObject(std::shared_ptr<Instance> instance, std::string book)
        : Member(std::move(instance), "Workbook", {"Worksheets", "Name", "Application"}), book_(std::move(book)) {}

protected:
    int32_t run(int id, const std::vector<Value>& arguments, Answer* answer) override {
        Model* excel = model();
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

int32_t WorksheetObject::run(int id, const std::vector<Value>& arguments, Answer* answer) {
    Model* excel = model();
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
    explicit WorkbooksObject(std::shared_ptr<Instance> instance) : Member(std::move(instance), "Workbooks", {"Item", "Count"}) {}

protected:
    int32_t run(int id, const std::vector<Value>& arguments, Answer* answer) override {
        Model* excel = model();
        const auto& books = excel->books();
        if (id == 2) {
            if (!arguments.empty()) return status_bad_count;
            answer->value = Value::num(static_cast<double>(books.size()));
            return status_ok;
        }
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
    explicit ApplicationObject(std::shared_ptr<Instance> instance)
        : Member(std::move(instance), "Application", {"Application", "Workbooks", "ExecuteExcel4Macro"}) {}

protected:
    int32_t run(int id, const std::vector<Value>& arguments, Answer* answer) override {
        Excel* excel = instance_->excel;
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
                answer->value = excel->execute_macro(arguments[0].text);
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
