// The settings key under HKEY_LOCAL_MACHINE, with the access rights each use needs and no more:
// query only for reading, set only for the language commands.
#include <cstring>

#include "platform/platform.h"
#include "platform/win32/win32.h"

namespace plat {

static_assert(reg_ok == ERROR_SUCCESS && reg_not_found == ERROR_FILE_NOT_FOUND &&
                  reg_access_denied == ERROR_ACCESS_DENIED && reg_more_data == ERROR_MORE_DATA,
              "status codes are the Win32 error codes");
static_assert(reg_sz == REG_SZ && reg_binary == REG_BINARY && reg_dword == REG_DWORD, "value types");

long reg_open_query(const char* subkey, RegKey* key) {
    if (key == nullptr) return ERROR_INVALID_PARAMETER;
    HKEY opened = nullptr;
    const LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, KEY_QUERY_VALUE, &opened);
    if (status == ERROR_SUCCESS) *key = opened;
    return status;
}

long reg_query_value(RegKey key, const char* name, uint32_t* type, void* buffer, uint32_t* size) {
    DWORD value_type = 0;
    DWORD value_size = size ? *size : 0;
    const LONG status = RegQueryValueExA(static_cast<HKEY>(key), name, nullptr,
                                         type ? &value_type : nullptr,
                                         static_cast<BYTE*>(buffer), size ? &value_size : nullptr);
    if (type && (status == ERROR_SUCCESS || status == ERROR_MORE_DATA)) *type = value_type;
    if (size && (status == ERROR_SUCCESS || status == ERROR_MORE_DATA)) *size = value_size;
    return status;
}

long reg_create_for_set(const char* subkey, RegKey* key) {
    if (key == nullptr) return ERROR_INVALID_PARAMETER;
    HKEY created = nullptr;
    const LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, nullptr,
                                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                                        &created, nullptr);
    if (status == ERROR_SUCCESS) *key = created;
    return status;
}

long reg_set_text(RegKey key, const char* name, const char* text) {
    if (text == nullptr) text = "";
    return RegSetValueExA(static_cast<HKEY>(key), name, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1));
}

long reg_close(RegKey key) { return RegCloseKey(static_cast<HKEY>(key)); }

}  // namespace plat
