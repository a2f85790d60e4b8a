# The leak check's own test: a program that leaks inside a handler must fail
# under the sanitizers, so the suppressions cannot be wide enough to hide
# the program's leaks. Only a sanitizer build checks leaks.
if(TOVREK_SANITIZE)
  add_executable(leak_probe ${CMAKE_CURRENT_LIST_DIR}/leak_probe.cpp)
  target_link_libraries(leak_probe PRIVATE tovrek_toolkit)
  add_test(NAME LeakProbe.ALeakInAHandlerIsReported COMMAND leak_probe)
  set_tests_properties(LeakProbe.ALeakInAHandlerIsReported PROPERTIES
    WILL_FAIL TRUE
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tools/lsan.supp")
endif()
