// The registry of the stand-in: keys and typed values under HKEY_LOCAL_MACHINE, compared
// without regard to case as Windows does, kept in memory or in a file between runs.
#include <cstring>
#include <set>

#include "platform/platform.h"
#include "platform/sim/registry_file.h"
#include "platform/control/platform_control.h"
#include "platform/sim/sim_state.h"

namespace {

sim::detail::RegistryKeys keys;
std::string backing_file;
std::string file_error;  // why the file lacks changes made in memory ("" when it holds them all)
bool writes_denied = false;

enum class Access { query, set };
struct OpenKey {
    std::string subkey;
    Access access;
};
std::set<OpenKey*> open_keys;

// Every change goes to the file at once, the whole registry each time. A save that fails keeps
// the change in memory and is remembered until a later save succeeds, for the host to tell:
// the next run would otherwise lose the change silently.
void save() {
    if (backing_file.empty()) return;
    file_error.clear();
    sim::detail::write_registry_file(backing_file, keys, &file_error);
}

OpenKey* as_open(plat::RegKey key) {
    auto* open = static_cast<OpenKey*>(key);
    return open_keys.count(open) ? open : nullptr;
}

}  // namespace

namespace plat_control {

void registry_clear() {
    keys.clear();
    save();
}

void registry_create_key(const std::string& subkey) {
    keys[subkey];
    save();
}

void registry_set(const std::string& subkey, const std::string& name, const RegValue& value) {
    keys[subkey][name] = value;
    save();
}

void registry_set_text(const std::string& subkey, const std::string& name, const std::string& text) {
    RegValue value;
    value.type = plat::reg_sz;
    value.bytes.assign(text.begin(), text.end());
    value.bytes.push_back(0);
    registry_set(subkey, name, value);
}

void registry_delete_key(const std::string& subkey) {
    keys.erase(subkey);
    save();
}

bool registry_key_exists(const std::string& subkey) { return keys.count(subkey) != 0; }

std::optional<RegValue> registry_get(const std::string& subkey, const std::string& name) {
    auto key = keys.find(subkey);
    if (key == keys.end()) return std::nullopt;
    auto value = key->second.find(name);
    if (value == key->second.end()) return std::nullopt;
    return value->second;
}

void registry_deny_writes(bool deny) { writes_denied = deny; }

bool registry_use_file(const std::string& path, std::string* error) {
    backing_file.clear();
    file_error.clear();
    keys.clear();
    if (path.empty()) return true;
    if (!sim::detail::read_registry_file(path, keys, error)) return false;
    backing_file = path;
    return true;
}

std::string registry_file_error() { return file_error; }

int registry_open_handles() { return static_cast<int>(open_keys.size()); }

}  // namespace plat_control

namespace sim::detail {
void reset_registry() {
    backing_file.clear();
    file_error.clear();
    keys.clear();
    writes_denied = false;
    for (OpenKey* key : open_keys) delete key;
    open_keys.clear();
}
}  // namespace sim::detail

namespace plat {

long reg_open_query(const char* subkey, RegKey* key) {
    if (subkey == nullptr || key == nullptr) return 87;  // ERROR_INVALID_PARAMETER
    if (keys.find(subkey) == keys.end()) return reg_not_found;
    auto* open = new OpenKey{subkey, Access::query};
    open_keys.insert(open);
    *key = open;
    return reg_ok;
}

long reg_query_value(RegKey key, const char* name, uint32_t* type, void* buffer, uint32_t* size) {
    OpenKey* open = as_open(key);
    if (open == nullptr) return 6;  // ERROR_INVALID_HANDLE
    // A handle opened for setting only may not read, as the real one opened with KEY_SET_VALUE.
    if (open->access != Access::query) return reg_access_denied;
    if (buffer != nullptr && size == nullptr) return 998;  // ERROR_NOACCESS
    auto found = plat_control::registry_get(open->subkey, name ? name : "");
    if (!found) return reg_not_found;
    if (type) *type = found->type;
    const auto needed = static_cast<uint32_t>(found->bytes.size());
    if (size == nullptr) return reg_ok;
    if (buffer == nullptr) {
        *size = needed;
        return reg_ok;
    }
    if (*size < needed) {
        *size = needed;
        return reg_more_data;
    }
    if (needed) std::memcpy(buffer, found->bytes.data(), needed);
    *size = needed;
    return reg_ok;
}

long reg_create_for_set(const char* subkey, RegKey* key) {
    if (subkey == nullptr || key == nullptr) return 87;
    if (writes_denied) return reg_access_denied;
    if (keys.find(subkey) == keys.end()) plat_control::registry_create_key(subkey);
    auto* open = new OpenKey{subkey, Access::set};
    open_keys.insert(open);
    *key = open;
    return reg_ok;
}

long reg_set_text(RegKey key, const char* name, const char* text) {
    OpenKey* open = as_open(key);
    if (open == nullptr) return 6;
    if (open->access != Access::set || writes_denied) return reg_access_denied;
    plat_control::registry_set_text(open->subkey, name ? name : "", text ? text : "");
    return reg_ok;
}

long reg_close(RegKey key) {
    OpenKey* open = as_open(key);
    if (open == nullptr) return 6;
    open_keys.erase(open);
    delete open;
    return reg_ok;
}

}  // namespace plat
