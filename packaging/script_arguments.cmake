# For scripts run as `cmake [-D <var>=<value>...] -P <script> <argument>...`:
# sets SCRIPT_ARGUMENTS to the list of arguments after the script's name.
set(SCRIPT_ARGUMENTS "")
set(script_index -1)
math(EXPR last_index "${CMAKE_ARGC} - 1")
foreach(index RANGE 1 ${last_index})
  if(script_index EQUAL -1 AND CMAKE_ARGV${index} STREQUAL "-P")
    math(EXPR script_index "${index} + 1")
  elseif(script_index GREATER -1 AND index GREATER script_index)
    list(APPEND SCRIPT_ARGUMENTS ${CMAKE_ARGV${index}})
  endif()
endforeach()
