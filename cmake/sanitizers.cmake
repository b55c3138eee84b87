# SANITIZERS=ON: every target built with AddressSanitizer and
# UndefinedBehaviorSanitizer; the first finding ends the program with an error.
# FUZZERS=ON (clang only): the code also carries libFuzzer's coverage
# instrumentation, and tests/fuzz builds one fuzz target per parser of outside bytes.
option(SANITIZERS "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(FUZZERS "Build the libFuzzer targets in tests/fuzz (clang)" OFF)

if(SANITIZERS)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer -gline-tables-only)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()

if(FUZZERS)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "FUZZERS needs clang (libFuzzer), not ${CMAKE_CXX_COMPILER_ID}")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
