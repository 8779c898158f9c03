// cp1252 <-> UTF-8. The bytes 0x80 to 0x9F of cp1252 carry typographic characters; five of
// them are unassigned and pass through as the C1 control of the same number.
#include <cctype>
#include <cstdint>
#include <string>

#include "model/text.h"

namespace xlhost {
namespace {

const char32_t high_block[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void append_utf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

char to_cp1252(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
    for (int i = 0; i < 32; ++i)
        if (high_block[i] == code) return static_cast<char>(0x80 + i);
    return '?';
}

}  // namespace

std::string utf8(const std::string& cp1252_text) {
    std::string out;
    out.reserve(cp1252_text.size());
    for (char ch : cp1252_text) {
        const auto byte = static_cast<unsigned char>(ch);
        append_utf8(out, byte >= 0x80 && byte < 0xA0 ? high_block[byte - 0x80] : byte);
    }
    return out;
}

std::string cp1252(const std::string& utf8_text) {
    std::string out;
    out.reserve(utf8_text.size());
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8_text.data());
    const size_t size = utf8_text.size();
    size_t i = 0;
    while (i < size) {
        const unsigned char lead = bytes[i];
        int extra = 0;
        char32_t code = 0;
        if (lead < 0x80) {
            code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            code = lead & 0x07;
        } else {
            out += '?';  // a stray continuation byte or an invalid lead
            ++i;
            continue;
        }
        bool valid = i + static_cast<size_t>(extra) < size;
        for (int k = 1; valid && k <= extra; ++k) {
            const unsigned char next = bytes[i + static_cast<size_t>(k)];
            if ((next & 0xC0) != 0x80) valid = false;
            else code = (code << 6) | (next & 0x3F);
        }
        if (!valid) {
            out += '?';
            ++i;
            continue;
        }
        out += to_cp1252(code);
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

std::string printable(const std::string& text) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 0x20 && byte != 0x7F) {
            out += ch;
            continue;
        }
        out += "\\x";
        out += digits[byte >> 4];
        out += digits[byte & 0x0F];
    }
    return out;
}

bool same_text_nocase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace xlhost
