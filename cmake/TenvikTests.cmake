# tenvik_add_test(NAME name SOURCES ... LIBS ... [GUI])
# Builds one GoogleTest executable and registers its tests with CTest.
# Every test runs with a fixed environment: offscreen Qt platform, a private
# runtime folder, and the C library's locale TENVIK_TEST_LOCALE (a build runs
# its tests under the locale of a Spanish desktop, another under C.UTF-8), so
# that no result depends on the machine and none on the locale either.
function(tenvik_add_test)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE tenvik_testmain ${ARG_LIBS})
  set(runtime_dir ${CMAKE_BINARY_DIR}/test-runtime)
  file(MAKE_DIRECTORY ${runtime_dir})
  execute_process(COMMAND chmod 700 ${runtime_dir})
  add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
  set_tests_properties(${ARG_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${runtime_dir};LANG=${TENVIK_TEST_LOCALE};LC_ALL=${TENVIK_TEST_LOCALE};LANGUAGE=;TENVIK_TEST_OUTPUT=${CMAKE_BINARY_DIR}/test-output;${ARG_ENVIRONMENT}"
    TIMEOUT 600)
endfunction()
