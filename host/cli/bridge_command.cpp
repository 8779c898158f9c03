#include "cli/bridge_command.h"

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include "cli/menu_commands.h"
#include "xlhost/host.h"

namespace xlhost::cli {
namespace {

// A folder of its own for the instances' copies of the add-in, removed at the end.
class CopyFolder {
public:
    CopyFolder() {
        static std::atomic<int> serial{0};
        std::error_code code;
        auto base = std::filesystem::temp_directory_path(code);
        if (code) base = ".";
        path_ = base / ("xlhost-bridge-" + std::to_string(getpid()) + "-" + std::to_string(++serial));
        std::filesystem::create_directories(path_, code);
        ready_ = !code;
    }
    ~CopyFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    bool ready() const { return ready_; }
    // The add-in copied to instanceK/ under its own file name.
    std::string copy(const std::string& addin, int instance, std::string* error) const {
        std::error_code code;
        const auto folder = path_ / ("instance" + std::to_string(instance));
        std::filesystem::create_directories(folder, code);
        const auto target = folder / std::filesystem::path(addin).filename();
        if (!code) std::filesystem::copy_file(addin, target, std::filesystem::copy_options::overwrite_existing, code);
        if (code) {
            *error = "cannot copy the add-in for instance " + std::to_string(instance) + ": " + code.message();
            return "";
        }
        return target.string();
    }

private:
    std::filesystem::path path_;
    bool ready_ = false;
};

bool probe_registered(const Host& host) {
    for (const Registration& entry : host.registrations())
        if (entry.procedure == "CheckInstance" && entry.use_count > 0) return true;
    return false;
}

}  // namespace

bool run_bridge_command(const std::string& addin, const BridgeRequest& request, std::string& out, std::string* error,
                        bool* load_failed, size_t* faults) {
    *load_failed = false;
    *faults = 0;
    const int count = request.instances;
    const int own = request.own == 0 ? count : request.own;
    CopyFolder folder;
    if (!folder.ready()) {
        *error = "cannot make a folder for the instances' copies of the add-in";
        return false;
    }
    Options options;
    options.excel_version = request.excel_version;
    options.beside_others = true;
    std::vector<std::unique_ptr<Host>> hosts;
    for (int i = 0; i < count; ++i) hosts.push_back(std::make_unique<Host>(options));
    Host& ours = *hosts[static_cast<size_t>(own - 1)];
    if (!request.sheet.empty() && !ours.load_csv(request.sheet, error)) return false;
    // An Excel 97 reads no reference for the add-in while other instances of it run.
    const bool disturbed = count > 1 && request.excel_version == "8.0";
    for (int i = 0; i < count; ++i) {
        Host& host = *hosts[static_cast<size_t>(i)];
        host.disturb_reference_coercion(disturbed);
        if ((i + 1 != own || !request.own_late) && !host.serve_automation(error)) return false;
        const std::string copy = folder.copy(addin, i + 1, error);
        if (copy.empty()) return false;
        if (!host.load(copy, error)) {
            *load_failed = true;
            return false;
        }
    }

    std::vector<int> probes_before;
    for (int i = 0; i < count; ++i) {
        Host& host = *hosts[static_cast<size_t>(i)];
        if (&host == &ours)
            for (const auto& each : hosts) probes_before.push_back(each->probes_evaluated());
        host.auto_open();
        if (&host == &ours) {
            int total = 0;
            std::string where;
            for (int j = 0; j < count; ++j) {
                const int probes = hosts[static_cast<size_t>(j)]->probes_evaluated() - probes_before[static_cast<size_t>(j)];
                total += probes;
                where += std::string(where.empty() ? "" : ", ") + "instance " + std::to_string(j + 1) + ": " +
                         std::to_string(probes);
            }
            const bool found = ours.probes_evaluated() > probes_before[static_cast<size_t>(own - 1)];
            const bool registered = probe_registered(ours);
            const bool connected = registered && ours.automation_references_held() > 0;
            out += "version: " + utf8(request.excel_version) + "\n";
            out += std::string("state: ") + (connected ? "connected" : registered ? "registered" : "idle") + "\n";
            out += "probes: " + std::to_string(total) + " (" + where + ")\n";
            out += std::string("own instance: ") + (found ? "found" : "not found") + "\n";
            out += std::string("CheckInstance registered: ") + (registered ? "yes" : "no") + "\n";
        }
    }
    if (request.own_late && !ours.serve_automation(error)) return false;
    if (!request.range.empty()) {
        const Value value = ours.read_range(request.range);
        print_what_the_user_saw(ours, out);
        out += utf8(display(value)) + "\n";
    }
    for (auto& host : hosts) host.get()->auto_close();
    int held = 0;
    for (auto& host : hosts) held += host->automation_references_held();
    out += std::string("after close: registered ") + (probe_registered(ours) ? "yes" : "no") +
           ", objects held " + std::to_string(held) + "\n";
    for (auto& host : hosts) {
        host->unload();
        *faults += host->faults().size();
        for (const auto& fault : host->faults()) *error += (error->empty() ? "" : "; ") + fault;
    }
    return true;
}

}  // namespace xlhost::cli
