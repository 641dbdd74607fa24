# lirasto_add_test(<name> KIND <unit|widget|e2e> SOURCES ... [LIBS ...] [TIMEOUT s] [OWN_MAIN])
#
# Builds one GoogleTest executable and registers it with CTest as <kind>.<folder>.<name>, all in
# lower case, the folder being the one under tests/ that registers it (unit.graphics.blend,
# widget.app.soak): one scheme, so that -R and -L select by kind or by folder alike. A name given
# with its folder in front (graphics.blend) is taken as it is. Widget tests run headless on the
# offscreen platform and get the test main that creates the QApplication; unit tests use
# GoogleTest's own main. OWN_MAIN leaves the main to the test's sources.
function(lirasto_add_test name)
    cmake_parse_arguments(T "OWN_MAIN" "KIND;TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NOT T_KIND)
        set(T_KIND unit)
    endif()
    string(REPLACE "." "_" target "test_${T_KIND}_${name}")
    add_executable(${target} ${T_SOURCES})
    lirasto_warnings(${target})
    # A test's own code is mostly assertions: unoptimised it compiles a third faster (more under the
    # sanitizers), while the code it tests keeps its libraries' flags.
    target_compile_options(${target} PRIVATE -O0)
    target_link_libraries(${target} PRIVATE ${T_LIBS} lirasto_testsupport)
    if(T_OWN_MAIN)
        # the sources bring their own main
    elseif(T_KIND STREQUAL "unit")
        target_link_libraries(${target} PRIVATE GTest::gtest_main)
    else()
        target_link_libraries(${target} PRIVATE lirasto_widgettest_main)
    endif()
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
    string(TOLOWER "${name}" leaf)
    string(REGEX REPLACE "^${folder}[._]" "" leaf "${leaf}")
    set(test_name ${T_KIND}.${folder}.${leaf})
    add_test(NAME ${test_name} COMMAND ${target})
    set(env "LIRASTO_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
    # Tests load the program's modules from where the build writes them; the end-to-end tests run the program,
    # which finds them beside itself.
    if(NOT T_KIND STREQUAL "e2e")
        list(APPEND env "LIRASTO_MODULE_DIR=${PROJECT_BINARY_DIR}/app")
    endif()
    if(T_KIND STREQUAL "widget")
        list(APPEND env "QT_QPA_PLATFORM=offscreen")
    endif()
    set_tests_properties(${test_name} PROPERTIES ENVIRONMENT "${env}" LABELS ${T_KIND})
    # Two JACK servers starting at once can meet in JACK's shared registry: tests that start one take turns.
    if("lirasto_jacktest" IN_LIST T_LIBS)
        set_tests_properties(${test_name} PROPERTIES RESOURCE_LOCK jack)
    endif()
    if(T_TIMEOUT)
        set_tests_properties(${test_name} PROPERTIES TIMEOUT ${T_TIMEOUT})
    endif()
endfunction()
