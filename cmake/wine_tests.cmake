# Windows test programs run under Wine by ctest.
#
# Every build dir gets one virtual X display and one Wine prefix (<build>/wineprefix),
# started by the test `wine_setup` and stopped by `wine_cleanup` (a ctest fixture).
# Tests added with add_wine_test require that fixture and take the prefix's lock, so
# only one of them drives Wine at a time.
#
#   add_wine_test(NAME <name> COMMAND <target or .exe> [args...] [TIMEOUT <seconds>])
#
# The program runs with WINEPREFIX, DISPLAY, WINEDEBUG=-all and the Mono/Gecko
# overrides set, and with E2E_WORK_DIR=<build>/e2e-work, a scratch folder for its
# cases. Unix paths in the arguments are left as they are (Wine maps / to Z:).

# On a Windows host there is no Wine to run them in: the test programs are built,
# but not registered.

set(WINE_TESTS_DIR ${CMAKE_CURRENT_LIST_DIR}/../tests/e2e CACHE INTERNAL "")
if(NOT CMAKE_HOST_WIN32)
  find_program(BASH_PROGRAM bash REQUIRED)
endif()

function(add_wine_fixture)
  if(CMAKE_HOST_WIN32)
    return()
  endif()
  set(fixture ${WINE_TESTS_DIR}/wine_fixture.sh)
  add_test(NAME wine_setup COMMAND ${BASH_PROGRAM} ${fixture} setup ${CMAKE_BINARY_DIR})
  add_test(NAME wine_cleanup COMMAND ${BASH_PROGRAM} ${fixture} cleanup ${CMAKE_BINARY_DIR})
  # A new prefix takes Wine about 20 s to make.
  set_tests_properties(wine_setup PROPERTIES FIXTURES_SETUP wine TIMEOUT 300
                                             RESOURCE_LOCK wineprefix)
  set_tests_properties(wine_cleanup PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60
                                               RESOURCE_LOCK wineprefix)
endfunction()

function(add_wine_test)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "NAME;TIMEOUT" "COMMAND")
  if(NOT arg_NAME OR NOT arg_COMMAND)
    message(FATAL_ERROR "add_wine_test needs NAME and COMMAND")
  endif()
  if(CMAKE_HOST_WIN32)
    return()
  endif()
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 120)
  endif()
  list(POP_FRONT arg_COMMAND program)
  if(TARGET ${program})
    set(program $<TARGET_FILE:${program}>)
  endif()
  # Plain add_test with bash first: ctest never hands the .exe to the emulator on
  # its own, and nothing runs a Windows binary at build time.
  add_test(NAME ${arg_NAME}
           COMMAND ${BASH_PROGRAM} ${WINE_TESTS_DIR}/run_wine_test.sh ${CMAKE_BINARY_DIR}
                   ${program} ${arg_COMMAND})
  set_tests_properties(${arg_NAME} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wineprefix
                                              TIMEOUT ${arg_TIMEOUT})
endfunction()
