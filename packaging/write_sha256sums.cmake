# cmake -P write_sha256sums.cmake <output> <file>...
#
# Writes <output> with one line per file, "<SHA-256 in hex>  <file name>", the
# format that `sha256sum -c` reads in the folder that holds the files. The lines
# keep the order of the arguments and end in LF, so the same files give the same
# bytes.
if(CMAKE_ARGC LESS 5)
  message(FATAL_ERROR "usage: cmake -P write_sha256sums.cmake <output> <file>...")
endif()

set(output ${CMAKE_ARGV3})
set(lines "")
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(index RANGE 4 ${last})
  set(file ${CMAKE_ARGV${index}})
  file(SHA256 ${file} sum)
  get_filename_component(name ${file} NAME)
  string(APPEND lines "${sum}  ${name}\n")
endforeach()
file(WRITE ${output} "${lines}")
