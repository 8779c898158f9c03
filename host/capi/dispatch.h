// The one table from Excel function number to the host's handler, and the entry every call of
// the add-in into Excel goes through: it logs the call, checks what Excel checks (a known
// function number, the argument count, readable records), then runs the handler.
#pragma once

#include "capi/session.h"
#include "xll/xloper.h"

namespace xlhost::capi {

using Handler = int (*)(Session& session, XLOPER* result, int count, XLOPER** arguments);

struct HandlerEntry {
    int number;
    const char* name;
    Handler handler;
    int min_arguments;
    int max_arguments;
    bool reads_arguments;  // false for xlFree, which looks at released records itself
};

const HandlerEntry* find_handler(int number);
// The name Excel gives a function number ("REGISTER", "xlFree", ...), or its number.
std::string function_name(int number);

int serve(Session& session, int number, XLOPER* result, int count, XLOPER** arguments);

// ---- Handlers, one family per file ----
// registration_handlers.cpp
int register_procedure(Session&, XLOPER*, int, XLOPER**);
int register_id(Session&, XLOPER*, int, XLOPER**);
int unregister(Session&, XLOPER*, int, XLOPER**);
int set_name(Session&, XLOPER*, int, XLOPER**);
// references.cpp
int coerce(Session&, XLOPER*, int, XLOPER**);
int sheet_id(Session&, XLOPER*, int, XLOPER**);
int sheet_name(Session&, XLOPER*, int, XLOPER**);
// application.cpp
int free_values(Session&, XLOPER*, int, XLOPER**);
int get_name(Session&, XLOPER*, int, XLOPER**);
int get_hwnd(Session&, XLOPER*, int, XLOPER**);
// dialogs.cpp
int alert(Session&, XLOPER*, int, XLOPER**);
// menus.cpp
int get_bar(Session&, XLOPER*, int, XLOPER**);
int add_menu(Session&, XLOPER*, int, XLOPER**);
int delete_menu(Session&, XLOPER*, int, XLOPER**);
int check_command(Session&, XLOPER*, int, XLOPER**);

}  // namespace xlhost::capi
