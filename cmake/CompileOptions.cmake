# Options every Varnolix target compiles with.
#
# The assessment narrows to single precision at fixed steps and its cents depend on
# every intermediate rounding, so the compiler must never fuse a multiply and an add
# nor reorder floating-point arithmetic.
add_library(varnolix_options INTERFACE)
target_compile_options(varnolix_options INTERFACE
  -ffp-contract=off -fno-fast-math
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast
  -Wnon-virtual-dtor -Woverloaded-virtual -Wimplicit-fallthrough)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$")
  target_compile_options(varnolix_options INTERFACE -msse2 -mfpmath=sse)
endif()
# The operating system's part of payroll/ (payroll/system/) and the tool's entry point
# have one implementation per system, chosen here.
if(WIN32)
  set(VARNOLIX_SYSTEM windows)
  # One .exe that needs no DLL beside it, the C++ library and its threads linked in, and
  # with no time stamp in its header, so that two builds give the same bytes.
  target_link_options(varnolix_options INTERFACE -static -Wl,--no-insert-timestamp)
else()
  set(VARNOLIX_SYSTEM posix)
endif()
if(VARNOLIX_WERROR)
  target_compile_options(varnolix_options INTERFACE -Werror)
endif()
if(VARNOLIX_SANITIZE)
  target_compile_options(varnolix_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(varnolix_options INTERFACE -fsanitize=address,undefined)
endif()

# Fuzzing: every target is instrumented for libFuzzer's coverage and checked by the
# sanitizers; only the fuzz targets themselves link libFuzzer's main.
if(VARNOLIX_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VARNOLIX_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  target_compile_options(varnolix_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(varnolix_options INTERFACE -fsanitize=address,undefined)
endif()

# A comma-decimal locale for the tests that prove amounts ignore the process locale.
# It is compiled into the build folder, so no system locale needs to be installed.
set(VARNOLIX_TEST_LOCPATH "${CMAKE_BINARY_DIR}/locales")
find_program(VARNOLIX_LOCALEDEF localedef)
if(VARNOLIX_LOCALEDEF AND EXISTS /usr/share/i18n/locales/de_DE
   AND NOT EXISTS "${VARNOLIX_TEST_LOCPATH}/de_DE.UTF-8/LC_NUMERIC")
  file(MAKE_DIRECTORY "${VARNOLIX_TEST_LOCPATH}")
  execute_process(COMMAND ${VARNOLIX_LOCALEDEF} -i de_DE -f UTF-8 "${VARNOLIX_TEST_LOCPATH}/de_DE.UTF-8"
                  RESULT_VARIABLE localedef_result OUTPUT_QUIET ERROR_QUIET)
endif()
