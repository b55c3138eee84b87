# cmake -P import_allowlist_test.cmake: the allowlist rule on excerpts of
# `objdump -p` output.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/import_allowlist.cmake)

function(expect_disallowed text expected)
  disallowed_imports("${text}" actual)
  if(NOT actual STREQUAL expected)
    message(SEND_ERROR "expected [${expected}], got [${actual}] for:\n${text}")
  endif()
endfunction()

# The import table of snipfetch.exe as it was, with WinHTTP bound at start.
expect_disallowed([[
The Import Tables (interpreted .idata section contents)
 vma:            Hint    Time      Forward  DLL       First
	DLL Name: COMCTL32.dll
	4db4c	   68  InitCommonControlsEx
	DLL Name: GDI32.dll
	DLL Name: KERNEL32.dll
	DLL Name: msvcrt.dll
	DLL Name: USER32.dll
	DLL Name: WINHTTP.dll
	4db6a	    9  WinHttpCloseHandle
]] "WINHTTP.dll")
# Letter case does not count, a name only like an allowed one does.
expect_disallowed("\tDLL Name: kernel32.DLL\n\tDLL Name: Gdi32.dll\n" "")
expect_disallowed("\tDLL Name: user32x.dll\n\tDLL Name: xuser32.dll\n\tDLL Name: user32\n"
                  "user32x.dll;xuser32.dll")
# The universal C runtime comes as api-set DLLs, none of them allowed.
expect_disallowed("\tDLL Name: api-ms-win-crt-runtime-l1-1-0.dll\n\tDLL Name: msvcrt.dll\n"
                  "api-ms-win-crt-runtime-l1-1-0.dll")
