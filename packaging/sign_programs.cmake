# cmake -D OSSLSIGNCODE=<osslsigncode> -D PKCS12=<file.p12> -D URL=<project URL>
#       -D OUTPUT_DIR=<folder> [-D TIMESTAMP_URL=<RFC 3161 server>]
#       [-D GIT=<git> -D SOURCE_DIR=<checkout>] -P sign_programs.cmake <program>...
#
# Writes an Authenticode-signed copy of each program (SHA-256, the program's name
# and URL in the signature) into OUTPUT_DIR. A copy is replaced only when its bytes change, so a build that signs again does
# not make the package again.
#
# The password of PKCS12 is taken from the environment variable
# CODE_SIGNING_PASSWORD. osslsigncode reads it from its standard input, fed by the
# shell's builtin printf, so it is on no command line and in no log.
#
# Without a time-stamp server the signing time is SOURCE_DATE_EPOCH, or the time of
# the commit checked out in SOURCE_DIR: the same programs, certificate and commit
# then give the same signed bytes.
include(${CMAKE_CURRENT_LIST_DIR}/script_arguments.cmake)
if(NOT OSSLSIGNCODE OR NOT PKCS12 OR NOT URL OR NOT OUTPUT_DIR OR NOT SCRIPT_ARGUMENTS)
  message(FATAL_ERROR "usage: cmake -D OSSLSIGNCODE=<osslsigncode> -D PKCS12=<file.p12> "
                      "-D URL=<url> -D OUTPUT_DIR=<folder> [-D TIMESTAMP_URL=<url>] "
                      "[-D GIT=<git> -D SOURCE_DIR=<checkout>] -P sign_programs.cmake <program>...")
endif()
if(NOT DEFINED ENV{CODE_SIGNING_PASSWORD})
  message(FATAL_ERROR "Signing with ${PKCS12}: set the environment variable "
                      "CODE_SIGNING_PASSWORD to its password (empty for none).")
endif()

if(TIMESTAMP_URL)
  set(time_options -ts ${TIMESTAMP_URL})
else()
  set(signing_time "$ENV{SOURCE_DATE_EPOCH}")
  if(signing_time STREQUAL "" AND GIT AND SOURCE_DIR)
    execute_process(
      COMMAND ${GIT} -C ${SOURCE_DIR} log -1 --format=%ct
      OUTPUT_VARIABLE signing_time
      OUTPUT_STRIP_TRAILING_WHITESPACE
      ERROR_QUIET)
  endif()
  if(NOT signing_time MATCHES "^[0-9]+$")
    message(FATAL_ERROR "No signing time: set SOURCE_DATE_EPOCH (outside a git checkout) "
                        "or give a time-stamp server (CODE_SIGNING_TIMESTAMP_URL).")
  endif()
  set(time_options -time ${signing_time})
endif()

file(MAKE_DIRECTORY ${OUTPUT_DIR})
foreach(program IN LISTS SCRIPT_ARGUMENTS)
  get_filename_component(file_name ${program} NAME)
  get_filename_component(name ${program} NAME_WE)
  set(signed ${OUTPUT_DIR}/${file_name})
  set(fresh ${OUTPUT_DIR}/${file_name}.signing)
  file(REMOVE ${fresh})
  execute_process(
    COMMAND sh -c [[printf '%s' "$CODE_SIGNING_PASSWORD"]]
    COMMAND ${OSSLSIGNCODE} sign -pkcs12 ${PKCS12} -readpass - -h sha256 -n ${name} -i ${URL}
            ${time_options} -in ${program} -out ${fresh}
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT EXISTS ${fresh})
    file(REMOVE ${fresh})
    message(FATAL_ERROR "osslsigncode could not sign ${program}:\n${output}")
  endif()
  file(COPY_FILE ${fresh} ${signed} ONLY_IF_DIFFERENT)
  file(REMOVE ${fresh})
endforeach()

message(STATUS "Signed ${SCRIPT_ARGUMENTS} into ${OUTPUT_DIR}")
