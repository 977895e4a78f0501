set(HOST_DB_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/Connection.h
    ${CMAKE_CURRENT_LIST_DIR}/Connection.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DbValues.h
    ${CMAKE_CURRENT_LIST_DIR}/DbValues.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DemoData.h
    ${CMAKE_CURRENT_LIST_DIR}/DemoData.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProcDokumenty.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProcSpeed.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProcTacho.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Procedures.h
    ${CMAKE_CURRENT_LIST_DIR}/Query.h
    ${CMAKE_CURRENT_LIST_DIR}/Query.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Schema.h
    ${CMAKE_CURRENT_LIST_DIR}/Schema.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SqlText.h
    ${CMAKE_CURRENT_LIST_DIR}/SqlText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StoredProc.h
    ${CMAKE_CURRENT_LIST_DIR}/StoredProc.cpp
)

# The schema and the demo fleet are built into the library.
if(TARGET host)
    qt_add_resources(host host_db_schema
        PREFIX /tacho/schema
        BASE ${PROJECT_SOURCE_DIR}/data/schema
        FILES ${PROJECT_SOURCE_DIR}/data/schema/tacho.sql ${PROJECT_SOURCE_DIR}/data/schema/demo.sql)
endif()
