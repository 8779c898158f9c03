// The add-in's settings, read once when the library is mapped into Excel's process, from the
// machine-wide key HKEY_LOCAL_MACHINE "Software\Varentis".
#pragma once

#include <stddef.h>

#include "ambiente/idioma.h"

namespace ambiente {

constexpr const char* settings_key = "Software\\Varentis";
// What "IDIOMA" holds for each language; only its first character is read back.
inline constexpr Bilingue<const char*> idioma_no_registro{"1", "2"};
// Every value is read as raw bytes into a buffer of this size.
constexpr size_t setting_buffer_size = 500;

// The installed version text ("VERSAO"), empty when not installed; read only elsewhere.
extern char versao_text[setting_buffer_size];

// Reads "PATH", and when it is not empty "VERSAO" and "IDIOMA"; sets idioma (Portuguese when
// "IDIOMA" starts as Portuguese's value does, English otherwise) and versao_text.
void read_settings();

}  // namespace ambiente
