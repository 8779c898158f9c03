// REGISTER, REGISTER.ID, UNREGISTER and SET.NAME: the procedures Excel knows by name.
// A registration Excel refuses answers #VALUE! with a successful return code, as Excel does.
#include <cctype>

#include "capi/conversion.h"
#include "capi/dispatch.h"
#include "capi/xloper_values.h"
#include "model/address.h"

namespace xlhost::capi {
namespace {

void answer(XLOPER* result, const Value& value, Session& session) {
    if (result != nullptr) write_value(value, result, session.memory, Owner::addin);
}

int refuse(Session& session, XLOPER* result, const std::string& why) {
    session.calls_note = why;
    answer(result, Value::err(xlerrValue), session);
    return xlretSuccess;
}

bool omitted(const XLOPER* x) {
    const uint16_t type = base_type(*x);
    return type == xltypeMissing || type == xltypeNil;
}

// A text argument, or "" when it is omitted; false when it holds something else.
bool optional_text(const XLOPER* x, std::string* out) {
    if (omitted(x)) {
        out->clear();
        return true;
    }
    if (base_type(*x) != xltypeStr) return false;
    *out = counted_text(x->val.str);
    return true;
}

// Excel names: a letter, '_' or '\' first, then letters, digits, '.', '_' (and never a cell).
bool valid_name(const std::string& name) {
    if (name.empty() || name.size() > 255) return false;
    const auto first = static_cast<unsigned char>(name[0]);
    if (!(std::isalpha(first) || first == '_' || first == '\\')) return false;
    for (char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (!(std::isalnum(c) || c == '_' || c == '.' || c == '\\')) return false;
    }
    return !parse_range(name).has_value();
}

const char* const category_names[] = {"Financial",      "Date & Time", "Math & Trig",   "Statistical",
                                      "Lookup & Reference", "Database", "Text",         "Logical",
                                      "Information",    "Commands",    "Customizing",   "Macro Control",
                                      "DDE/External",   "User Defined"};

// Asks the add-in's xlAutoRegister for a procedure registered without a type text.
int register_through_add_in(Session& session, XLOPER* result, const std::string& module, const std::string& procedure) {
    const int known = session.registrations.find_registered(module, procedure);
    if (known >= 0) {
        answer(result, Value::num(session.registrations.at(static_cast<size_t>(known)).register_id), session);
        return xlretSuccess;
    }
    if (!session.auto_register_hook) return refuse(session, result, "no type text and no xlAutoRegister");
    session.auto_register_hook(procedure);
    const int found = session.registrations.find_registered(module, procedure);
    if (found < 0) return refuse(session, result, "xlAutoRegister did not register " + procedure);
    answer(result, Value::num(session.registrations.at(static_cast<size_t>(found)).register_id), session);
    return xlretSuccess;
}

// Module and procedure, checked as Excel checks them: the module must be the loaded add-in
// and the procedure one of its exports.
bool locate(Session& session, XLOPER** arguments, std::string* module, std::string* procedure, void** address,
            std::string* why) {
    if (base_type(*arguments[0]) != xltypeStr) {
        *why = "the module is not a text";
        return false;
    }
    *module = counted_text(arguments[0]->val.str);
    if (base_type(*arguments[1]) != xltypeStr) {
        *why = "the procedure is not given by name";
        return false;
    }
    *procedure = counted_text(arguments[1]->val.str);
    if (session.module == nullptr || !os::same_file(*module, session.addin_path)) {
        *why = "the module " + *module + " is not the loaded add-in";
        return false;
    }
    *address = session.module->symbol(*procedure);
    if (*address == nullptr) {
        *why = "the add-in does not export " + *procedure;
        return false;
    }
    return true;
}

}  // namespace

int register_procedure(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    if (count < 2) return refuse(session, result, "loading a module by REGISTER alone is not served by the host");
    Registration entry;
    void* address = nullptr;
    std::string why;
    if (!locate(session, arguments, &entry.module, &entry.procedure, &address, &why)) return refuse(session, result, why);
    if (count < 3 || omitted(arguments[2]))
        return register_through_add_in(session, result, entry.module, entry.procedure);
    if (base_type(*arguments[2]) != xltypeStr) return refuse(session, result, "the type text is not a text");
    entry.type_text = counted_text(arguments[2]->val.str);
    TypeText type;
    if (!parse_type_text(entry.type_text, &type, &why)) return refuse(session, result, why);

    entry.macro_type = 1;
    if (count > 3 && !optional_text(arguments[3], &entry.function_text)) return refuse(session, result, "the function text is not a text");
    if (!entry.function_text.empty() && !valid_name(entry.function_text))
        return refuse(session, result, "\"" + entry.function_text + "\" is not a valid name");
    if (count > 4 && !optional_text(arguments[4], &entry.argument_text)) return refuse(session, result, "the argument text is not a text");
    if (count > 5 && !omitted(arguments[5])) {
        Value value;
        read_xloper(arguments[5], session, &value, nullptr);
        const auto number = value.kind == Value::Kind::error ? std::nullopt : to_number(value);
        if (!number || (*number != 0 && *number != 1 && *number != 2))
            return refuse(session, result, "the macro type is not 0, 1 or 2");
        entry.macro_type = static_cast<int>(*number);
    }
    if (count > 6 && !omitted(arguments[6])) {
        const uint16_t type_word = base_type(*arguments[6]);
        if (type_word == xltypeStr) {
            entry.category = counted_text(arguments[6]->val.str);
        } else if (type_word == xltypeNum || type_word == xltypeInt) {
            const double n = type_word == xltypeNum ? arguments[6]->val.num : arguments[6]->val.w;
            const auto index = to_integer(n, 1, 14);
            if (!index) return refuse(session, result, "the category number is not one of Excel's");
            entry.category = category_names[*index - 1];
        } else {
            return refuse(session, result, "the category is neither a text nor a number");
        }
    }
    if (entry.category.empty() && entry.macro_type != 2) entry.category = "User Defined";
    if (count > 7 && !optional_text(arguments[7], &entry.shortcut)) return refuse(session, result, "the shortcut is not a text");
    if (entry.macro_type == 2 && entry.shortcut.size() > 1)
        return refuse(session, result, "a command's shortcut is one character");
    if (count > 8 && !optional_text(arguments[8], &entry.help_topic)) return refuse(session, result, "the help topic is not a text");
    if (count > 9 && !optional_text(arguments[9], &entry.function_help)) return refuse(session, result, "the function help is not a text");
    for (int i = 10; i < count; ++i) {
        std::string help;
        if (!optional_text(arguments[i], &help))
            return refuse(session, result, "argument help " + std::to_string(i - 9) + " is not a text");
        entry.argument_help.push_back(help);
    }
    const size_t index = session.registrations.store(entry, address, type);
    if (entry.function_text.empty()) session.registrations.at(index).name_defined = false;
    answer(result, Value::num(session.registrations.at(index).register_id), session);
    return xlretSuccess;
}

int register_id(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    std::string module, procedure, why;
    void* address = nullptr;
    if (!locate(session, arguments, &module, &procedure, &address, &why)) return refuse(session, result, why);
    // Only a procedure that stands registered has an id; an unregistered one is registered anew.
    const int found = session.registrations.find_registered(module, procedure);
    if (found >= 0) {
        answer(result, Value::num(session.registrations.at(static_cast<size_t>(found)).register_id), session);
        return xlretSuccess;
    }
    if (count < 3 || omitted(arguments[2])) return register_through_add_in(session, result, module, procedure);
    if (base_type(*arguments[2]) != xltypeStr) return refuse(session, result, "the type text is not a text");
    Registration entry;
    entry.module = module;
    entry.procedure = procedure;
    entry.type_text = counted_text(arguments[2]->val.str);
    entry.macro_type = 1;
    TypeText type;
    if (!parse_type_text(entry.type_text, &type, &why)) return refuse(session, result, why);
    const size_t index = session.registrations.store(entry, address, type);
    session.registrations.at(index).name_defined = false;
    answer(result, Value::num(session.registrations.at(index).register_id), session);
    return xlretSuccess;
}

int unregister(Session& session, XLOPER* result, int, XLOPER** arguments) {
    const uint16_t type = base_type(*arguments[0]);
    if (type != xltypeNum && type != xltypeInt)
        return refuse(session, result, "UNREGISTER of a module (unloading the add-in) is not served by the host");
    const double id = type == xltypeNum ? arguments[0]->val.num : arguments[0]->val.w;
    const int found = session.registrations.find_id(id);
    bool done = false;
    if (found >= 0) {
        Registration& entry = session.registrations.at(static_cast<size_t>(found));
        if (entry.use_count > 0) --entry.use_count;
        done = true;
    }
    answer(result, Value::boolean_value(done), session);
    return xlretSuccess;
}

int set_name(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    std::string name;
    if (base_type(*arguments[0]) != xltypeStr) return refuse(session, result, "the name is not a text");
    name = counted_text(arguments[0]->val.str);
    if (!valid_name(name)) return refuse(session, result, "\"" + name + "\" is not a valid name");
    if (count == 1 || base_type(*arguments[1]) == xltypeMissing) {
        for (size_t i = 0; i < session.registrations.list().size(); ++i) {
            Registration& entry = session.registrations.at(i);
            if (same_text_nocase(entry.function_text, name)) entry.name_defined = false;
        }
        session.names.erase(name);
    } else {
        Value value;
        read_xloper(arguments[1], session, &value, nullptr);
        if (value.kind == Value::Kind::reference) {
            Target target;
            reference_target(*arguments[1], session, &target, nullptr);
            value = target_value(target);
        }
        session.names[name] = value;
    }
    answer(result, Value::boolean_value(true), session);
    return xlretSuccess;
}

}  // namespace xlhost::capi
