// The control side of the platform: what xlhost and the tests use to set up what the add-in
// will find (registry values, top-level windows, answers of message boxes) and to read what it
// did (message boxes, debug output, launched programs, global blocks). The add-in never
// includes it. On Linux the stand-in (platform/sim/) implements it over its own state; on
// Windows the host's control side (host/os/windows/control/) over the real system. Namespace
// plat_control: the control side of the platform (`plat`), kept by both implementations alike;
// what only the stand-in offers besides is in namespace sim (platform/sim/sim_automation.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace plat_control {

// ---- Registry (HKEY_LOCAL_MACHINE) ----
struct RegValue {
    uint32_t type = plat::reg_sz;
    std::vector<uint8_t> bytes;
};
void registry_clear();
// Creates the key if needed. Text values are stored with their terminating NUL.
void registry_set(const std::string& subkey, const std::string& name, const RegValue& value);
void registry_set_text(const std::string& subkey, const std::string& name, const std::string& text);
void registry_create_key(const std::string& subkey);
void registry_delete_key(const std::string& subkey);
bool registry_key_exists(const std::string& subkey);
std::optional<RegValue> registry_get(const std::string& subkey, const std::string& name);
// While set, creating keys and setting values fails with access denied (a non-admin user).
void registry_deny_writes(bool deny);
// Persistence for the command line: load the file now and save it after every change.
// An empty path returns to memory only. A missing file is an empty registry, kept in a folder
// that must exist. False, with the reason in *error, for a path that is not a regular file, a
// file that cannot be read or written, or one with a malformed line (the line is named; the
// whole file is refused and nothing of it is loaded).
bool registry_use_file(const std::string& path, std::string* error = nullptr);
// Why the file lacks changes made since registry_use_file: the failure of the last save, ""
// when it succeeded (each save writes the whole registry). The changes stay in memory.
std::string registry_file_error();
// Keys opened and not yet closed (a leak check).
int registry_open_handles();

// ---- Top-level windows ----
plat::Window window_create(const std::string& class_name);
void window_destroy(plat::Window window);
void window_set_active(plat::Window window);
void windows_clear();

// ---- Message boxes ----
struct MessageBoxRecord {
    plat::Window owner;
    std::string text;
    std::string caption;
    unsigned style;
};
const std::vector<MessageBoxRecord>& message_boxes();
void message_boxes_clear();
// The button the next message boxes answer (default id_ok).
void message_box_set_answer(int answer);

// ---- Debugger output ----
const std::vector<std::string>& debug_lines();
void debug_lines_clear();
// Also echo every line to stderr (set from VARENTIS_DEBUG at load too).
void debug_set_echo(bool echo);

// ---- Global memory ----
int global_blocks_outstanding();
int global_blocks_locked();

// ---- Launched programs ----
struct SpawnRecord {
    std::string program;
    std::string arg0;
    std::string arg1;
    intptr_t result;
};
const std::vector<SpawnRecord>& spawns();
void spawns_clear();
// Waits for every launched program that started, then forgets the records (spawns_clear).
void spawns_reap();
struct SearchRecord {
    std::string file;
    std::string extension;
};
const std::vector<SearchRecord>& searches();

// ---- COM, as the add-in used it in this process ----
// OleInitialize calls that succeeded, and OleUninitialize calls.
int ole_initializations();
int ole_uninitializations();
// How often the running object table was enumerated (EnumRunning).
int running_table_enumerations();
// Bind contexts, running object tables, their enumerators and monikers the add-in holds.
int automation_helpers_alive();
// Automation strings and safe arrays the add-in owns: those it made and those handed to it in
// results, less those it freed.
int automation_strings_alive();
int safe_arrays_alive();

// Everything back to the state of a fresh machine (registry in memory, no windows, no records).
void reset();

}  // namespace plat_control
