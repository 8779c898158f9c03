#include "cli/bridge_command.h"

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include "cli/menu_commands.h"
#include "instances/instance.h"
#include "model/address.h"
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

bool run_instances(const std::string& addin, const BridgeRequest& request, std::string& out, std::string* error,
                   bool* load_failed, size_t* faults) {
    const int count = request.instances;
    const int own = request.own == 0 ? count : request.own;
    CopyFolder folder;
    if (!folder.ready()) {
        *error = "cannot make a folder for the instances' copies of the add-in";
        return false;
    }
    instances::InstanceOptions options;
    options.excel_version = request.excel_version;
    // An Excel 97 reads no reference for the add-in while other instances of it run.
    if (count > 1 && request.excel_version == "8.0") options.probes = CoercionProbes::disturbed();
    std::vector<std::unique_ptr<instances::Instance>> excels;
    for (int i = 0; i < count; ++i) {
        excels.push_back(instances::make_instance(options, error));
        if (!excels.back()) return false;
    }
    instances::Instance& ours = *excels[static_cast<size_t>(own - 1)];
    if (!request.sheet.empty() && !ours.load_sheet(request.sheet, error)) return false;
    for (int i = 0; i < count; ++i) {
        instances::Instance& excel = *excels[static_cast<size_t>(i)];
        if ((i + 1 != own || !request.own_late) && !excel.serve(error)) return false;
        const std::string copy = folder.copy(addin, i + 1, error);
        if (copy.empty() || !excel.load(copy, error, load_failed)) return false;
    }

    for (int i = 0; i < count; ++i) {
        instances::Instance& excel = *excels[static_cast<size_t>(i)];
        if (&excel != &ours) {
            excel.open();
            continue;
        }
        std::vector<int> probes_before;
        for (const auto& each : excels) probes_before.push_back(each->probes_evaluated());
        ours.open();
        int total = 0;
        std::string where;
        for (int j = 0; j < count; ++j) {
            const int probes = excels[static_cast<size_t>(j)]->probes_evaluated() - probes_before[static_cast<size_t>(j)];
            total += probes;
            where += std::string(where.empty() ? "" : ", ") + "instance " + std::to_string(j + 1) + ": " +
                     std::to_string(probes);
        }
        const bool found = ours.probes_evaluated() > probes_before[static_cast<size_t>(own - 1)];
        const bool registered = ours.probe_registered();
        const bool connected = registered && ours.references_held() > 0;
        out += "version: " + printable(utf8(request.excel_version)) + "\n";
        out += std::string("state: ") + (connected ? "connected" : registered ? "registered" : "idle") + "\n";
        out += "probes: " + std::to_string(total) + " (" + where + ")\n";
        out += std::string("own instance: ") + (found ? "found" : "not found") + "\n";
        out += std::string("CheckInstance registered: ") + (registered ? "yes" : "no") + "\n";
    }
    if (request.own_late && !ours.serve(error)) return false;
    // The sheet came before the add-ins: its formulas are worked out now that they are open, as
    // Excel calculates a workbook it opens.
    if (!request.sheet.empty()) ours.calculate();
    if (!request.range.empty()) {
        const Value value = ours.read(request.range);
        for (const ShownMessageBox& box : ours.message_boxes()) out += message_box_lines(box);
        out += utf8(display(value)) + "\n";
    }
    for (auto& excel : excels) excel->close();
    // Counted once no instance can be found any more: what COM kept for the registrations is
    // gone, what the add-ins still hold is not.
    for (auto& excel : excels) excel->withdraw();
    int held = 0;
    for (auto& excel : excels) held += excel->references_held();
    out += std::string("after close: registered ") + (ours.probe_registered() ? "yes" : "no") + ", objects held " +
           std::to_string(held) + "\n";
    for (auto& excel : excels) {
        for (const std::string& fault : excel->unload()) {
            ++*faults;
            *error += (error->empty() ? "" : "; ") + fault;
        }
    }
    for (auto& excel : excels)
        if (!excel->intact(error)) return false;
    return true;
}

}  // namespace

bool run_bridge_command(const std::string& addin, const BridgeRequest& request, std::string& out, std::string* error,
                        bool* load_failed, size_t* faults) {
    *load_failed = false;
    *faults = 0;
    // Refused before any instance starts: nothing is printed, nothing is left behind.
    if (!request.sheet.empty()) {
        if (request.range.empty()) {
            *error = "bridge: the range is empty; give one range of cells such as A1:B4";
            return false;
        }
        if (!parse_range(request.range)) {
            *error = "bridge: " + request.range + " is not one range of cells such as A1:B4";
            return false;
        }
    }
    // Whatever ends the run, the folder of copies and the instances' processes go with it.
    try {
        return run_instances(addin, request, out, error, load_failed, faults);
    } catch (const std::exception& failure) {
        *error = std::string("bridge: ") + failure.what();
    } catch (...) {
        *error = "bridge: the command failed";
    }
    return false;
}

}  // namespace xlhost::cli
