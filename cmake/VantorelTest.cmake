# The one way a test joins the suite: every test program is registered in CTest here, runs
# headless with its own data folder (no journal of a real day is read or written) and gets the
# shared test doubles, so none can be forgotten or run with a display.
#
#   vantorel_add_test(<name> SOURCES <files...> LIBS <targets...>)
function(vantorel_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE vantorel_testsupport ${ARG_LIBS} Qt6::Test vantorel_warnings)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;XDG_DATA_HOME=${CMAKE_CURRENT_BINARY_DIR}/${name}-data;ASAN_OPTIONS=detect_leaks=0:halt_on_error=1;UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1"
        TIMEOUT 300)
endfunction()
