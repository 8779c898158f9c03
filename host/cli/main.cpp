// xlhost: the command line of the Excel stand-in. Everything is in the library.
#include <cstdio>
#include <string>
#include <vector>

#include "xlhost/host.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && arguments[0] == "bridge-instance")
        return xlhost::serve_bridge_instance({arguments.begin() + 1, arguments.end()});
    std::string out, err;
    const int status = xlhost::run_command_line(arguments, out, err);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fwrite(err.data(), 1, err.size(), stderr);
    return status;
}
