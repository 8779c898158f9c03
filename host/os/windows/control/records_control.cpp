// The control side of message boxes and debugger output on real Windows: what the watches saw,
// in the terms of platform/control/platform_control.h. Loading this file starts both watches on
// the thread that runs the program's start-up, the thread the add-in is driven on, so that no
// message box ever waits.
#include "os/windows/control/debug_output_watch.h"
#include "os/windows/control/import_watch.h"
#include "os/windows/control/message_box_watch.h"
#include "os/windows/control/win32.h"
#include "platform/control/platform_control.h"

namespace {

struct Watching {
    Watching() {
        xlhost::win32::start_message_box_watch();
        xlhost::win32::start_debug_output_watch();
    }
} watching;

}  // namespace

namespace plat_control {

const std::vector<MessageBoxRecord>& message_boxes() {
    static std::vector<MessageBoxRecord> records;
    records.clear();
    for (const auto& box : xlhost::win32::message_boxes_seen())
        records.push_back({box.owner, box.text, box.caption, box.style});
    return records;
}

void message_boxes_clear() { xlhost::win32::clear_message_boxes_seen(); }

void message_box_set_answer(int answer) { xlhost::win32::set_message_box_answer(answer); }

const std::vector<std::string>& debug_lines() {
    static std::vector<std::string> lines;
    lines = xlhost::win32::debug_output_seen();
    return lines;
}

void debug_lines_clear() { xlhost::win32::clear_debug_output_seen(); }

void debug_set_echo(bool echo) { xlhost::win32::set_debug_output_echo(echo); }

int global_blocks_outstanding() { return xlhost::win32::global_blocks_outstanding(); }
int global_blocks_locked() { return xlhost::win32::global_blocks_locked(); }

const std::vector<SpawnRecord>& spawns() {
    static std::vector<SpawnRecord> records;
    records.clear();
    for (const auto& spawn : xlhost::win32::spawns_seen())
        records.push_back({spawn.program, spawn.arg0, spawn.arg1, spawn.result});
    return records;
}

const std::vector<SearchRecord>& searches() {
    static std::vector<SearchRecord> records;
    records.clear();
    for (const auto& search : xlhost::win32::searches_seen()) records.push_back({search.file, search.extension});
    return records;
}

// A launched program's handle is closed once it has ended, so forgetting waits for it.
void spawns_clear() { xlhost::win32::reap_spawns(); }
void spawns_reap() { xlhost::win32::reap_spawns(); }

void reset() {
    registry_clear();
    windows_clear();
    message_boxes_clear();
    message_box_set_answer(plat::id_ok);
    debug_lines_clear();
    spawns_clear();
}

}  // namespace plat_control
