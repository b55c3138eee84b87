# Checks of the programs that ship, run by ctest with the other tests of the build
# (none of them needs Wine): their size, their version and their sums.
# Included by packaging/CMakeLists.txt, which sets program_files and sums, and
# signed_files when it signs them.

# 400 KiB, in both bitnesses. A signature is put at the end of a program, after
# padding it to a multiple of 8 bytes; removing the signature gives back the
# unsigned bytes only when no padding was added.
add_test(NAME release.program_size
         COMMAND ${CMAKE_COMMAND} -D MAX_BYTES=409600 -D MULTIPLE_OF=8
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

# The signatures verify, break with one byte changed and come off again leaving
# the unsigned bytes (packaging/check_signatures.sh).
if(CODE_SIGNING_PKCS12)
  set(ca_options)
  if(CODE_SIGNING_CAFILE)
    set(ca_options --ca-file ${CODE_SIGNING_CAFILE})
  endif()
  add_test(NAME release.signatures
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/check_signatures.sh ${ca_options}
                   ${OSSLSIGNCODE_PROGRAM} ${sums} ${signed_files})
endif()

# The winget and Scoop manifests that tools/make_manifests.sh writes are valid by
# the published schemas, kept beside the repository; without them the test is
# reported as skipped.
add_test(NAME release.manifests
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/check_manifests.sh ${PROJECT_SOURCE_DIR}
                 ${PROJECT_SOURCE_DIR}/../shared/schemas ${CMAKE_CURRENT_BINARY_DIR}/manifests-test
                 ${PROJECT_VERSION} ${program_files})
set_tests_properties(release.manifests PROPERTIES SKIP_RETURN_CODE 77)

# No DLL in an import table outside the allowlist, and the rule that says so.
add_test(NAME release.imports
         COMMAND ${CMAKE_COMMAND} -D OBJDUMP=${CMAKE_OBJDUMP}
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/check_imports.cmake ${program_files})
add_test(NAME release.import_allowlist_rule
         COMMAND ${CMAKE_COMMAND} -P ${CMAKE_CURRENT_SOURCE_DIR}/import_allowlist_test.cmake)
