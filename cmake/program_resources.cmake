# The resource scripts (.rc) of the programs take their version from the project
# version, declared once in the top-level CMakeLists.txt. From it, version_info.h
# and each program's manifest are made into <build dir>/generated, which the
# resource compiler searches:
#
#   target_program_resources(<target> <.rc file>)
#
# adds the .rc to the target and rebuilds it when one of those files changes.

set(PROGRAM_RESOURCES_DIR ${PROJECT_BINARY_DIR}/generated)

function(configure_program_resources)
  # A resource version has four numbers; the ones the project version leaves out are 0.
  set(numbers)
  foreach(part MAJOR MINOR PATCH TWEAK)
    if(PROJECT_VERSION_${part} STREQUAL "")
      list(APPEND numbers 0)
    else()
      list(APPEND numbers ${PROJECT_VERSION_${part}})
    endif()
  endforeach()
  list(JOIN numbers ", " PROGRAM_VERSION_NUMBERS)
  list(JOIN numbers "." PROGRAM_VERSION_QUAD)

  set(files ${PROGRAM_RESOURCES_DIR}/version_info.h)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/version_info.h.in ${files} @ONLY)
  foreach(program snipforge snipfetch)
    set(manifest ${PROGRAM_RESOURCES_DIR}/${program}.manifest)
    configure_file(${PROJECT_SOURCE_DIR}/${program}/resources/${program}.manifest.in ${manifest}
                   @ONLY)
    list(APPEND files ${manifest})
  endforeach()
  set(PROGRAM_RESOURCE_FILES ${files} PARENT_SCOPE)
endfunction()

configure_program_resources()

function(target_program_resources target rc_file)
  get_filename_component(rc_file ${rc_file} ABSOLUTE)
  target_sources(${target} PRIVATE ${rc_file})
  target_include_directories(${target} PRIVATE ${PROGRAM_RESOURCES_DIR})
  # A manifest is named in the .rc, not #included: tell the build about it.
  set_source_files_properties(${rc_file} TARGET_DIRECTORY ${target}
                              PROPERTIES OBJECT_DEPENDS "${PROGRAM_RESOURCE_FILES}")
endfunction()
