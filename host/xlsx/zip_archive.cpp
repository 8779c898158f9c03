#include "xlsx/zip_archive.h"

#include <zlib.h>

#include <cstdint>
#include <cstring>

namespace xlhost::xlsx {

namespace {

constexpr uint32_t local_signature = 0x04034b50;
constexpr uint32_t central_signature = 0x02014b50;
constexpr uint32_t end_signature = 0x06054b50;

uint32_t u16(const std::string& s, size_t at) {
    return static_cast<uint8_t>(s[at]) | static_cast<uint32_t>(static_cast<uint8_t>(s[at + 1])) << 8;
}
uint32_t u32(const std::string& s, size_t at) { return u16(s, at) | u16(s, at + 2) << 16; }
void put16(std::string& s, uint32_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& s, uint32_t v) {
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

bool fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

bool inflate_raw(const std::string& in, size_t size, std::string* out) {
    out->assign(size, '\0');
    if (size == 0) return true;  // an empty part: nothing to inflate into
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return false;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = reinterpret_cast<Bytef*>(out->data());
    z.avail_out = static_cast<uInt>(size);
    const int status = inflate(&z, Z_FINISH);
    const bool whole = status == Z_STREAM_END && z.total_out == size;
    inflateEnd(&z);
    return whole;
}

bool deflate_raw(const std::string& in, std::string* out) {
    z_stream z{};
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
    out->assign(deflateBound(&z, static_cast<uLong>(in.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = reinterpret_cast<Bytef*>(out->data());
    z.avail_out = static_cast<uInt>(out->size());
    const int status = deflate(&z, Z_FINISH);
    out->resize(z.total_out);
    deflateEnd(&z);
    return status == Z_STREAM_END;
}

}  // namespace

bool read_zip(const std::string& a, std::vector<ZipEntry>* entries, std::string* error) {
    if (a.size() < 22) return fail(error, "not a zip archive (too short)");
    size_t end = std::string::npos;
    for (size_t at = a.size() - 22 + 1; at-- > 0 && a.size() - at <= 22 + 65535;)
        if (u32(a, at) == end_signature) {
            end = at;
            break;
        }
    if (end == std::string::npos) return fail(error, "not a zip archive (no end of central directory)");
    const uint32_t count = u16(a, end + 10);
    size_t at = u32(a, end + 16);
    entries->clear();
    for (uint32_t i = 0; i < count; ++i) {
        if (at + 46 > a.size() || u32(a, at) != central_signature) return fail(error, "a damaged central directory");
        const uint32_t method = u16(a, at + 10), crc = u32(a, at + 16), packed = u32(a, at + 20),
                       size = u32(a, at + 24), name_length = u16(a, at + 28), extra = u16(a, at + 30),
                       comment = u16(a, at + 32), local = u32(a, at + 42);
        if (at + 46 + name_length > a.size()) return fail(error, "a damaged central directory");
        ZipEntry entry;
        entry.name = a.substr(at + 46, name_length);
        if (packed == 0xFFFFFFFF || size == 0xFFFFFFFF || local == 0xFFFFFFFF)
            return fail(error, entry.name + ": zip64 entries are not read");
        if (static_cast<size_t>(local) + 30 > a.size() || u32(a, local) != local_signature)
            return fail(error, entry.name + ": a damaged local header");
        const size_t data_at = local + 30 + u16(a, local + 26) + u16(a, local + 28);
        if (data_at + packed > a.size()) return fail(error, entry.name + ": data past the end of the archive");
        const std::string raw = a.substr(data_at, packed);
        if (method == 0) {
            entry.data = raw;
        } else if (method == 8) {
            if (!inflate_raw(raw, size, &entry.data)) return fail(error, entry.name + ": cannot be inflated");
        } else {
            return fail(error, entry.name + ": compression method " + std::to_string(method) + " is not read");
        }
        const uint32_t check =
            static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(entry.data.data()), static_cast<uInt>(entry.data.size())));
        if (check != crc) return fail(error, entry.name + ": CRC mismatch");
        entries->push_back(std::move(entry));
        at += 46 + name_length + extra + comment;
    }
    return true;
}

bool write_zip(const std::vector<ZipEntry>& entries, std::string* archive, std::string* error) {
    std::string out, directory;
    constexpr uint32_t dos_time = 0, dos_date = (0 << 9) | (1 << 5) | 1;  // 1980-01-01 00:00
    // The fields of an archive without ZIP64: 16-bit counts and name lengths, 32-bit sizes and
    // offsets. What does not fit is refused, never written cut to its low bits.
    constexpr size_t most16 = 0xFFFF, most32 = 0xFFFFFFFFu;
    if (entries.size() > most16) return fail(error, "more than 65535 parts for a zip archive");
    for (const auto& entry : entries) {
        if (entry.name.size() > most16 || entry.data.size() > most32)
            return fail(error, entry.name.substr(0, 64) + ": too large for a zip archive");
        std::string packed;
        if (!deflate_raw(entry.data, &packed)) return fail(error, entry.name + ": cannot be deflated");
        if (packed.size() > most32 || out.size() > most32 - 30 - entry.name.size() - packed.size())
            return fail(error, "the package is too large for a zip archive");
        const uint32_t crc =
            static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(entry.data.data()), static_cast<uInt>(entry.data.size())));
        const uint32_t offset = static_cast<uint32_t>(out.size());
        put32(out, local_signature);
        put16(out, 20);  // version needed: deflate
        put16(out, 0);   // flags
        put16(out, 8);   // deflate
        put16(out, dos_time);
        put16(out, dos_date);
        put32(out, crc);
        put32(out, static_cast<uint32_t>(packed.size()));
        put32(out, static_cast<uint32_t>(entry.data.size()));
        put16(out, static_cast<uint32_t>(entry.name.size()));
        put16(out, 0);
        out += entry.name;
        out += packed;

        put32(directory, central_signature);
        put16(directory, 20);  // made by: MS-DOS, 2.0
        put16(directory, 20);
        put16(directory, 0);
        put16(directory, 8);
        put16(directory, dos_time);
        put16(directory, dos_date);
        put32(directory, crc);
        put32(directory, static_cast<uint32_t>(packed.size()));
        put32(directory, static_cast<uint32_t>(entry.data.size()));
        put16(directory, static_cast<uint32_t>(entry.name.size()));
        put16(directory, 0);  // extra
        put16(directory, 0);  // comment
        put16(directory, 0);  // disk
        put16(directory, 0);  // internal attributes
        put32(directory, 0);  // external attributes
        put32(directory, offset);
        directory += entry.name;
    }
    if (directory.size() > most32 || out.size() > most32 - directory.size())
        return fail(error, "the package is too large for a zip archive");
    const uint32_t directory_at = static_cast<uint32_t>(out.size());
    out += directory;
    put32(out, end_signature);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<uint32_t>(entries.size()));
    put16(out, static_cast<uint32_t>(entries.size()));
    put32(out, static_cast<uint32_t>(directory.size()));
    put32(out, directory_at);
    put16(out, 0);
    *archive = std::move(out);
    return true;
}

}  // namespace xlhost::xlsx
