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

function(strip_symbols target)
  target_link_options(${target} PRIVATE -s)
endfunction()
