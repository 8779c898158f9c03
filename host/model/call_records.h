// What the add-in did, as an instance writes it down: its calls into Excel, the calls that
// reached the automation objects, its alerts and the message boxes it showed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/value.h"

namespace xlhost {

// One call of the add-in into Excel: function number, decoded arguments, return code and the
// decoded result (empty when the call wrote no result).
struct CallRecord {
    int function = 0;
    std::vector<std::string> arguments;  // each decoded as display() would print it
    int code = 0;
    std::string result;
    std::string note;  // why the host refused the call, when it did (REGISTER answering #VALUE!)
};

// One call that reached this instance's automation objects (from the add-in's bridge, in this
// process or through COM from another): a name looked up (GetIDsOfNames) or a member invoked
// (Invoke), with the locale and flags COM delivered.
struct AutomationCall {
    std::string object;   // "Application", "Workbooks", "Workbook", "Worksheets", "Worksheet", "Range"
    std::string member;   // the name as it was asked for; for Invoke, the member's own name
    bool invoke = false;  // false: GetIDsOfNames
    uint32_t locale = 0;  // LCID
    uint16_t flags = 0;   // Invoke: DISPATCH_METHOD 1, DISPATCH_PROPERTYGET 2, and the puts
    std::vector<Value> arguments;  // Invoke: in their written order
    int32_t status = 0;   // what the object answered (an HRESULT)
    // How many calls of the add-in into Excel this instance had answered by then (calls()): where
    // the automation call falls among them.
    size_t calls_before = 0;
};

struct Alert {
    std::string text;  // cp1252
    int type = 0;      // 1 OK/Cancel, 2 information, 3 error
    // How many of the message boxes() the add-in had shown when it showed this alert: where
    // the alert falls among them on the user's screen.
    size_t message_boxes_before = 0;
};

// A Windows message box the add-in showed (the platform recorded it and closed it with OK).
struct ShownMessageBox {
    std::string caption;  // cp1252
    std::string text;     // cp1252
    unsigned style = 0;   // MB_ICON* | MB_OK, MB_OKCANCEL, ...
};

}  // namespace xlhost
