// The reader as a child process, its standard output and errors read through a pipe.
#include "workbooks/xlsx_facts.h"

#include <cstdio>

namespace workbooks_test {

std::string read_xlsx_facts(const std::string& path) {
    const std::string command = "/usr/bin/python3 " + std::string(XLSX_READER) + " '" + path + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return "popen failed";
    std::string facts;
    char buffer[4096];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) facts += buffer;
    pclose(pipe);
    return facts;
}

}  // namespace workbooks_test
