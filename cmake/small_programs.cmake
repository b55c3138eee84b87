# Windows programs no larger than their code needs. They link the C and C++
# runtimes statically (one .exe, no DLLs beside it), so the runtime is most of each
# program: the link keeps only the sections something refers to, and a release
# build optimizes for size (-Os after CMake's -O3: the last -O wins). The shipped
# programs are also stripped (strip_symbols); test programs keep their symbols for
# the backtraces of Wine's debugger.
add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-ffunction-sections>
                    $<$<COMPILE_LANGUAGE:C,CXX>:-fdata-sections>
                    $<$<AND:$<COMPILE_LANGUAGE:C,CXX>,$<CONFIG:Release>>:-Os>)
add_link_options(-Wl,--gc-sections)

# A release build also optimizes across the program's files at the link (LTO:
# -flto, the project's static libraries archived by gcc-ar): 9 to 11 % off each
# program.
# Every program of the build, the test programs too, is linked that way, so the
# end-to-end tests run code built as the shipped programs are. The link optimizes
# each program as one unit (-flto-partition=one): split into several units, as
# GCC does by default, GCC 12 for mingw-w64 stops with an internal compiler
# error (in binds_to_current_def_p) in the link of snipfetch.exe.
include(CheckIPOSupported)
check_ipo_supported(LANGUAGES C CXX)
set(CMAKE_INTERPROCEDURAL_OPTIMIZATION_RELEASE ON)
add_link_options($<$<CONFIG:Release>:-flto-partition=one>)

function(strip_symbols target)
  target_link_options(${target} PRIVATE -s)
endfunction()
