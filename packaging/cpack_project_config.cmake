# Read by cpack as it makes the package (CPACK_PROJECT_CONFIG_FILE).
#
# A zip records a time for each file it holds. When SOURCE_DATE_EPOCH is set,
# CPack records that time instead of the time the file was built, so that the same
# commit gives the same zip. When it is not set, it is set here to the time of the
# commit checked out in the source folder; outside a git checkout the zip keeps
# the build times.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH} AND CPACK_SNIP_GIT_EXECUTABLE)
  execute_process(
    COMMAND ${CPACK_SNIP_GIT_EXECUTABLE} -C ${CPACK_SNIP_SOURCE_DIR} log -1 --format=%ct
    OUTPUT_VARIABLE commit_time
    OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE status
    ERROR_QUIET)
  if(status EQUAL 0 AND commit_time MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} ${commit_time})
  endif()
endif()

# A zip keeps each time twice: in UTC, and as a local time with no zone. Made in
# UTC, the local time is the same wherever the package is made.
set(ENV{TZ} UTC0)
