# Settings of the Windows builds (mingw-w64, i686 or x86_64 as the toolchain file says), included
# by the top-level CMakeLists.txt.
#
# Everything is linked with the static runtime: Excel cannot load an XLL that needs the
# libstdc++ or libgcc DLLs, and the test programs then run under Wine with nothing beside them
# but XLCALL32.DLL. Every program and DLL lands in one folder, bin/, so that the host, its
# XLCALL32.DLL, the add-in and the test programs find one another as they would on Windows.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)  # MODULE libraries (test add-ins)
add_link_options(-static -static-libgcc -static-libstdc++)
# Doubles in SSE2 registers, as on x86-64: the x87 unit's 80-bit intermediates would round
# differently from the native build (a term such as 1 - 360 x (1/360) would not come out as 0).
add_compile_options(-msse2 -mfpmath=sse)

# The two architectures ship side by side: the 64-bit add-in and host carry "64" in their names
# (varentis64.xll, xlhost64.exe), so that a user never mistakes one for the other.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(VX_WINDOWS_BITS 64)
  set(VX_ARCH_SUFFIX 64)
elseif(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(VX_WINDOWS_BITS 32)
  set(VX_ARCH_SUFFIX "")
else()
  message(FATAL_ERROR "no Windows build for the processor ${CMAKE_SYSTEM_PROCESSOR} (i686 or x86_64)")
endif()
set(VX_ADDIN_FILE_NAME varentis${VX_ARCH_SUFFIX}.xll)
set(VX_XLHOST_FILE_NAME xlhost${VX_ARCH_SUFFIX}.exe)
# The kind of Wine prefix the build's programs run in (scripts/wine/env.sh reads it): a 32-bit
# one for the 32-bit build, a 64-bit one (which also runs 32-bit programs) for the 64-bit build.
file(WRITE ${CMAKE_BINARY_DIR}/wine-arch "win${VX_WINDOWS_BITS}\n")

# Excel's call library as the add-in imports it: Excel4 (cdecl) and Excel4v (stdcall), bound to
# their plain names. The add-in links against this import library only, never against the
# host's stand-in DLL, exactly as it would against Excel's own library.
set(VX_XLCALL32_IMPLIB ${CMAKE_BINARY_DIR}/lib/libxlcall32.dll.a)
add_custom_command(
  OUTPUT ${VX_XLCALL32_IMPLIB}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/lib
  COMMAND ${VX_DLLTOOL} -k -d ${CMAKE_CURRENT_LIST_DIR}/xlcall32-${CMAKE_SYSTEM_PROCESSOR}.def -l ${VX_XLCALL32_IMPLIB}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/xlcall32-${CMAKE_SYSTEM_PROCESSOR}.def
  COMMENT "Import library for XLCALL32.DLL")
add_custom_target(xlcall32_import DEPENDS ${VX_XLCALL32_IMPLIB})
add_library(xlcall32 INTERFACE)
target_link_libraries(xlcall32 INTERFACE ${VX_XLCALL32_IMPLIB})
add_dependencies(xlcall32 xlcall32_import)

# A path of the build tree as Windows programs under Wine see it: drive Z: is the Unix root.
function(vx_windows_path variable unix_path)
  string(REPLACE "/" "\\\\" windows_path "${unix_path}")
  set(${variable} "Z:${windows_path}" PARENT_SCOPE)
endfunction()

# The add-in's exports are __stdcall; on i686 --kill-at exports them under their plain names
# (xlAutoOpen, interpol, ...), the names Excel looks up. x64 decorates nothing, and the option
# changes nothing there.
function(vx_windows_addin target)
  target_link_options(${target} PRIVATE -Wl,--kill-at)
endfunction()

# GoogleTest, built from Debian's source with the same compiler (it defines the GTest::
# targets itself).
if(VX_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Its one use of std::mutex is replaced through its customisation header.
  target_include_directories(gtest BEFORE PUBLIC ${CMAKE_CURRENT_LIST_DIR}/gtest-custom)
endif()

# A test program runs under Wine as one ctest test: scripts/wine/run-suite.sh gives it a fresh
# copy of the run's Wine prefix and its own wineserver.
#
# Scenarios of the shared suites that cannot exist on Windows, and why:
# - Dispatch.EscapingExceptionsAreFaults, on i686 only: an exception that leaves an export ends
#   the host's process there, as it ends Excel's (every module carries its own static unwinder,
#   which knows no other module's frames). The win32 suite proves that in a child process. On
#   x64 Windows unwinds through every module, and the host sees the fault as on Linux.
# - tests/menu/ajuda_sem_navegador_test.cpp (not built): the web help with no browser anywhere;
#   under Wine the file search always finds Wine's own explorer.exe, and starting it with the
#   help page would open a real window.
# - tests/menu/registry_file_cli_test.cpp (not built): the stand-in registry's file; the
#   Windows host keeps its settings in the real registry and has no such file.
# - tests/host/special_files_test.cpp (not built): the devices and named pipes of a POSIX system.
# - tests/xll/excel_window_handles_test.cpp (not built): it chooses window handles, which only
#   the stand-in allows.
if(VX_WINDOWS_BITS EQUAL 32)
  set(VX_WINE_EXCLUDED_host_tests "Dispatch.EscapingExceptionsAreFaults")
endif()
set(VX_WINE_EXCLUDED_SOURCES_menu ${CMAKE_SOURCE_DIR}/tests/menu/ajuda_sem_navegador_test.cpp
                                  ${CMAKE_SOURCE_DIR}/tests/menu/registry_file_cli_test.cpp)
set(VX_WINE_EXCLUDED_SOURCES_host ${CMAKE_SOURCE_DIR}/tests/host/special_files_test.cpp)
set(VX_WINE_EXCLUDED_SOURCES_xll ${CMAKE_SOURCE_DIR}/tests/xll/excel_window_handles_test.cpp
    # Automation values made through the platform stand-in's control side.
    ${CMAKE_SOURCE_DIR}/tests/xll/automation_values_test.cpp)
# - tests/workbooks/scratch_files_test.cpp (not built): follows the export's scratch files through
#   TMPDIR, a POSIX environment variable.
set(VX_WINE_EXCLUDED_SOURCES_workbooks ${CMAKE_SOURCE_DIR}/tests/workbooks/scratch_files_test.cpp)

set(VX_WINE_RUN_SUITE ${CMAKE_SOURCE_DIR}/scripts/wine/run-suite.sh)
set(VX_WINE_IN_PREFIX ${CMAKE_SOURCE_DIR}/scripts/wine/in-prefix.sh)
function(vx_wine_suite target)
  set(arguments)
  if(VX_WINE_EXCLUDED_${target})
    list(JOIN VX_WINE_EXCLUDED_${target} ":" excluded)
    set(arguments "--gtest_filter=-${excluded}")
  endif()
  add_test(NAME ${target} COMMAND ${VX_WINE_RUN_SUITE} $<TARGET_FILE:${target}> ${arguments})
  set_tests_properties(${target} PROPERTIES
    ENVIRONMENT "VARENTIS_ADDIN=$<TARGET_FILE:varentis>;VX_WINE_BUILD=${CMAKE_BINARY_DIR}"
    TIMEOUT 900)
endfunction()

# A command of the build machine (a script driving xlhost.exe or xlhost64.exe, named by VX_XLHOST)
# run inside a prefix of its own.
function(vx_wine_command name)
  add_test(NAME ${name} COMMAND ${VX_WINE_IN_PREFIX} ${name} ${ARGN})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "VARENTIS_ADDIN=$<TARGET_FILE:varentis>;VX_WINE_BUILD=${CMAKE_BINARY_DIR};VX_XLHOST=$<TARGET_FILE:xlhost>"
    TIMEOUT 900)
endfunction()
