# cmake -D MAX_BYTES=<n> -P check_size.cmake <file>...
#
# Prints the size of each file and fails when one is larger than MAX_BYTES.
include(${CMAKE_CURRENT_LIST_DIR}/script_arguments.cmake)
if(NOT MAX_BYTES MATCHES "^[0-9]+$" OR NOT SCRIPT_ARGUMENTS)
  message(FATAL_ERROR "usage: cmake -D MAX_BYTES=<n> -P check_size.cmake <file>...")
endif()

set(too_large "")
foreach(file IN LISTS SCRIPT_ARGUMENTS)
  file(SIZE ${file} bytes)
  math(EXPR kib "(${bytes} + 1023) / 1024")
  message(STATUS "${file}: ${bytes} bytes (${kib} KiB)")
  if(bytes GREATER MAX_BYTES)
    list(APPEND too_large ${file})
  endif()
endforeach()
if(too_large)
  message(FATAL_ERROR "larger than ${MAX_BYTES} bytes: ${too_large}")
endif()
