# The tests cross-built for Windows: GoogleTest built from its sources (Debian's package
# googletest) with the cross compiler, and each test program run whole under Wine as one
# test, since Wine takes a good part of a second to start any program.
set(VARNOLIX_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources, built for the tests on Windows")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory("${VARNOLIX_GOOGLETEST_SOURCE}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)

if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  message(FATAL_ERROR "The Windows tests run under Wine: install wine64, or name it with CMAKE_CROSSCOMPILING_EMULATOR")
endif()
# A Wine of the build's own, made once by the fixture below; UTF-8 names on the Linux side.
# Wine's services outlive the program that starts them, so they are started from here with
# no output of ctest's to hold open.
set(VARNOLIX_WINE_ENVIRONMENT WINEPREFIX=${CMAKE_BINARY_DIR}/wine WINEDEBUG=-all LC_ALL=C.UTF-8)
add_test(NAME wine_prefix COMMAND sh -c "'${CMAKE_CROSSCOMPILING_EMULATOR}' wineboot --init </dev/null >/dev/null 2>&1")
set_tests_properties(wine_prefix PROPERTIES ENVIRONMENT "${VARNOLIX_WINE_ENVIRONMENT}" FIXTURES_SETUP wine)

function(gtest_discover_tests target)
  add_test(NAME ${target} COMMAND ${target})
  set_tests_properties(${target} PROPERTIES ENVIRONMENT "${VARNOLIX_WINE_ENVIRONMENT}" FIXTURES_REQUIRED wine)
endfunction()
