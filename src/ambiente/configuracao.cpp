#include "ambiente/configuracao.h"

#include <string.h>

#include "platform/platform.h"

namespace ambiente {

Idioma idioma = Idioma::ingles;
char versao_text[setting_buffer_size] = "";

namespace {

// Reads the raw bytes of a value into the buffer, whatever its registry type. The buffer is
// emptied first, so a missing value, or one too large for the buffer (whose contents the
// registry then leaves undefined), reads as an empty text. A value shorter than the buffer is
// terminated behind its bytes; one of exactly the buffer's size may be left unterminated, so
// only its first byte may be taken as it is. Answers the number of bytes read.
uint32_t read_value(plat::RegKey key, const char* name, char (&buffer)[setting_buffer_size]) {
    buffer[0] = '\0';
    uint32_t type = 0;
    uint32_t size = sizeof buffer;
    if (plat::reg_query_value(key, name, &type, buffer, &size) != plat::reg_ok || size > sizeof buffer) {
        buffer[0] = '\0';
        return 0;
    }
    if (size < sizeof buffer) buffer[size] = '\0';
    return size;
}

// The version is kept as a text, so it must end inside the buffer: one that fills the whole
// buffer without a terminator has no room for it and reads as empty.
void read_text_value(plat::RegKey key, const char* name, char (&buffer)[setting_buffer_size]) {
    if (read_value(key, name, buffer) == sizeof buffer && memchr(buffer, '\0', sizeof buffer) == nullptr)
        buffer[0] = '\0';
}

}  // namespace

void read_settings() {
    idioma = Idioma::ingles;
    plat::RegKey key = nullptr;
    if (plat::reg_open_query(settings_key, &key) == plat::reg_ok) {
        char buffer[setting_buffer_size];
        // PATH and IDIOMA are decided by their first byte alone, whatever their length.
        read_value(key, "PATH", buffer);
        if (buffer[0] != '\0') {
            read_text_value(key, "VERSAO", buffer);
            memcpy(versao_text, buffer, strlen(buffer) + 1);
            read_value(key, "IDIOMA", buffer);
            if (buffer[0] == idioma_no_registro.em(Idioma::portugues)[0]) idioma = Idioma::portugues;
        }
        plat::reg_close(key);
    }
}

}  // namespace ambiente
