# Which DLLs a shipped program may name in its import table. Windows loads the
# DLLs of that table before any of the program's code runs, looking beside the
# program first, except for the KnownDLLs, which always come from the system.
# Every other DLL is delay-loaded from the system folder (cmake/delay_load.cmake).
set(IMPORT_ALLOWLIST
    kernel32 # KnownDLL
    user32   # KnownDLL
    gdi32    # KnownDLL
    msvcrt   # KnownDLL
    # Not a KnownDLL, but the manifest sends it to the side-by-side version 6,
    # which is looked up in WinSxS, not beside the program.
    comctl32)

# Sets <out_var> to the DLLs that `objdump -p` output <text> imports outside the
# allowlist, as they are spelled there; letter case does not count.
function(disallowed_imports text out_var)
  string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${text}")
  set(disallowed "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^DLL Name: " "" dll "${line}")
    string(STRIP "${dll}" dll)
    string(TOLOWER "${dll}" base)
    string(REGEX REPLACE "\\.dll$" "" base "${base}")
    if(NOT base IN_LIST IMPORT_ALLOWLIST)
      list(APPEND disallowed "${dll}")
    endif()
  endforeach()
  set(${out_var} "${disallowed}" PARENT_SCOPE)
endfunction()
