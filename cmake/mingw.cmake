# Cross toolchain for Windows with mingw-w64, for the architecture that the including file sets
# in CMAKE_SYSTEM_PROCESSOR (i686: Debian g++-mingw-w64-i686; x86_64: g++-mingw-w64-x86-64).
# The default (win32) thread model is used, so nothing may rely on std::mutex or std::thread.
# Used by the project and by the cross builds of its libraries (scripts/mingw-deps.sh).
set(CMAKE_SYSTEM_NAME Windows)

# VX_MINGW_POSIX_THREADS: the compilers of the posix thread model instead, which have std::thread
# and std::mutex; only the Windows benchmark program needs them (Google Benchmark uses both), and
# it loads the add-in built with the default ones.
set(VX_MINGW_PREFIX ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(VX_MINGW_THREADS "")
if(VX_MINGW_POSIX_THREADS)
  set(VX_MINGW_THREADS -posix)
endif()
set(CMAKE_C_COMPILER ${VX_MINGW_PREFIX}-gcc${VX_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${VX_MINGW_PREFIX}-g++${VX_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${VX_MINGW_PREFIX}-windres)
set(CMAKE_AR ${VX_MINGW_PREFIX}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${VX_MINGW_PREFIX}-ranlib CACHE FILEPATH "")
set(VX_DLLTOOL ${VX_MINGW_PREFIX}-dlltool)
set(VX_OBJDUMP ${VX_MINGW_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${VX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
