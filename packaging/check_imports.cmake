# cmake -D OBJDUMP=<objdump> -P check_imports.cmake <program>...
#
# Lists the DLLs each program imports and fails when one is outside the
# allowlist in import_allowlist.cmake.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/script_arguments.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/import_allowlist.cmake)
if(NOT OBJDUMP OR NOT SCRIPT_ARGUMENTS)
  message(FATAL_ERROR "usage: cmake -D OBJDUMP=<objdump> -P check_imports.cmake <program>...")
endif()

set(failures "")
foreach(program IN LISTS SCRIPT_ARGUMENTS)
  execute_process(COMMAND ${OBJDUMP} -p ${program} OUTPUT_VARIABLE text
                  COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "DLL Name: [^\r\n]+" names "${text}")
  if(NOT names)
    list(APPEND failures "${program}: no import table found")
    continue()
  endif()
  string(REPLACE "DLL Name: " "" names "${names}")
  message(STATUS "${program} imports: ${names}")
  disallowed_imports("${text}" disallowed)
  if(disallowed)
    list(APPEND failures "${program} imports ${disallowed}")
  endif()
endforeach()
if(failures)
  list(JOIN failures "\n" failures)
  message(FATAL_ERROR "DLLs outside the allowlist:\n${failures}")
endif()
