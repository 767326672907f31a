# Platform-only files carry their platform in their name: foo_posix.cpp,
# foo_windows.cpp, foo_posix_test.cpp. Every glob of sources passes through
# vx_keep_platform_sources, so a new folder follows the rule without edits.
function(vx_keep_platform_sources list_var)
  if(WIN32)
    set(other posix)
  else()
    set(other windows)
  endif()
  set(files ${${list_var}})
  list(FILTER files EXCLUDE REGEX "_${other}(_test)?\\.(cpp|h)$")
  set(${list_var} ${files} PARENT_SCOPE)
endfunction()
