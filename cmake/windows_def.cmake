# Module-definition files for Windows builds. Ours are written with the 32-bit
# x86 decoration of WINAPI names (name@4); 64-bit Windows has one calling
# convention and no decoration, so there a copy without it is used.

# Writes to `out` the .def file `in` as this build's architecture needs it.
function(windows_def_for_arch in out)
  file(READ "${in}" text)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    string(REGEX REPLACE "@[0-9]+( +@)" "\\1" text "${text}")
  endif()
  file(WRITE "${out}" "${text}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${in}")
endfunction()

# Makes the import library target `target` from the .def file `def`: dlltool
# with MinGW, lib /def with Visual Studio.
function(windows_import_library target def)
  set(arch_def "${CMAKE_CURRENT_BINARY_DIR}/${target}.def")
  windows_def_for_arch("${def}" "${arch_def}")
  if(MSVC)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
      set(machine x64)
    else()
      set(machine x86)
    endif()
    set(lib "${CMAKE_CURRENT_BINARY_DIR}/${target}.lib")
    add_custom_command(OUTPUT "${lib}"
      COMMAND "${CMAKE_AR}" /nologo /machine:${machine} "/def:${arch_def}" "/out:${lib}"
      DEPENDS "${arch_def}" VERBATIM)
  else()
    if(NOT CMAKE_DLLTOOL)
      find_program(CMAKE_DLLTOOL NAMES ${CMAKE_CXX_COMPILER_TARGET}-dlltool dlltool REQUIRED)
    endif()
    set(lib "${CMAKE_CURRENT_BINARY_DIR}/lib${target}.a")
    add_custom_command(OUTPUT "${lib}"
      COMMAND "${CMAKE_DLLTOOL}" -d "${arch_def}" -l "${lib}"
      DEPENDS "${arch_def}" VERBATIM)
  endif()
  add_custom_target(${target}_build DEPENDS "${lib}")
  add_library(${target} INTERFACE)
  add_dependencies(${target} ${target}_build)
  target_link_libraries(${target} INTERFACE "${lib}")
endfunction()
