#include "win32/pe_image.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/win32/win32.h"

namespace win32_test {
namespace {

class Image {
public:
    explicit Image(std::vector<char> bytes) : bytes_(std::move(bytes)) {}

    template <class T>
    const T* at(size_t offset) const {
        if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T)) return nullptr;
        return reinterpret_cast<const T*>(bytes_.data() + offset);
    }
    bool parse_headers() {
        const auto* dos = at<IMAGE_DOS_HEADER>(0);
        if (dos == nullptr || dos->e_magic != IMAGE_DOS_SIGNATURE) return false;
        nt_ = at<IMAGE_NT_HEADERS32>(static_cast<size_t>(dos->e_lfanew));
        if (nt_ == nullptr || nt_->Signature != IMAGE_NT_SIGNATURE ||
            nt_->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR32_MAGIC)
            return false;
        sections_ = static_cast<size_t>(dos->e_lfanew) + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) +
                    nt_->FileHeader.SizeOfOptionalHeader;
        return true;
    }
    // The file offset of a relative virtual address, through the section table.
    bool offset_of(DWORD rva, size_t* offset) const {
        for (WORD i = 0; i < nt_->FileHeader.NumberOfSections; ++i) {
            const auto* section = at<IMAGE_SECTION_HEADER>(sections_ + i * sizeof(IMAGE_SECTION_HEADER));
            if (section == nullptr) return false;
            const DWORD size = section->Misc.VirtualSize ? section->Misc.VirtualSize : section->SizeOfRawData;
            if (rva >= section->VirtualAddress && rva < section->VirtualAddress + size) {
                *offset = section->PointerToRawData + (rva - section->VirtualAddress);
                return true;
            }
        }
        return false;
    }
    std::string text_at(DWORD rva) const {
        size_t offset = 0;
        if (!offset_of(rva, &offset) || offset >= bytes_.size()) return "";
        const char* start = bytes_.data() + offset;
        return std::string(start, strnlen(start, bytes_.size() - offset));
    }
    const IMAGE_DATA_DIRECTORY& directory(int index) const { return nt_->OptionalHeader.DataDirectory[index]; }

private:
    std::vector<char> bytes_;
    const IMAGE_NT_HEADERS32* nt_ = nullptr;
    size_t sections_ = 0;
};

}  // namespace

bool read_pe_tables(const std::string& path, PeTables* tables, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = "cannot read " + path;
        return false;
    }
    Image image(std::vector<char>(std::istreambuf_iterator<char>(in), {}));
    if (!image.parse_headers()) {
        *error = path + " is not a 32-bit PE image";
        return false;
    }
    size_t offset = 0;
    const auto& exports = image.directory(IMAGE_DIRECTORY_ENTRY_EXPORT);
    if (exports.Size != 0 && image.offset_of(exports.VirtualAddress, &offset)) {
        const auto* table = image.at<IMAGE_EXPORT_DIRECTORY>(offset);
        size_t names = 0;
        if (table && image.offset_of(table->AddressOfNames, &names)) {
            for (DWORD i = 0; i < table->NumberOfNames; ++i) {
                const auto* name = image.at<DWORD>(names + i * sizeof(DWORD));
                if (name) tables->exports.push_back(image.text_at(*name));
            }
        }
    }
    const auto& imports = image.directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
    if (imports.Size != 0 && image.offset_of(imports.VirtualAddress, &offset)) {
        for (;; offset += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
            const auto* descriptor = image.at<IMAGE_IMPORT_DESCRIPTOR>(offset);
            if (descriptor == nullptr || descriptor->Name == 0) break;
            auto& names = tables->imports[image.text_at(descriptor->Name)];
            const DWORD thunks = descriptor->OriginalFirstThunk ? descriptor->OriginalFirstThunk : descriptor->FirstThunk;
            size_t thunk = 0;
            if (!image.offset_of(thunks, &thunk)) continue;
            for (;; thunk += sizeof(DWORD)) {
                const auto* entry = image.at<DWORD>(thunk);
                if (entry == nullptr || *entry == 0) break;
                if (*entry & IMAGE_ORDINAL_FLAG32) {
                    names.push_back("#" + std::to_string(*entry & 0xFFFF));
                } else {
                    names.push_back(image.text_at(*entry + 2));  // past the hint
                }
            }
        }
    }
    return true;
}

}  // namespace win32_test
