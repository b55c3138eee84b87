# cmake -D WINDRES=<windres> -D VERSION=<project version> -P check_version_resource.cmake
#       <program>...
#
# Reads each program's resources back with windres and fails unless they carry
# VERSION: in the numbers of the VERSIONINFO (four of them, the missing ones 0),
# in its FileVersion and ProductVersion texts, and in the manifest's identity.
include(${CMAKE_CURRENT_LIST_DIR}/script_arguments.cmake)
if(NOT WINDRES OR NOT VERSION MATCHES "^[0-9]+(\\.[0-9]+)*$" OR NOT SCRIPT_ARGUMENTS)
  message(FATAL_ERROR "usage: cmake -D WINDRES=<windres> -D VERSION=<x.y[.z[.w]]> "
                      "-P check_version_resource.cmake <program>...")
endif()

string(REPLACE "." ";" numbers ${VERSION})
list(LENGTH numbers count)
while(count LESS 4)
  list(APPEND numbers 0)
  math(EXPR count "${count} + 1")
endwhile()
list(JOIN numbers ", " expected_numbers)
list(JOIN numbers "." expected_quad)

set(failed "")
foreach(program IN LISTS SCRIPT_ARGUMENTS)
  get_filename_component(name ${program} NAME_WE)
  execute_process(COMMAND ${WINDRES} -J coff -O rc -i ${program}
                  OUTPUT_VARIABLE resources RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    list(APPEND failed "${name}: windres could not read the resources")
    continue()
  endif()
  # windres writes the manifest as C strings, each quote doubled.
  foreach(expected IN ITEMS
          "FILEVERSION ${expected_numbers}\n"
          "PRODUCTVERSION ${expected_numbers}\n"
          "VALUE \"FileVersion\", \"${VERSION}\""
          "VALUE \"ProductVersion\", \"${VERSION}\""
          "name=\"\"Duzarudar.${name}\"\" version=\"\"${expected_quad}\"\"")
    string(FIND "${resources}" "${expected}" at)
    if(at EQUAL -1)
      string(STRIP "${expected}" expected)
      list(APPEND failed "${name}: no ${expected}")
    endif()
  endforeach()
endforeach()
if(failed)
  list(JOIN failed "\n  " failed)
  message(FATAL_ERROR "The resources do not carry version ${VERSION}:\n  ${failed}")
endif()
message(STATUS "version ${VERSION} (${expected_numbers}) in every program")
