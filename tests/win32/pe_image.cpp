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
    // The file header, then the optional header in its 32-bit or 64-bit form (told by its magic).
    bool parse_headers() {
        const auto* dos = at<IMAGE_DOS_HEADER>(0);
        if (dos == nullptr || dos->e_magic != IMAGE_DOS_SIGNATURE || dos->e_lfanew < 0) return false;
        const auto nt = static_cast<size_t>(dos->e_lfanew);
        const auto* signature = at<DWORD>(nt);
        file_ = at<IMAGE_FILE_HEADER>(nt + sizeof(DWORD));
        if (signature == nullptr || *signature != IMAGE_NT_SIGNATURE || file_ == nullptr) return false;
        const size_t optional = nt + sizeof(DWORD) + sizeof(IMAGE_FILE_HEADER);
        const auto* magic = at<WORD>(optional);
        if (magic == nullptr) return false;
        if (*magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
            const auto* header = at<IMAGE_OPTIONAL_HEADER32>(optional);
            if (header == nullptr) return false;
            directories_ = header->DataDirectory;
            directory_count_ = header->NumberOfRvaAndSizes;
        } else if (*magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
            const auto* header = at<IMAGE_OPTIONAL_HEADER64>(optional);
            if (header == nullptr) return false;
            directories_ = header->DataDirectory;
            directory_count_ = header->NumberOfRvaAndSizes;
            plus_ = true;
        } else {
            return false;
        }
        sections_ = optional + file_->SizeOfOptionalHeader;
        return true;
    }
    const IMAGE_FILE_HEADER& file() const { return *file_; }
    bool plus() const { return plus_; }
    // The file offset of a relative virtual address, through the section table.
    bool offset_of(DWORD rva, size_t* offset) const {
        for (WORD i = 0; i < file_->NumberOfSections; ++i) {
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
    IMAGE_DATA_DIRECTORY directory(DWORD index) const {
        return index < directory_count_ ? directories_[index] : IMAGE_DATA_DIRECTORY{};
    }
    // The names an import thunk table lists: 4-byte entries in PE, 8-byte ones in PE32+.
    template <class Entry>
    void thunk_names(size_t thunk, Entry ordinal_flag, std::vector<std::string>* names) const {
        for (;; thunk += sizeof(Entry)) {
            const auto* entry = at<Entry>(thunk);
            if (entry == nullptr || *entry == 0) break;
            if (*entry & ordinal_flag) {
                names->push_back("#" + std::to_string(*entry & 0xFFFF));
            } else {
                names->push_back(text_at(static_cast<DWORD>(*entry) + 2));  // past the hint
            }
        }
    }

private:
    std::vector<char> bytes_;
    const IMAGE_FILE_HEADER* file_ = nullptr;
    const IMAGE_DATA_DIRECTORY* directories_ = nullptr;
    DWORD directory_count_ = 0;
    bool plus_ = false;
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
        *error = path + " is not a PE image";
        return false;
    }
    tables->machine = image.file().Machine;
    tables->plus = image.plus();
    tables->dll = (image.file().Characteristics & IMAGE_FILE_DLL) != 0;
    size_t offset = 0;
    const auto exports = image.directory(IMAGE_DIRECTORY_ENTRY_EXPORT);
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
    const auto imports = image.directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
    if (imports.Size != 0 && image.offset_of(imports.VirtualAddress, &offset)) {
        for (;; offset += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
            const auto* descriptor = image.at<IMAGE_IMPORT_DESCRIPTOR>(offset);
            if (descriptor == nullptr || descriptor->Name == 0) break;
            auto& names = tables->imports[image.text_at(descriptor->Name)];
            const DWORD thunks = descriptor->OriginalFirstThunk ? descriptor->OriginalFirstThunk : descriptor->FirstThunk;
            size_t thunk = 0;
            if (!image.offset_of(thunks, &thunk)) continue;
            if (image.plus())
                image.thunk_names<ULONGLONG>(thunk, IMAGE_ORDINAL_FLAG64, &names);
            else
                image.thunk_names<DWORD>(thunk, IMAGE_ORDINAL_FLAG32, &names);
        }
    }
    return true;
}

}  // namespace win32_test
