# End-to-end test programs, run under Wine by ctest.
#
# Every build dir gets one virtual X display and one Wine prefix (<build>/wineprefix),
# started by the test `wine_setup` and stopped by `wine_cleanup` (a ctest fixture).
#
#   add_e2e_program(<name> SOURCES <files...> [LIBRARIES <targets...>]
#                   [NEEDS <targets...>] [ARGS <args...>] [FIXTURES <fixtures...>]
#                   [TIMEOUT <seconds>])
#
# builds the test program <name>_e2e from SOURCES, linked with e2e_driver and
# LIBRARIES and built after NEEDS (the programs it starts), and registers each of
# its cases as the ctest test e2e.<name>.<group>.<case>. The cases are read from the
# sources, one for every E2E_CASE(<group>, <case>), so none can be left out. Each runs as
# `<name>_e2e --case=<group>.<case> ARGS...` under Wine, requires the Wine fixture and
# FIXTURES, takes the prefix's lock (one Wine test at a time) and may take TIMEOUT
# seconds (120 unless given). It runs with WINEPREFIX, DISPLAY, WINEDEBUG=-all and
# the Mono/Gecko overrides set, and with E2E_WORK_DIR=<build>/e2e-work, a scratch
# folder for its cases. Unix paths in ARGS are left as they are (Wine maps / to Z:).
#
# Every test that runs under Wine (the fixture's own included) is skipped, with the
# reason in its output, where this machine cannot run the build's programs: 32-bit
# ones where 32-bit Linux programs cannot start (tests/e2e/wine_fixture.sh).
#
#   add_wine_test(<name> <program> [args...])
#
# registers a test that runs <program> under the Wine fixture, as the cases do, for
# steps that are not E2E_CASEs; set its fixtures and timeout afterwards.
#
# On a Windows host there is no Wine to run them in: the programs are built, but
# not registered.

set(WINE_TESTS_DIR ${CMAKE_CURRENT_LIST_DIR}/../tests/e2e CACHE INTERNAL "")
if(NOT CMAKE_HOST_WIN32)
  find_program(BASH_PROGRAM bash REQUIRED)
endif()

function(add_wine_fixture)
  if(CMAKE_HOST_WIN32)
    return()
  endif()
  set(fixture ${WINE_TESTS_DIR}/wine_fixture.sh)
  math(EXPR bits "${CMAKE_SIZEOF_VOID_P} * 8")
  add_test(NAME wine_setup COMMAND ${BASH_PROGRAM} ${fixture} setup ${CMAKE_BINARY_DIR} ${bits})
  add_test(NAME wine_cleanup COMMAND ${BASH_PROGRAM} ${fixture} cleanup ${CMAKE_BINARY_DIR})
  # A new prefix takes Wine about 20 s to make.
  set_tests_properties(wine_setup PROPERTIES FIXTURES_SETUP wine TIMEOUT 300
                                             RESOURCE_LOCK wineprefix SKIP_RETURN_CODE 77)
  set_tests_properties(wine_cleanup PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60
                                               RESOURCE_LOCK wineprefix SKIP_RETURN_CODE 77)
endfunction()

function(add_wine_test name program)
  if(CMAKE_HOST_WIN32)
    return()
  endif()
  # Plain add_test with bash first: ctest never hands the .exe to the emulator on
  # its own, and nothing runs a Windows binary at build time.
  add_test(NAME ${name} COMMAND ${BASH_PROGRAM} ${WINE_TESTS_DIR}/wine_fixture.sh run
                                ${CMAKE_BINARY_DIR} ${program} ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wineprefix
                                          SKIP_RETURN_CODE 77)
endfunction()

function(add_e2e_program name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "TIMEOUT" "SOURCES;LIBRARIES;NEEDS;ARGS;FIXTURES")
  set(program ${name}_e2e)
  add_executable(${program} ${arg_SOURCES})
  target_link_libraries(${program} PRIVATE e2e_driver ${arg_LIBRARIES})
  if(arg_NEEDS)
    add_dependencies(${program} ${arg_NEEDS})
  endif()
  if(CMAKE_HOST_WIN32)
    return()
  endif()

  set(cases "")
  foreach(source IN LISTS arg_SOURCES)
    get_filename_component(source ${source} ABSOLUTE)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    file(READ ${source} text)
    string(REGEX MATCHALL "E2E_CASE\\([a-z0-9_]+, [a-z0-9_]+\\)" calls "${text}")
    foreach(call IN LISTS calls)
      string(REGEX REPLACE "^E2E_CASE\\(([a-z0-9_]+), ([a-z0-9_]+)\\)$" "\\1.\\2" case "${call}")
      list(APPEND cases ${case})
    endforeach()
  endforeach()
  if(NOT cases)
    message(FATAL_ERROR "${program}: no E2E_CASE(<group>, <case>) in its sources")
  endif()
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 120)
  endif()
  foreach(case IN LISTS cases)
    add_wine_test(e2e.${name}.${case} $<TARGET_FILE:${program}> --case=${case} ${arg_ARGS})
    set_tests_properties(e2e.${name}.${case} PROPERTIES
                         FIXTURES_REQUIRED "wine;${arg_FIXTURES}" TIMEOUT ${arg_TIMEOUT})
  endforeach()
endfunction()
