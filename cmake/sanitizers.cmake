# SANITIZERS=ON: every target built with AddressSanitizer and
# UndefinedBehaviorSanitizer; the first finding ends the program with an error.
option(SANITIZERS "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(SANITIZERS)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
