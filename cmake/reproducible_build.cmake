# One source gives the same programs, byte for byte, wherever its folder and the
# build folder are:
# - the linker writes 0 for the time stamp in the PE header, not the time of the link;
# - the compiler writes "." for the source and build folders in whatever it embeds
#   (__FILE__, debug information). The stripped programs hold no path today; the
#   maps keep it so when code takes up __FILE__, and keep paths out of the test
#   programs' debug information. When several maps match, GCC uses the one given
#   last, so a build folder inside the source folder maps to "." and not to
#   "./build/<name>".
# The resources need nothing: windres embeds the files an .rc names, never their paths.
add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>
                    $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=.>)
add_link_options(-Wl,--no-insert-timestamp)
