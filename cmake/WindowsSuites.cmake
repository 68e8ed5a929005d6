# Where this machine can cross-build for Windows and run the result (mingw-w64, Wine, Xvfb for
# the suites that open windows, and GoogleTest's sources, which scripts/test.sh installs), a
# Linux build builds the Windows programs too, in windows/ below it, and its tests include the
# Windows suites under Wine: a fault in code only the Windows build compiles fails the same
# ctest as any other.
set(VELMORA_WINDOWS_SUITES AUTO CACHE STRING "Cross-build for Windows and run its suites under Wine: AUTO, ON or OFF")
set_property(CACHE VELMORA_WINDOWS_SUITES PROPERTY STRINGS AUTO ON OFF)

find_program(VELMORA_MINGW_CXX x86_64-w64-mingw32-g++-posix)
find_program(VELMORA_WINE wine)
find_program(VELMORA_XVFB Xvfb)
if(VELMORA_MINGW_CXX AND VELMORA_WINE AND VELMORA_XVFB AND EXISTS /usr/src/googletest/CMakeLists.txt)
  set(can_cross ON)
else()
  set(can_cross OFF)
endif()
# The sanitizers change nothing in the Windows programs: a sanitizer build leaves them out.
if(VELMORA_WINDOWS_SUITES STREQUAL "AUTO")
  if(NOT can_cross OR VELMORA_SANITIZE)
    return()
  endif()
elseif(NOT VELMORA_WINDOWS_SUITES)
  return()
elseif(NOT can_cross)
  message(FATAL_ERROR "VELMORA_WINDOWS_SUITES is on, but x86_64-w64-mingw32-g++-posix, wine, Xvfb or /usr/src/googletest is missing")
endif()

set(windows_dir ${CMAKE_BINARY_DIR}/windows)
set(wine_prefix ${windows_dir}/wine-prefix)
include(ExternalProject)
ExternalProject_Add(windows
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${windows_dir}
  CMAKE_GENERATOR Ninja
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/toolchain-mingw-w64.cmake
    -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
    -DVELMORA_LINUX_SIM=$<TARGET_FILE:velmora-sim>
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  DEPENDS velmora-sim
)

# One Wine prefix for every suite, made once before any of them runs.
add_test(NAME windows_prefix COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/wine-prefix.sh ${wine_prefix})
set_tests_properties(windows_prefix PROPERTIES FIXTURES_SETUP windows_prefix
  ENVIRONMENT "WINEPREFIX=${wine_prefix};WINEDEBUG=-all")
foreach(suite test_platform_ui test_platform_serial test_platform_profile test_platform_devices test_sim test_config test_link test_ports test_pages
    test_widgets_list test_widgets_grid test_app test_command_line test_working_folder test_icon_file test_program_resources)
  add_test(NAME windows_${suite} COMMAND ${CMAKE_CTEST_COMMAND} --test-dir ${windows_dir} -R "^${suite}$" --no-tests=error --output-on-failure)
  # One at a time: each maps the prefix's COM ports or brings up its display, and ends Wine's
  # processes when done.
  set_tests_properties(windows_${suite} PROPERTIES FIXTURES_REQUIRED windows_prefix TIMEOUT 300 RESOURCE_LOCK wine_prefix)
endforeach()
