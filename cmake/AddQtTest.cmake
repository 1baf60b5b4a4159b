# sign_add_test(NAME SOURCES ... LIBS ... [LABELS unit] [TIMEOUT 120] [RESOURCE_LOCK name])
# One QtTest executable, registered with CTest, run headless.
function(sign_add_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS;RESOURCE_LOCK" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    if(NOT ARG_LABELS)
        set(ARG_LABELS unit)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE project_options Qt6::Test ${ARG_LIBS})
    target_compile_definitions(${name} PRIVATE
        SIGN_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
        SIGN_BINARY_DIR="${PROJECT_BINARY_DIR}")
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${ARG_TIMEOUT}
        LABELS "${ARG_LABELS}"
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_FATAL_WARNINGS=0;ASAN_OPTIONS=detect_leaks=0")
    if(ARG_RESOURCE_LOCK)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${ARG_RESOURCE_LOCK}")
    endif()
endfunction()
