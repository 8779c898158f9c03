// Excel instances on the stand-in: its COM is one process's, so every instance lives in this
// process and none is started apart; a process started by hand still answers requests.
#include <iostream>
#include <string>

#include "os/os.h"

namespace xlhost::os {

bool automation_crosses_processes() { return false; }

std::unique_ptr<ChildProcess> start_xlhost(const std::vector<std::string>&, std::string* error) {
    *error = "the stand-in's automation objects cannot be reached from another process";
    return nullptr;
}

void answer_requests(const std::function<std::string(const std::string&)>& answer) {
    for (std::string line; std::getline(std::cin, line);) {
        const std::string reply = answer(line);
        std::cout << reply.size() << '\n' << reply << std::flush;
    }
}

}  // namespace xlhost::os
