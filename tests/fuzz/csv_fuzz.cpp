// CSV sheets: the host's reader on any bytes, and the sheet it loads. Invariants: no crash, no
// undefined behaviour; a refusal names its reason; what the reader accepts comes back the same
// when its fields are written out again and read anew; a loaded sheet is written out as CSV
// the reader accepts.
#include <string>

#include "csv/csv.h"
#include "fuzz_support.h"

namespace {

std::string written(const xlhost::CsvRows& rows) {
    std::string text;
    for (const auto& row : rows) {
        for (size_t i = 0; i < row.size(); ++i) text += (i ? "," : "") + xlhost::csv_field(row[i]);
        text += "\n";
    }
    return text;
}

}  // namespace

// The add-in is mapped before the run starts, so that the fuzzer counts its coverage.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::host_with_the_addin();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    xlhost::CsvRows rows;
    std::string why;
    if (!xlhost::parse_csv(text, &rows, &why)) {
        if (why.empty()) fuzz::violation("a CSV text refused without a reason");
        return 0;
    }
    xlhost::CsvRows again;
    if (!xlhost::parse_csv(written(rows), &again, &why)) fuzz::violation("written fields read back refused: " + why);
    // A row of one empty field is written as an empty line, which reads as no field at all.
    for (auto* table : {&rows, &again})
        for (auto& row : *table)
            if (row.size() == 1 && row[0].empty()) row.clear();
    if (again != rows) fuzz::violation("written fields read back differ");

    xlhost::Host& host = fuzz::host_with_the_addin();
    if (host.load_csv_text(text, &why)) {
        xlhost::CsvRows sheet;
        if (!xlhost::parse_csv(host.sheet_csv(), &sheet, &why)) fuzz::violation("the loaded sheet as CSV is refused: " + why);
    } else if (why.empty()) {
        fuzz::violation("a sheet refused without a reason");
    }
    fuzz::check_host(host, "loading a CSV sheet");
    return 0;
}
