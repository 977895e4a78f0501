# Import of scanned charts: generated charts rendered as grey scans and read back. The A4
# sheets take seconds each and run in their own suite, labelled slow.
set(HOST_SKAN_TEST_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SkanFixtures.h
    ${CMAKE_CURRENT_LIST_DIR}/SkanFixtures.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WczytajSkanTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WczytajSkanBledyTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DecodeBudgetTest.cpp
)
# The chart image generator draws the pages.
set(HOST_SKAN_TEST_LIBS tacho_chartgen Qt6::Concurrent)
tacho_add_test_suite(host_skan_slow_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/SkanFixtures.h
        ${CMAKE_CURRENT_LIST_DIR}/SkanFixtures.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SheetTest.cpp
    LIBS host tacho_chartgen
    LABELS slow)
