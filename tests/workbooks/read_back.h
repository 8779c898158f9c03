// What openpyxl reads of a saved workbook: tests/workbooks/read_xlsx.py prints one fact per line
// (and Python's own error, when the file does not open).
#pragma once

#include <cstdio>
#include <string>

inline std::string read_back(const std::string& path) {
    const std::string command = "/usr/bin/python3 " + std::string(XLSX_READER) + " " + path + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return "popen failed";
    std::string out;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
    pclose(pipe);
    return out;
}
