#include "addin/settings.h"

#include <string.h>

#include "platform/platform.h"

namespace addin {

int idioma = 0;
char versao_text[setting_buffer_size] = "";

namespace {

// Reads the raw bytes of a value into the buffer as a NUL-terminated text, whatever its registry
// type. A missing value reads as an empty text. The bytes of a value do not necessarily end in a
// NUL (a binary value, or a text stored without its terminator), so the terminator is added here;
// a value that leaves no room for it, or that does not fit the buffer at all, reads as empty
// rather than as an unterminated text.
void read_value(plat::RegKey key, const char* name, char (&buffer)[setting_buffer_size]) {
    buffer[0] = '\0';
    uint32_t type = 0;
    uint32_t size = sizeof buffer;
    if (plat::reg_query_value(key, name, &type, buffer, &size) != plat::reg_ok ||
        size > sizeof buffer) {
        buffer[0] = '\0';
        return;
    }
    if (size < sizeof buffer) {
        buffer[size] = '\0';
    } else if (buffer[sizeof buffer - 1] != '\0') {
        buffer[0] = '\0';  // exactly full and unterminated: no room for the terminator
    }
}

}  // namespace

void read_settings() {
    idioma = 0;
    plat::RegKey key = nullptr;
    if (plat::reg_open_query(settings_key, &key) == plat::reg_ok) {
        char buffer[setting_buffer_size];
        read_value(key, "PATH", buffer);
        if (buffer[0] != '\0') {
            read_value(key, "VERSAO", buffer);
            memcpy(versao_text, buffer, strlen(buffer) + 1);
            read_value(key, "IDIOMA", buffer);
            idioma = buffer[0] == '1' ? 1 : 2;
        }
        plat::reg_close(key);
    }
    if (idioma != 1 && idioma != 2) idioma = 2;
}

}  // namespace addin
