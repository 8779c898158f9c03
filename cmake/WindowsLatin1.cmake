# vx_windows_latin1(target): the target's string literals, written in UTF-8, become cp1252 bytes
# in the binary. GCC converts them itself (-fexec-charset); a compiler that cannot (clang, used
# for the fuzz build) compiles a cp1252 copy of each source, made with iconv. Call it after
# every source of the target has been added.
function(vx_windows_latin1 target)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -fexec-charset=CP1252)
    return()
  endif()
  find_program(VX_ICONV iconv REQUIRED)
  get_target_property(sources ${target} SOURCES)
  set(converted)
  foreach(source ${sources})
    get_filename_component(source ${source} ABSOLUTE)
    file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR} ${source})
    set(copy ${CMAKE_BINARY_DIR}/cp1252/${relative})
    get_filename_component(folder ${copy} DIRECTORY)
    add_custom_command(OUTPUT ${copy}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
      COMMAND ${VX_ICONV} -f UTF-8 -t CP1252 -o ${copy} ${source}
      DEPENDS ${source} VERBATIM)
    list(APPEND converted ${copy})
  endforeach()
  set_property(TARGET ${target} PROPERTY SOURCES ${converted})
  target_compile_options(${target} PRIVATE -Wno-invalid-source-encoding)
endfunction()
