// The most memory this test process has had resident so far: a step that copies a whole sheet
// cell by cell (sixteen million values, well over a gigabyte) shows in it however quickly it
// ran, where a step that only measures the sheet does not.
#pragma once

#include <cstddef>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

namespace vx_test {

inline std::size_t peak_resident_bytes() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return counters.PeakWorkingSetSize;
#else
    struct rusage usage {};
    if (getrusage(RUSAGE_SELF, &usage) != 0) return 0;
    return static_cast<std::size_t>(usage.ru_maxrss) * 1024;  // kilobytes on Linux
#endif
}

// Well above what any step of the suites needs, well below a sheet copied cell by cell.
constexpr std::size_t copied_sheet_bytes = std::size_t{256} << 20;

}  // namespace vx_test
