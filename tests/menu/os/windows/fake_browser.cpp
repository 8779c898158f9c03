// A stand-in browser for the web-help scenarios: writes the path it runs from and each argument,
// one a line, to its own path + ".received", and exits at once.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    const std::string own(path, length);
    std::FILE* out = std::fopen((own + ".received").c_str(), "wb");
    if (out == nullptr) return 1;
    std::fprintf(out, "%s\n", own.c_str());
    for (int i = 1; i < argc; ++i) std::fprintf(out, "%s\n", argv[i]);
    std::fclose(out);
    return 0;
}
