// xlhost: the stand-in for Excel's side of the C API. It loads an add-in by path and drives it
// as Excel does (process attach, xlAuto* entries, formulas, menu picks), serves the add-in's
// calls into Excel, and checks the add-in as Excel would punish it: a value never given back
// with xlFree, a double free, an unknown function number, a wrong argument count.
//
// Texts inside the host are kept as Excel keeps them: bytes in the Windows Latin-1 code page
// (cp1252). `utf8` and `cp1252` convert for printing and for tests written in UTF-8.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace xlhost {

std::string utf8(const std::string& cp1252_text);
std::string cp1252(const std::string& utf8_text);

// A value as a cell, an argument or a result holds it.
struct Value {
    enum class Kind { nil, number, text, boolean, error, integer, array, missing, reference };
    Kind kind = Kind::nil;
    double number = 0;         // number, integer
    std::string text;          // text (cp1252)
    bool boolean = false;
    int error = 0;             // Excel error code (0 #NULL!, 7 #DIV/0!, 15 #VALUE!, ...)
    int rows = 0, columns = 0; // array
    std::vector<Value> items;  // array, row by row

    static Value nil();
    static Value num(double n);
    static Value str(const std::string& cp1252_text);
    static Value boolean_value(bool b);
    static Value err(int code);
    static Value array(int rows, int columns, std::vector<Value> items);
    bool operator==(const Value& other) const;
};

// Numbers with 17 significant digits, errors as Excel writes them (#N/A, #VALUE!, ...),
// booleans TRUE/FALSE, texts as they are, arrays one row per line with tab-separated columns.
std::string display(const Value& value);

// One call of the add-in into Excel: function number, decoded arguments, return code.
struct CallRecord {
    int function = 0;
    std::vector<std::string> arguments;  // each decoded as display() would print it
    int code = 0;
};

// One REGISTER call that Excel accepted.
struct Registration {
    std::string module, procedure, type_text, function_text, argument_text;
    int macro_type = 0;  // 1 function, 2 command, 0 hidden
    std::string category, shortcut, help_topic, function_help;
    std::vector<std::string> argument_help;
    double register_id = 0;
    bool name_defined = true;  // false once SET.NAME deleted the name
};

struct Alert {
    std::string text;  // cp1252
    int type = 0;
};

struct Options {
    std::string excel_language = "en";  // the host's own language: "en" or "pt"
};

class Host {
public:
    explicit Host(Options options = {});
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // ---- The add-in ----
    // Loads the add-in by path with a fresh process attach; false (with a reason) on failure.
    bool load(const std::string& path, std::string* error = nullptr);
    void unload();  // process detach and unload
    int auto_open();
    int auto_close();
    int auto_add();     // Add-In Manager: add
    int auto_remove();  // Add-In Manager: remove
    Value addin_manager_info(const Value& item);
    Value auto_register(const std::string& procedure);

    // ---- Registrations ----
    const std::vector<Registration>& registrations() const;
    // The registration whose function text (Excel name) is `name`, compared without case.
    const Registration* find_function(const std::string& name) const;

    // ---- Sheets and formulas (the active sheet of the active workbook) ----
    void set_cell(const std::string& a1, const Value& value);
    void set_formula(const std::string& a1, const std::string& formula);
    Value cell(const std::string& a1) const;
    // Loads a CSV sheet into the active sheet; false with a one-line reason.
    bool load_csv(const std::string& path, std::string* error = nullptr);
    // Evaluates a formula such as =VX.INTERPOLEX(42;A1:B4;0) against the active sheet.
    Value eval(const std::string& formula);
    // Recalculates every formula cell.
    void calc();

    // ---- What the add-in did ----
    const std::vector<CallRecord>& calls() const;
    void clear_calls();
    const std::vector<Alert>& alerts() const;
    void clear_alerts();
    // Values handed to the add-in that still wait for xlFree.
    int outstanding_values() const;
    // Faults found in the add-in's behaviour (double free, unknown function number, ...).
    const std::vector<std::string>& faults() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The add-in built beside the host in the same build tree (or $VARENTIS_ADDIN when set).
std::string default_addin_path();

}  // namespace xlhost
