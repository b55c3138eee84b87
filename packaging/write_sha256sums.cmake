# cmake -P write_sha256sums.cmake <output> <file>...
#
# Writes <output> with one line per file, "<SHA-256 in hex>  <file name>", the
# format that `sha256sum -c` reads in the folder that holds the files. The lines
# keep the order of the arguments and end in LF, so the same files give the same
# bytes.
include(${CMAKE_CURRENT_LIST_DIR}/script_arguments.cmake)
list(LENGTH SCRIPT_ARGUMENTS count)
if(count LESS 2)
  message(FATAL_ERROR "usage: cmake -P write_sha256sums.cmake <output> <file>...")
endif()

list(POP_FRONT SCRIPT_ARGUMENTS output)
set(lines "")
foreach(file IN LISTS SCRIPT_ARGUMENTS)
  file(SHA256 ${file} sum)
  get_filename_component(name ${file} NAME)
  string(APPEND lines "${sum}  ${name}\n")
endforeach()
file(WRITE ${output} "${lines}")
