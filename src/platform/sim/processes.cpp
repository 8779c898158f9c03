// Program launch and file search of the stand-in: real processes started with a PATH search,
// and a search of the current folder and PATH for a file, as Windows searches.
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/control/platform_control.h"

extern char** environ;

namespace {
std::vector<plat_control::SpawnRecord> launched;
std::vector<plat_control::SearchRecord> searched;

bool is_file(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
}  // namespace

namespace plat_control {
const std::vector<SpawnRecord>& spawns() { return launched; }
void spawns_clear() {
    launched.clear();
    searched.clear();
}
const std::vector<SearchRecord>& searches() { return searched; }
void spawns_reap() {
    for (const auto& spawn : launched)
        if (spawn.result > 0) ::waitpid(static_cast<pid_t>(spawn.result), nullptr, 0);
    spawns_clear();
}
}  // namespace plat_control

namespace plat {

intptr_t spawn_nowait(const char* program, const char* arg0, const char* arg1) {
    if (program == nullptr || arg0 == nullptr) return -1;
    std::vector<char*> argv{const_cast<char*>(arg0)};
    if (arg1) argv.push_back(const_cast<char*>(arg1));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int status = ::posix_spawnp(&pid, program, nullptr, nullptr, argv.data(), environ);
    const intptr_t result = status == 0 ? static_cast<intptr_t>(pid) : -1;
    launched.push_back({program, arg0, arg1 ? arg1 : "", result});
    return result;
}

uint32_t search_path(const char* file, const char* extension, char* buffer, uint32_t size) {
    if (file == nullptr) return 0;
    searched.push_back({file, extension ? extension : ""});
    std::string name = file;
    // The extension is added only when the name has none.
    if (extension && name.find('.') == std::string::npos) name += extension;
    std::vector<std::string> folders{"."};
    if (const char* path = std::getenv("PATH")) {
        std::string all = path;
        size_t start = 0;
        while (start <= all.size()) {
            const size_t end = all.find(':', start);
            const std::string folder = all.substr(start, end == std::string::npos ? std::string::npos : end - start);
            if (!folder.empty()) folders.push_back(folder);
            if (end == std::string::npos) break;
            start = end + 1;
        }
    }
    for (const auto& folder : folders) {
        std::string full = folder + "/" + name;
        if (!is_file(full)) continue;
        if (char* real = ::realpath(full.c_str(), nullptr)) {
            full = real;
            std::free(real);
        }
        const auto length = static_cast<uint32_t>(full.size());
        if (buffer == nullptr || length + 1 > size) return length + 1;
        std::memcpy(buffer, full.c_str(), length + 1);
        return length;
    }
    return 0;
}

}  // namespace plat
