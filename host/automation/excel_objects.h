// Excel's automation object model as far as the add-in's bridge uses it: Application (with its
// own "Application" property, Workbooks and ExecuteExcel4Macro), Workbooks and Item by name,
// a Workbook's Worksheets and Item by name, a Worksheet's Range by A1 address, and a Range's
// Value. It knows nothing of COM: host/os/ serves these objects through IDispatch (real COM on
// Windows, the platform stand-in on Linux) and converts the values.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/call_records.h"
#include "model/value.h"

namespace xlhost {
class Model;
}

namespace xlhost::automation {

// Automation status codes (HRESULT values) the objects answer.
constexpr int32_t status_ok = 0;
constexpr int32_t status_member_not_found = static_cast<int32_t>(0x80020003u);  // DISP_E_MEMBERNOTFOUND
constexpr int32_t status_type_mismatch = static_cast<int32_t>(0x80020005u);     // DISP_E_TYPEMISMATCH
constexpr int32_t status_exception = static_cast<int32_t>(0x80020009u);         // DISP_E_EXCEPTION
constexpr int32_t status_bad_count = static_cast<int32_t>(0x8002000Eu);         // DISP_E_BADPARAMCOUNT
constexpr int32_t status_unknown_name = static_cast<int32_t>(0x80020006u);      // DISP_E_UNKNOWNNAME
constexpr int32_t status_disconnected = static_cast<int32_t>(0x80010108u);      // RPC_E_DISCONNECTED

// Invoke's flags the members answer: every member here is read, none is set.
constexpr uint16_t dispatch_method = 1;       // DISPATCH_METHOD
constexpr uint16_t dispatch_propertyget = 2;  // DISPATCH_PROPERTYGET

// A member made to fail (Host::fail_automation).
struct Failure {
    std::string object, member;
    int32_t status = 0;
};

// What the objects need of the Excel instance they belong to: its workbooks, how many calls of
// the add-in into Excel it has answered (where an automation call falls among them), and
// ExecuteExcel4Macro. The engine gives it; the objects know nothing else of it.
class Excel {
public:
    virtual ~Excel() = default;
    virtual Model& model() = 0;
    virtual size_t calls_answered() const = 0;
    virtual Value execute_macro(const std::string& formula) = 0;
};

// The Excel instance the objects belong to; `excel` goes null when the instance ends, and its
// objects then answer status_disconnected. What reaches them is written down in `calls`.
struct Instance {
    Excel* excel = nullptr;
    std::vector<AutomationCall> calls;
    std::vector<Failure> failures;
};

class Object;

// What a member answers: a value, or an object (which becomes the caller's).
struct Answer {
    Value value = Value::nil();
    std::unique_ptr<Object> object;
};

// Each call is written down in its instance's `calls`, with the locale and flags it came with.
class Object {
public:
    virtual ~Object() = default;
    // GetIDsOfNames: the identifier of a member by its name (without case), asked in `locale`;
    // -1 when the object has none.
    virtual int member(const std::string& name, uint32_t locale) = 0;
    // Invoke: runs a member with positional arguments (in their written order), as `flags` asks.
    virtual int32_t invoke(int member, uint32_t locale, uint16_t flags, const std::vector<Value>& arguments,
                           Answer* answer) = 0;
};

std::unique_ptr<Object> application(std::shared_ptr<Instance> instance);

}  // namespace xlhost::automation
