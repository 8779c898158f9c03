// What Excel keeps of a procedure REGISTER accepted.
#pragma once

#include <string>
#include <vector>

namespace xlhost {

// One procedure that REGISTER accepted (a re-registration of the same procedure updates it).
struct Registration {
    std::string module, procedure, type_text, function_text, argument_text;
    int macro_type = 0;  // 1 function, 2 command, 0 hidden
    std::string category, shortcut, help_topic, function_help;
    std::vector<std::string> argument_help;
    double register_id = 0;
    bool name_defined = true;  // false once SET.NAME deleted the name
    int use_count = 1;         // REGISTER adds one, UNREGISTER takes one
};

}  // namespace xlhost
