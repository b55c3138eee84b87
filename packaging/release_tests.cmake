# Checks of the programs that ship, run by ctest with the other tests of the build
# (none of them needs Wine): their size, their version and their sums.
# Included by packaging/CMakeLists.txt, which sets program_files and sums.

# 400 KiB, in both bitnesses.
add_test(NAME release.program_size
         COMMAND ${CMAKE_COMMAND} -D MAX_BYTES=409600
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/check_size.cmake ${program_files})

add_test(NAME release.version_resource
         COMMAND ${CMAKE_COMMAND} -D WINDRES=${CMAKE_RC_COMPILER} -D VERSION=${PROJECT_VERSION}
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/check_version_resource.cmake ${program_files})

# SHA256SUMS checked by another tool than the one that wrote it.
find_program(SHA256SUM_PROGRAM sha256sum)
if(SHA256SUM_PROGRAM)
  get_filename_component(sums_dir ${sums} DIRECTORY)
  add_test(NAME release.sha256sums COMMAND ${SHA256SUM_PROGRAM} --strict -c ${sums}
           WORKING_DIRECTORY ${sums_dir})
endif()

# No DLL in an import table outside the allowlist, and the rule that says so.
add_test(NAME release.imports
         COMMAND ${CMAKE_COMMAND} -D OBJDUMP=${CMAKE_OBJDUMP}
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/check_imports.cmake ${program_files})
add_test(NAME release.import_allowlist_rule
         COMMAND ${CMAKE_COMMAND} -P ${CMAKE_CURRENT_SOURCE_DIR}/import_allowlist_test.cmake)
