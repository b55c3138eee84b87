# cmake -D MAX_BYTES=<n> [-D MULTIPLE_OF=<n>] -P check_size.cmake <file>...
#
# Prints the size of each file and fails when one is larger than MAX_BYTES, or
# when its size is not a multiple of MULTIPLE_OF.
include(${CMAKE_CURRENT_LIST_DIR}/script_arguments.cmake)
if(NOT MAX_BYTES MATCHES "^[0-9]+$" OR NOT SCRIPT_ARGUMENTS
   OR (DEFINED MULTIPLE_OF AND NOT MULTIPLE_OF MATCHES "^[1-9][0-9]*$"))
  message(FATAL_ERROR "usage: cmake -D MAX_BYTES=<n> [-D MULTIPLE_OF=<n>] "
                      "-P check_size.cmake <file>...")
endif()

set(too_large "")
set(unaligned "")
foreach(file IN LISTS SCRIPT_ARGUMENTS)
  file(SIZE ${file} bytes)
  math(EXPR kib "(${bytes} + 1023) / 1024")
  message(STATUS "${file}: ${bytes} bytes (${kib} KiB)")
  if(bytes GREATER MAX_BYTES)
    list(APPEND too_large ${file})
  endif()
  if(MULTIPLE_OF)
    math(EXPR remainder "${bytes} % ${MULTIPLE_OF}")
    if(NOT remainder EQUAL 0)
      list(APPEND unaligned ${file})
    endif()
  endif()
endforeach()
if(too_large)
  message(SEND_ERROR "larger than ${MAX_BYTES} bytes: ${too_large}")
endif()
if(unaligned)
  message(SEND_ERROR "size not a multiple of ${MULTIPLE_OF} bytes: ${unaligned}")
endif()
