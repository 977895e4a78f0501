# SQL text scanning, and the same database test bodies on SQLite (host_tests) and on PostgreSQL
# (host_db_pg_tests, labelled postgres).
set(HOST_DB_BACKEND_TESTS
    ${CMAKE_CURRENT_LIST_DIR}/DbFixture.h
    ${CMAKE_CURRENT_LIST_DIR}/DbFixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DbBackendTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ModuleSqlTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StoredProcTest.cpp
)
set(HOST_DB_TEST_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SqlTextTest.cpp
    ${HOST_DB_BACKEND_TESTS}
    ${CMAKE_CURRENT_LIST_DIR}/OnSqlite.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DbCommandTest.cpp
    ${PROJECT_SOURCE_DIR}/apps/cli/DbCommand.cpp
)
tacho_add_test_suite(host_db_pg_tests
    SOURCES ${HOST_DB_BACKEND_TESTS} ${CMAKE_CURRENT_LIST_DIR}/OnPostgres.cpp
    LIBS host
    LABELS postgres)
