# Run at install time (install(CODE) in CMakeLists.txt): installs beside the
# program every DLL that the program and its Qt plugins import, directly or
# through one another, read from their import tables with objdump. Windows'
# own DLLs are found among Wine's copies and left out; a DLL found nowhere
# stops the install. Then every DLL installed is stripped of its symbols (Qt's
# and MinGW's come with them: the runtime alone is 23 MB so).
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND ${TARNWELL_OBJDUMP})
file(GET_RUNTIME_DEPENDENCIES
     EXECUTABLES ${TARNWELL_EXE}
     MODULES ${TARNWELL_PLUGINS}
     DIRECTORIES ${TARNWELL_DLL_DIRS}
     PRE_EXCLUDE_REGEXES "^api-ms-win-" "^ext-ms-"
     POST_EXCLUDE_REGEXES "^${TARNWELL_SYSTEM_DLLS}/"
     RESOLVED_DEPENDENCIES_VAR found
     UNRESOLVED_DEPENDENCIES_VAR missing)
if(missing)
  message(FATAL_ERROR "DLLs the program needs were found nowhere: ${missing}")
endif()
foreach(dll ${found})
  file(REAL_PATH ${dll} real)  # Qt's own name, not its lower-case link
  file(INSTALL ${real} DESTINATION ${CMAKE_INSTALL_PREFIX})
endforeach()
file(GLOB_RECURSE installed "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/*.dll")
foreach(dll ${installed})
  execute_process(COMMAND ${TARNWELL_STRIP} --strip-unneeded ${dll} RESULT_VARIABLE stripped)
  if(NOT stripped EQUAL 0)
    message(FATAL_ERROR "could not strip ${dll}")
  endif()
endforeach()
