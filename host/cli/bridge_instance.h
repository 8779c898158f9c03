// One Excel instance of the bridge command: a host with its own copy of the add-in. Natively
// every instance lives in this process (the platform stand-in's COM is one process's); with real
// COM each one is a process of its own, as every Excel is, so that a probe landing in another
// instance really runs there. The command drives both kinds alike.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace xlhost::cli {

class BridgeInstance {
public:
    virtual ~BridgeInstance() = default;
    // Serves its Application as the active object and in the running object table.
    virtual bool serve(std::string* error) = 0;
    // Loads BOOK.csv as its sheet.
    virtual bool load_sheet(const std::string& path, std::string* error) = 0;
    // Loads its copy of the add-in (*load_failed when the add-in itself refused).
    virtual bool load(const std::string& copy, std::string* error, bool* load_failed) = 0;
    virtual void open() = 0;   // xlAutoOpen
    virtual void close() = 0;  // xlAutoClose
    virtual int probes_evaluated() = 0;
    virtual bool probe_registered() = 0;
    // Revokes its Application's registrations, as an Excel does when it quits.
    virtual void withdraw() = 0;
    // References others hold on the objects it served.
    virtual int references_held() = 0;
    // What the user saw while the add-in read RANGE through its fallback, then the value read.
    virtual std::string read(const std::string& range) = 0;
    // Unloads the add-in; the faults found in its behaviour.
    virtual std::vector<std::string> unload() = 0;
    // False, with the reason, when the instance was lost on the way (its process ended early).
    virtual bool intact(std::string* error) = 0;
};

// An instance answering GET.WORKSPACE(2) with `version`, whose reference coercion answers as an
// Excel 97 does beside other instances when `disturbed`.
std::unique_ptr<BridgeInstance> make_bridge_instance(const std::string& version, bool disturbed, int number,
                                                     std::string* error);

}  // namespace xlhost::cli
