# The maker's public key for the signed index (SNIPFETCH_INDEX_KEY): base64 of
# the 65-byte uncompressed P-256 point 04 X Y. A key that is not such a point
# stops the configure, so no program is ever built that could verify nothing.
#
#   check_index_key(<base64>)
#
# Uses the openssl program: it decodes the key and checks that the point lies
# on the curve (as the public half of a SubjectPublicKeyInfo).
function(check_index_key key)
  set(what "SNIPFETCH_INDEX_KEY is not a P-256 public key (base64 of the 65-byte point 04 X Y, as 'snipindex keygen' prints it)")
  # 65 bytes are 87 characters and one '=': the first byte 04 makes the first
  # one 'B', and the last one holds two bits that must be zero.
  if(NOT key MATCHES "^B[A-Za-z0-9+/]+[AEIMQUYcgkosw048]=$")
    message(FATAL_ERROR "${what}: it is not 88 characters of padded base64.")
  endif()
  string(LENGTH "${key}" length)
  if(NOT length EQUAL 88)
    message(FATAL_ERROR "${what}: it is ${length} characters long, not 88.")
  endif()
  find_program(OPENSSL_PROGRAM openssl REQUIRED)
  set(folder ${CMAKE_BINARY_DIR}/index_key)
  file(MAKE_DIRECTORY ${folder})
  file(WRITE ${folder}/key.b64 "${key}")
  execute_process(COMMAND ${OPENSSL_PROGRAM} base64 -d -A -in ${folder}/key.b64 -out ${folder}/key.bin
                  RESULT_VARIABLE decoded)
  file(READ ${folder}/key.bin point HEX)
  string(LENGTH "${point}" hex_length)
  if(NOT decoded EQUAL 0 OR NOT hex_length EQUAL 130 OR NOT point MATCHES "^04")
    message(FATAL_ERROR "${what}: it does not decode to 65 bytes that begin with 04.")
  endif()
  # The DER header of an EC public key on P-256, then the point; written with
  # printf's \xHH, since CMake writes no binary files.
  string(REGEX REPLACE "(..)" "\\\\x\\1" escaped
                       "3059301306072a8648ce3d020106082a8648ce3d030107034200${point}")
  execute_process(COMMAND printf "${escaped}" OUTPUT_FILE ${folder}/key.der RESULT_VARIABLE written)
  execute_process(COMMAND ${OPENSSL_PROGRAM} pkey -pubin -inform DER -in ${folder}/key.der
                          -pubcheck -noout
                  RESULT_VARIABLE on_curve OUTPUT_QUIET ERROR_QUIET)
  if(NOT written EQUAL 0 OR NOT on_curve EQUAL 0)
    message(FATAL_ERROR "${what}: the point does not lie on the P-256 curve.")
  endif()
endfunction()

# cmake -DKEY=<base64> -P index_key.cmake: the same check alone (its tests).
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE AND DEFINED KEY)
  check_index_key("${KEY}")
endif()
