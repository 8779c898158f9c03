// Handles that this process holds open to a registry key, found by the key's name: what the
// add-in left open, since the host and the tests close every key they open at once.
#pragma once

#include <string>
#include <vector>

namespace xlhost::win32 {

// Open handles to any of the keys HKEY_LOCAL_MACHINE\<subkey> or a key below one; -1 when the
// system does not tell.
int open_machine_key_handles(const std::vector<std::string>& subkeys);

}  // namespace xlhost::win32
