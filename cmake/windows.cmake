# What a Windows build adds, included by the top CMakeLists.txt when the
# target is Windows (see windows-toolchain.cmake for cross-building).

# Where the DLLs the program needs are found at build, test and install
# time: Qt's, and MinGW-w64's own runtime (libstdc++, libgcc_s, winpthread).
get_filename_component(TARNWELL_QT_WINDOWS_BIN "${Qt6Core_DIR}/../../../bin" ABSOLUTE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE mingw_stdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
                OUTPUT_VARIABLE mingw_pthread OUTPUT_STRIP_TRAILING_WHITESPACE)
set(TARNWELL_MINGW_RUNTIME_DIRS)
foreach(dll ${mingw_stdcxx} ${mingw_pthread})
  if(IS_ABSOLUTE "${dll}" AND EXISTS "${dll}")
    get_filename_component(dll "${dll}" REALPATH)
    get_filename_component(dir "${dll}" DIRECTORY)
    list(APPEND TARNWELL_MINGW_RUNTIME_DIRS "${dir}")
  endif()
endforeach()
if(NOT TARNWELL_MINGW_RUNTIME_DIRS)
  message(FATAL_ERROR "MinGW-w64's runtime DLLs were not found (Debian package g++-mingw-w64-x86-64-posix)")
endif()
list(REMOVE_DUPLICATES TARNWELL_MINGW_RUNTIME_DIRS)

# Test programs run under Wine, in a throw-away Wine prefix inside the build
# folder (never the user's ~/.wine). CTest runs them through this.
find_program(TARNWELL_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(TARNWELL_WINE NAMES wine64 wine)
set(TARNWELL_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine-prefix")
set(wine_dll_path)
foreach(dir ${TARNWELL_QT_WINDOWS_BIN} ${TARNWELL_MINGW_RUNTIME_DIRS})
  string(REPLACE "/" "\\\\" windows_dir "Z:${dir}")
  list(APPEND wine_dll_path "${windows_dir}")
endforeach()
string(JOIN ";" TARNWELL_WINE_DLL_PATH ${wine_dll_path})
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
if(TARNWELL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
endif()

# GoogleTest from Debian's source package (googletest), built with the cross
# compiler; only gtest and gtest_main are needed.
if(TARNWELL_BUILD_TESTS)
  set(TARNWELL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's source (Debian package googletest)")
  if(NOT EXISTS ${TARNWELL_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest source in ${TARNWELL_GOOGLETEST_SOURCE} (Debian package googletest)")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${TARNWELL_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()
