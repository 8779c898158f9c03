// The control side of the registry on real Windows: tests and the host set up and read back
// HKEY_LOCAL_MACHINE itself, where the add-in reads its settings. Every key made through here
// is remembered, so that clearing the registry removes what the tests put there (and the
// settings key, whoever made it), and nothing else of the machine's.
#include <algorithm>
#include <set>
#include <vector>

#include "os/windows/control/key_handles.h"
#include "os/windows/control/win32.h"
#include "platform/control/platform_control.h"

#include <aclapi.h>

namespace {

constexpr const char* settings_key = "Software\\Varentis";

std::string lower(std::string text) {
    CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::set<std::string>& made_keys() {
    static std::set<std::string> keys{lower(settings_key)};
    return keys;
}

void delete_tree(const std::string& subkey) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, subkey.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, subkey.c_str());
}

// ---- Denied writes: a deny entry for everyone in the keys' access lists ----
struct SavedAccess {
    std::string subkey;
    std::vector<char> descriptor;  // self-relative, as it was before the deny entry
};
std::vector<SavedAccess> saved_access;

bool add_deny_entry(const std::string& subkey, DWORD rights) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, READ_CONTROL | WRITE_DAC, &key) != ERROR_SUCCESS)
        return false;
    PACL old_list = nullptr;
    PSECURITY_DESCRIPTOR old_descriptor = nullptr;
    bool done = false;
    if (GetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &old_list, nullptr,
                        &old_descriptor) == ERROR_SUCCESS) {
        SavedAccess saved{subkey, {}};
        DWORD size = 0;
        MakeSelfRelativeSD(old_descriptor, nullptr, &size);
        saved.descriptor.resize(size);
        if (size == 0 || IsValidSecurityDescriptor(old_descriptor) == FALSE ||
            !MakeSelfRelativeSD(old_descriptor, saved.descriptor.data(), &size))
            saved.descriptor.assign(static_cast<char*>(old_descriptor),
                                    static_cast<char*>(old_descriptor) + GetSecurityDescriptorLength(old_descriptor));
        EXPLICIT_ACCESSA deny{};
        deny.grfAccessPermissions = rights;
        deny.grfAccessMode = DENY_ACCESS;
        deny.grfInheritance = NO_INHERITANCE;
        deny.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
        deny.Trustee.ptstrName = const_cast<char*>("EVERYONE");
        PACL new_list = nullptr;
        if (SetEntriesInAclA(1, &deny, old_list, &new_list) == ERROR_SUCCESS) {
            done = SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, new_list,
                                   nullptr) == ERROR_SUCCESS;
            LocalFree(new_list);
        }
        if (done) saved_access.push_back(std::move(saved));
        LocalFree(old_descriptor);
    }
    RegCloseKey(key);
    return done;
}

// A user who may not write under HKEY_LOCAL_MACHINE cannot create the settings key either.
// Wine checks no rights on the keys above a new one, so while writes are denied a missing
// settings key is stood for by an empty one that nobody may write to, and that the control
// side reports as missing.
bool placeholder = false;

bool holds_nothing(const std::string& subkey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD subkeys = 0, values = 0;
    const bool empty = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                                        nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
                       subkeys == 0 && values == 0;
    RegCloseKey(key);
    return empty;
}

void restore_access() {
    for (auto it = saved_access.rbegin(); it != saved_access.rend(); ++it) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, it->subkey.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS) continue;
        RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, it->descriptor.data());
        RegCloseKey(key);
    }
    saved_access.clear();
    if (placeholder && holds_nothing(settings_key)) RegDeleteKeyA(HKEY_LOCAL_MACHINE, settings_key);
    placeholder = false;
}

}  // namespace

namespace plat_control {

void registry_clear() {
    restore_access();
    for (const std::string& subkey : made_keys()) delete_tree(subkey);
    made_keys() = {lower(settings_key)};
}

void registry_create_key(const std::string& subkey) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) == ERROR_SUCCESS) {
        RegCloseKey(key);
        made_keys().insert(lower(subkey));
    }
}

void registry_set(const std::string& subkey, const std::string& name, const RegValue& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    made_keys().insert(lower(subkey));
    // RegSetValueExA looks one byte past a text value that lacks its terminator and, when that
    // byte is zero, stores one byte more. A non-zero guard byte after the value keeps the stored
    // bytes exactly those given (and keeps that look inside our own buffer).
    std::vector<BYTE> bytes(value.bytes.begin(), value.bytes.end());
    bytes.push_back(0xFF);
    RegSetValueExA(key, name.c_str(), 0, value.type, value.bytes.empty() ? nullptr : bytes.data(),
                   static_cast<DWORD>(value.bytes.size()));
    RegCloseKey(key);
}

void registry_set_text(const std::string& subkey, const std::string& name, const std::string& text) {
    RegValue value;
    value.type = REG_SZ;
    value.bytes.assign(text.begin(), text.end());
    value.bytes.push_back(0);
    registry_set(subkey, name, value);
}

void registry_delete_key(const std::string& subkey) { delete_tree(subkey); }

bool registry_key_exists(const std::string& subkey) {
    if (placeholder && lower(subkey) == lower(settings_key) && holds_nothing(settings_key)) return false;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::optional<RegValue> registry_get(const std::string& subkey, const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0, size = 0;
    std::optional<RegValue> found;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        RegValue value;
        value.type = type;
        value.bytes.resize(size);
        if (RegQueryValueExA(key, name.c_str(), nullptr, &type, value.bytes.empty() ? nullptr : value.bytes.data(),
                             &size) == ERROR_SUCCESS) {
            value.bytes.resize(size);
            found = value;
        }
    }
    RegCloseKey(key);
    return found;
}

// As a user who may not write under HKEY_LOCAL_MACHINE: the settings key can be neither
// created nor written.
void registry_deny_writes(bool deny) {
    restore_access();
    if (!deny) return;
    if (!registry_key_exists(settings_key)) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, settings_key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr) != ERROR_SUCCESS)
            return;
        RegCloseKey(key);
        placeholder = true;
    }
    add_deny_entry(settings_key, KEY_SET_VALUE | KEY_CREATE_SUB_KEY);
}

// The real registry keeps its values between runs by itself, whatever file is named.
bool registry_use_file(const std::string&, std::string*) { return true; }

std::string registry_file_error() { return ""; }

int registry_open_handles() {
    const std::vector<std::string> keys(made_keys().begin(), made_keys().end());
    return xlhost::win32::open_machine_key_handles(keys);
}

}  // namespace plat_control
