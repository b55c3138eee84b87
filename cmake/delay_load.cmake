# DLLs that are not KnownDLLs are bound when first called, not at start: Windows
# looks for a DLL of the import table beside the program first, and the program's
# folder is often Downloads. By the time the delay-load helper loads one, the
# program has limited the search to the system folder (platform/dll_search.h).
#
#   target_delay_load(<target> <dll base name>...)
#
# links <target> with a delay-import library for each DLL, made once at configure
# time from the toolchain's import library (every export, with the stdcall @N
# decorations of 32-bit names). The delay-load helper itself is in libmingwex.
function(target_delay_load target)
  foreach(dll IN LISTS ARGN)
    set(library ${CMAKE_BINARY_DIR}/delay_load/lib${dll}_delay.a)
    if(NOT TARGET delay_load_${dll})
      make_delay_library(${dll} ${library})
      add_library(delay_load_${dll} STATIC IMPORTED GLOBAL)
      set_target_properties(delay_load_${dll} PROPERTIES IMPORTED_LOCATION ${library})
    endif()
    target_link_libraries(${target} PUBLIC delay_load_${dll})
  endforeach()
endfunction()

function(make_delay_library dll library)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=lib${dll}.a
                  OUTPUT_VARIABLE import_library OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT EXISTS ${import_library})
    message(FATAL_ERROR "no import library lib${dll}.a in the toolchain")
  endif()
  execute_process(COMMAND ${CMAKE_NM} ${import_library} OUTPUT_VARIABLE symbols
                  COMMAND_ERROR_IS_FATAL ANY)
  # "... I __imp_Name" (64-bit) or "... I __imp__Name@8" (32-bit).
  string(REGEX MATCHALL " I __imp__?[A-Za-z0-9_@]+" imports "${symbols}")
  set(def "LIBRARY ${dll}.dll\nEXPORTS\n")
  foreach(import IN LISTS imports)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      string(REGEX REPLACE "^ I __imp__" "" name "${import}")
    else()
      string(REGEX REPLACE "^ I __imp_" "" name "${import}")
    endif()
    string(APPEND def "  ${name}\n")
  endforeach()
  get_filename_component(folder ${library} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  file(WRITE ${folder}/${dll}.def "${def}")
  set(kill_at)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(kill_at -k) # the DLL exports the names without @N
  endif()
  execute_process(COMMAND ${CMAKE_DLLTOOL} ${kill_at} --input-def ${folder}/${dll}.def
                          --dllname ${dll}.dll --output-delaylib ${library}
                  COMMAND_ERROR_IS_FATAL ANY)
endfunction()
