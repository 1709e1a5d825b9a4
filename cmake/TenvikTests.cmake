# tenvik_add_test(NAME name SOURCES ... LIBS ... [ENVIRONMENT ...])
# Builds one GoogleTest executable and registers its tests with CTest.
# Every test runs with a fixed environment: offscreen Qt platform on a
# 1920 × 1080 desktop (the platform's own screen, 800 × 800, is smaller than
# the main window, which would then fit itself to it), a private runtime
# folder, and the C library's locale TENVIK_TEST_LOCALE (a build runs
# its tests under the locale of a Spanish desktop, another under C.UTF-8), so
# that no result depends on the machine and none on the locale either.
function(tenvik_add_test)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE tenvik_testmain ${ARG_LIBS})
  tenvik_register_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME} ENVIRONMENT ${ARG_ENVIRONMENT})
endfunction()

# tenvik_register_test(NAME name COMMAND ... [ENVIRONMENT ...])
# Registers a command (a test executable, or a launcher around one) with
# CTest under the same fixed environment; ENVIRONMENT adds to it or
# overrides it.
function(tenvik_register_test)
  cmake_parse_arguments(ARG "" "NAME" "COMMAND;ENVIRONMENT" ${ARGN})
  set(runtime_dir ${CMAKE_BINARY_DIR}/test-runtime)
  file(MAKE_DIRECTORY ${runtime_dir})
  execute_process(COMMAND chmod 700 ${runtime_dir})
  add_test(NAME ${ARG_NAME} COMMAND ${ARG_COMMAND})
  set_tests_properties(${ARG_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen:configfile=${PROJECT_SOURCE_DIR}/tests/offscreen-desktop.json;XDG_RUNTIME_DIR=${runtime_dir};LANG=${TENVIK_TEST_LOCALE};LC_ALL=${TENVIK_TEST_LOCALE};LANGUAGE=;TENVIK_TEST_OUTPUT=${CMAKE_BINARY_DIR}/test-output;${ARG_ENVIRONMENT}"
    TIMEOUT 600)
endfunction()
