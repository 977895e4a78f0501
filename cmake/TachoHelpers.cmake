# tacho_add_side_library(NAME sources...)
# Builds a shared library that the host loads by its Windows-style name
# ("dane\Korvix\NAME.dll" -> runtime/dane/Korvix/libNAME.so).
function(tacho_add_side_library name)
    add_library(${name} MODULE ${ARGN})
    set_target_properties(${name} PROPERTIES
        LIBRARY_OUTPUT_DIRECTORY ${TACHO_KORVIX_DIR}
        PREFIX "lib")
endfunction()

# tacho_add_host_library(NAME sources...)
# Builds a shared library of the host product that sits beside the executable
# ("NAME.dll" -> runtime/libNAME.so).
function(tacho_add_host_library name)
    add_library(${name} MODULE ${ARGN})
    set_target_properties(${name} PROPERTIES
        LIBRARY_OUTPUT_DIRECTORY ${TACHO_RUNTIME_DIR}
        PREFIX "lib")
endfunction()

# tacho_add_test_suite(NAME sources... LIBS libs... [LABELS labels...])
# One GoogleTest executable per library, registered with CTest.
function(tacho_add_test_suite name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest tacho_test_main)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TACHO_RUNTIME_DIR})
    gtest_discover_tests(${name}
        WORKING_DIRECTORY ${TACHO_RUNTIME_DIR}
        DISCOVERY_TIMEOUT 60
        PROPERTIES LABELS "${T_LABELS}")
endfunction()
