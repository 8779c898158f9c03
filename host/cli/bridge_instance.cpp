#include "cli/bridge_instance.h"

#include <cstdlib>

#include "cli/menu_commands.h"
#include "os/os.h"
#include "xlhost/host.h"

namespace xlhost::cli {
namespace {

// An instance in this process: a host of its own.
class LocalInstance final : public BridgeInstance {
public:
    LocalInstance(const std::string& version, bool disturbed) : host_(options(version)) {
        host_.disturb_reference_coercion(disturbed);
    }
    bool serve(std::string* error) override { return host_.serve_automation(error); }
    bool load_sheet(const std::string& path, std::string* error) override { return host_.load_csv(path, error); }
    bool load(const std::string& copy, std::string* error, bool* load_failed) override {
        *load_failed = !host_.load(copy, error);
        return !*load_failed;
    }
    void open() override { host_.auto_open(); }
    void close() override { host_.auto_close(); }
    int probes_evaluated() override { return host_.probes_evaluated(); }
    bool probe_registered() override {
        for (const Registration& entry : host_.registrations())
            if (entry.procedure == "CheckInstance" && entry.use_count > 0) return true;
        return false;
    }
    void withdraw() override { host_.withdraw_automation(); }
    int references_held() override { return host_.automation_references_held(); }
    std::string read(const std::string& range) override {
        const Value value = host_.read_range(range);
        std::string out;
        print_what_the_user_saw(host_, out);
        return out + utf8(display(value)) + "\n";
    }
    std::vector<std::string> unload() override {
        host_.unload();
        return host_.faults();
    }
    bool intact(std::string*) override { return true; }

private:
    static Options options(const std::string& version) {
        Options options;
        options.excel_version = version;
        options.beside_others = true;
        return options;
    }
    Host host_;
};

// The requests between the bridge command and an instance in a process of its own: one line
// each, a verb and its operand; each reply begins with '+' (done, then what it answers) or '-'
// (not done, then why). A request is answered only once it has run to its end.
constexpr char done = '+', refused = '-';

std::string answer_request(LocalInstance& instance, const std::string& request) {
    const size_t space = request.find(' ');
    const std::string verb = request.substr(0, space);
    const std::string operand = space == std::string::npos ? "" : request.substr(space + 1);
    std::string error;
    bool load_failed = false;
    if (verb == "serve") return instance.serve(&error) ? std::string(1, done) : refused + error;
    if (verb == "sheet") return instance.load_sheet(operand, &error) ? std::string(1, done) : refused + error;
    if (verb == "load") return instance.load(operand, &error, &load_failed) ? std::string(1, done) : refused + error;
    if (verb == "open") return instance.open(), std::string(1, done);
    if (verb == "close") return instance.close(), std::string(1, done);
    if (verb == "probes") return done + std::to_string(instance.probes_evaluated());
    if (verb == "registered") return done + std::string(instance.probe_registered() ? "yes" : "no");
    if (verb == "withdraw") return instance.withdraw(), std::string(1, done);
    if (verb == "held") return done + std::to_string(instance.references_held());
    if (verb == "read") return done + instance.read(operand);
    if (verb == "unload") {
        std::string faults;
        for (const std::string& fault : instance.unload()) faults += fault + "\n";
        return done + faults;
    }
    return refused + ("unknown request " + verb);
}

// An instance in a process of its own: a copy of this program serving it, asked line by line.
class ProcessInstance final : public BridgeInstance {
public:
    ProcessInstance(std::unique_ptr<os::ChildProcess> process, int number)
        : process_(std::move(process)), number_(number) {}
    bool serve(std::string* error) override { return ask("serve", error); }
    bool load_sheet(const std::string& path, std::string* error) override { return ask("sheet " + path, error); }
    bool load(const std::string& copy, std::string* error, bool* load_failed) override {
        const bool loaded = ask("load " + copy, error);
        *load_failed = !loaded && !lost_;
        return loaded;
    }
    void open() override { answer("open"); }
    void close() override { answer("close"); }
    int probes_evaluated() override { return std::atoi(answer("probes").c_str()); }
    bool probe_registered() override { return answer("registered") == "yes"; }
    void withdraw() override { answer("withdraw"); }
    int references_held() override { return std::atoi(answer("held").c_str()); }
    std::string read(const std::string& range) override { return answer("read " + range); }
    std::vector<std::string> unload() override {
        std::vector<std::string> faults;
        const std::string lines = answer("unload");
        for (size_t start = 0, end; (end = lines.find('\n', start)) != std::string::npos; start = end + 1)
            faults.push_back(lines.substr(start, end - start));
        return faults;
    }
    bool intact(std::string* error) override {
        if (lost_) *error = lost_reason();
        return !lost_;
    }

private:
    // True with the request's answer in *reply; false with the reason it was not done. A process
    // that stops answering, or answers out of turn, is lost for every request after.
    bool ask(const std::string& request, std::string* reply) {
        if (request.find('\n') != std::string::npos) {
            *reply = "a line break cannot be passed to instance " + std::to_string(number_);
            return false;
        }
        std::string framed;
        if (lost_ || !process_->send(request) ||
            !process_->receive(&framed) || framed.empty() || (framed[0] != done && framed[0] != refused)) {
            lost_ = true;
            *reply = lost_reason();
            return false;
        }
        *reply = framed.substr(1);
        return framed[0] == done;
    }
    std::string answer(const std::string& request) {
        std::string reply;
        return ask(request, &reply) ? reply : "";
    }
    std::string lost_reason() const { return "instance " + std::to_string(number_) + " ended before the command did"; }

    std::unique_ptr<os::ChildProcess> process_;
    int number_;
    bool lost_ = false;
};

}  // namespace

std::unique_ptr<BridgeInstance> make_bridge_instance(const std::string& version, bool disturbed, int number,
                                                     std::string* error) {
    if (!os::automation_crosses_processes()) return std::make_unique<LocalInstance>(version, disturbed);
    std::vector<std::string> arguments{"bridge-instance", version};
    if (disturbed) arguments.push_back("disturbed");
    auto process = os::start_this_program(arguments, error);
    if (!process) return nullptr;
    return std::make_unique<ProcessInstance>(std::move(process), number);
}

}  // namespace xlhost::cli

namespace xlhost {

int serve_bridge_instance(const std::vector<std::string>& arguments) {
    using cli::LocalInstance;
    if (arguments.empty() || arguments.size() > 2 || (arguments.size() == 2 && arguments[1] != "disturbed")) return 2;
    LocalInstance instance(arguments[0], arguments.size() == 2);
    os::answer_requests([&instance](const std::string& request) { return cli::answer_request(instance, request); });
    return 0;
}

}  // namespace xlhost
