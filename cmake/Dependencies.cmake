# The outside libraries, as the same targets for both builds:
#   vx::jpeg        libjpeg (the add-in's JPEG decoder)
#   vx::xlsxwriter  libxlsxwriter with zlib (the host's .xlsx export)
#   ZLIB::ZLIB      zlib (the host rewrites the packages libxlsxwriter writes)
#   vx::musl_math   musl's elementary functions (the calculation cores' exp, pow, log1p, ...)
# On Linux they are Debian's packages. For Windows, Debian has only zlib (libz-mingw-w64-dev,
# linked statically); libjpeg-turbo and libxlsxwriter are cross-built from Debian's source
# packages by scripts/mingw-deps.sh into VX_DEPS_PREFIX, as static libraries. The fuzz build
# takes libjpeg-turbo from the same source package, built by the same script with the fuzz
# build's instrumentation, so that the fuzzer sees inside the decoder too.
if(WIN32)
  set(VX_DEPS_FLAVOUR ${CMAKE_SYSTEM_PROCESSOR})
elseif(VX_FUZZ)
  set(VX_DEPS_FLAVOUR fuzz)
endif()
if(VX_DEPS_FLAVOUR)
  set(VX_DEPS_PREFIX ${CMAKE_SOURCE_DIR}/build/deps/${VX_DEPS_FLAVOUR} CACHE PATH
      "Where scripts/mingw-deps.sh installed the libraries built from Debian's source packages")
  function(vx_built_library target file)
    if(NOT EXISTS ${VX_DEPS_PREFIX}/lib/${file})
      message(FATAL_ERROR "${VX_DEPS_PREFIX}/lib/${file} is missing: run "
                          "scripts/mingw-deps.sh ${VX_DEPS_FLAVOUR}")
    endif()
    add_library(${target} STATIC IMPORTED GLOBAL)
    set_target_properties(${target} PROPERTIES
      IMPORTED_LOCATION ${VX_DEPS_PREFIX}/lib/${file}
      INTERFACE_INCLUDE_DIRECTORIES ${VX_DEPS_PREFIX}/include
      INTERFACE_LINK_LIBRARIES "${ARGN}")
  endfunction()
  # The first two lines are the recipe and the architecture, then one line a library.
  file(STRINGS ${VX_DEPS_PREFIX}/VERSIONS VX_DEPS_VERSIONS)
  list(SUBLIST VX_DEPS_VERSIONS 2 -1 VX_DEPS_VERSIONS)
  message(STATUS "Libraries built from Debian's source packages in ${VX_DEPS_PREFIX}: ${VX_DEPS_VERSIONS}")
endif()

if(WIN32)
  set(ZLIB_USE_STATIC_LIBS ON)
  find_package(ZLIB REQUIRED)
  vx_built_library(vx::jpeg libjpeg.a)
  vx_built_library(vx::xlsxwriter libxlsxwriter.a ZLIB::ZLIB)
else()
  if(VX_FUZZ)
    vx_built_library(vx::jpeg libjpeg.a)
  else()
    find_package(JPEG REQUIRED)
    add_library(vx::jpeg ALIAS JPEG::JPEG)
  endif()
  find_package(ZLIB REQUIRED)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET GLOBAL xlsxwriter)
  add_library(vx::xlsxwriter ALIAS PkgConfig::XLSXWRITER)
endif()

# musl's maths, on every target (the native one too) from the same source with the same flags,
# so that the cores compute the same bits everywhere: built by scripts/mingw-deps.sh ARCH
# (native for the Linux builds, the fuzz build's included) into build/deps/ARCH/.
if(WIN32)
  set(VX_MUSL_MATH_ARCH ${CMAKE_SYSTEM_PROCESSOR})
else()
  set(VX_MUSL_MATH_ARCH native)
endif()
set(VX_MUSL_MATH_PREFIX ${CMAKE_SOURCE_DIR}/build/deps/${VX_MUSL_MATH_ARCH} CACHE PATH
    "Where scripts/mingw-deps.sh installed musl's maths")
if(NOT EXISTS ${VX_MUSL_MATH_PREFIX}/lib/libmusl_math.a)
  message(FATAL_ERROR "${VX_MUSL_MATH_PREFIX}/lib/libmusl_math.a is missing: run "
                      "scripts/mingw-deps.sh ${VX_MUSL_MATH_ARCH}")
endif()
add_library(vx::musl_math STATIC IMPORTED GLOBAL)
set_target_properties(vx::musl_math PROPERTIES
  IMPORTED_LOCATION ${VX_MUSL_MATH_PREFIX}/lib/libmusl_math.a
  INTERFACE_INCLUDE_DIRECTORIES ${VX_MUSL_MATH_PREFIX}/include)
file(STRINGS ${VX_MUSL_MATH_PREFIX}/VERSIONS VX_MUSL_MATH_VERSION REGEX "^musl ")
message(STATUS "musl's maths in ${VX_MUSL_MATH_PREFIX}: ${VX_MUSL_MATH_VERSION}")
