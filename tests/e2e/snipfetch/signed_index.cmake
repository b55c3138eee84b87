# The maker's signed index end to end: a snipfetch built with a test key, sites
# published by the native snipindex before the cases run, and the whole road
# (snipforge writes a sniplet, snipindex publishes it, snipfetch fetches it).

# The test key: made once per build dir; its public half goes into the test build.
set(index_key_dir ${CMAKE_BINARY_DIR}/e2e-index-key)
set(index_test_key ${index_key_dir}/maker.pem)
find_program(OPENSSL_PROGRAM openssl REQUIRED)
if(NOT EXISTS ${index_test_key})
  file(MAKE_DIRECTORY ${index_key_dir})
  execute_process(COMMAND ${OPENSSL_PROGRAM} ecparam -name prime256v1 -genkey -noout
                          -out ${index_test_key} COMMAND_ERROR_IS_FATAL ANY OUTPUT_QUIET)
endif()
# The DER public key ends in the 65 bytes of the point.
execute_process(COMMAND sh -c "'${OPENSSL_PROGRAM}' ec -in '${index_test_key}' -pubout -outform DER 2>/dev/null | tail -c 65 | '${OPENSSL_PROGRAM}' base64 -A"
                OUTPUT_VARIABLE index_test_point OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
include(${PROJECT_SOURCE_DIR}/cmake/index_key.cmake)
check_index_key("${index_test_point}")
add_snipfetch_program(snipfetch_signed_local "127.0.0.1:${SNIPFETCH_E2E_PORT}"
                      INDEX_KEY "${index_test_point}")

# The maker's tool is a native program: the native preset's, unless given.
set(SNIPINDEX_PROGRAM ${PROJECT_SOURCE_DIR}/build/native/bin/snipindex CACHE FILEPATH
    "The native snipindex that publishes the sites of the signed-index end-to-end cases")
find_program(PYTHON3_PROGRAM python3 REQUIRED)

set(signed_sites ${work}/signed-sites)
set(road ${work}/road)
add_test(NAME e2e.snipfetch_signed.publish_sites
         COMMAND ${PYTHON3_PROGRAM} ${CMAKE_CURRENT_SOURCE_DIR}/make_signed_sites.py
                 --snipindex ${SNIPINDEX_PROGRAM} --key ${index_test_key} --out ${signed_sites})
set_tests_properties(e2e.snipfetch_signed.publish_sites PROPERTIES
                     FIXTURES_SETUP signed_sites TIMEOUT 60)

# The control of the planted-DLL case: bcrypt in the import table.
add_executable(bcrypt_importer bcrypt_importer.cpp)
target_link_libraries(bcrypt_importer PRIVATE bcrypt)

add_e2e_program(snipfetch_signed
  SOURCES signed_index_cases.cpp
  LIBRARIES snipfetch_e2e_session snipforge_e2e_session snipfetch_core platform_win32 advapi32
  NEEDS snipfetch_signed_local snipforge dll_marker bcrypt_importer
  ARGS --program=$<TARGET_FILE:snipfetch_signed_local> --app=$<TARGET_FILE:snipforge>
       --site=${work}/snipfetch-site --signed-sites=${signed_sites} --road=${road}
       --marker-dll=$<TARGET_FILE:dll_marker> --bcrypt-importer=$<TARGET_FILE:bcrypt_importer>
  FIXTURES snipfetch_server signed_sites
)

# The whole road, in three steps that run in this order: snipforge writes (under
# Wine), snipindex publishes (native), snipfetch fetches and checks (under Wine).
if(NOT CMAKE_HOST_WIN32)
  # Where the first step was skipped (Wine cannot run the build's programs), there
  # is nothing to publish: this step is skipped too, and says why.
  add_test(NAME e2e.snipfetch_signed.road_publish
           COMMAND ${BASH_PROGRAM} -c "[ -d \"$1\" ] || { echo 'skipped: snipforge wrote no sniplet for the road (its step was skipped)'; exit 77; }; exec \"$0\" publish \"$1\" --key \"$2\""
                   ${SNIPINDEX_PROGRAM} ${road} ${index_test_key})
  set_tests_properties(e2e.snipfetch_signed.road.forge PROPERTIES FIXTURES_SETUP road_written)
  set_tests_properties(e2e.snipfetch_signed.road_publish PROPERTIES
                       FIXTURES_REQUIRED road_written FIXTURES_SETUP road_published TIMEOUT 30
                       SKIP_RETURN_CODE 77)
  set_tests_properties(e2e.snipfetch_signed.road.fetch PROPERTIES
                       FIXTURES_REQUIRED "wine;snipfetch_server;signed_sites;road_published")
endif()
