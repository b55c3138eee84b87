# The configure-time check of SNIPFETCH_INDEX_KEY: a point on the P-256 curve
# passes, anything else stops with a message that says why.
#   cmake -P index_key_test.cmake   (from a scratch directory)
set(good "BIBSbPpJsZIRrh+LAoANpOyXH2KKguUGM3h5xFvxDh1l3K9EtC7KJ27JvKD0SSr2Ouq1B16yMF374bDnDCVTKz0=")
string(REGEX REPLACE "Kz0=$" "Kz4=" off_curve "${good}")   # Y changed: off the curve
string(REGEX REPLACE "Kz0=$" "Kz1=" loose_bits "${good}")  # bits past the 65th byte
string(REGEX REPLACE "^BI" "Ai" not_uncompressed "${good}") # first byte 02, not 04
string(SUBSTRING "${good}" 0 84 short)

function(expect key outcome reason)
  execute_process(COMMAND ${CMAKE_COMMAND} -DKEY=${key} -P ${CMAKE_CURRENT_LIST_DIR}/index_key.cmake
                  RESULT_VARIABLE result ERROR_VARIABLE message)
  if(outcome STREQUAL "accepted" AND NOT result EQUAL 0)
    message(FATAL_ERROR "a valid key was refused:\n${message}")
  elseif(outcome STREQUAL "refused")
    string(REGEX REPLACE "[ \n]+" " " message "${message}")
    if(result EQUAL 0 OR NOT message MATCHES "not a P-256 public key.*${reason}")
      message(FATAL_ERROR "'${key}' was not refused for '${reason}': ${message}")
    endif()
  endif()
endfunction()

expect("${good}" accepted "")
expect("${off_curve}" refused "does not lie on the P-256 curve")
expect("${loose_bits}" refused "not 88 characters of padded base64")
expect("${not_uncompressed}" refused "not 88 characters of padded base64")
expect("${short}" refused "not 88 characters of padded base64")
