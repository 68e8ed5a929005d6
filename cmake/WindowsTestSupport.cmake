# GoogleTest for the Windows build, from Debian's sources (package googletest), built with the
# cross compiler; its build names its targets GTest::gtest and the like, as the installed
# package does. Its own code is not held to our warning flags.
set(VELMORA_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources")
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${VELMORA_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(target gtest gtest_main gmock gmock_main)
  target_compile_options(${target} PRIVATE -w)
endforeach()

# Every test program runs under Wine in a prefix of the build's own, never the user's.
set(VELMORA_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(VELMORA_TEST_ENVIRONMENT "WINEPREFIX=${VELMORA_WINE_PREFIX};WINEDEBUG=-all")
