# Import of scanned charts (host library): decoding, threshold, disc finding, cutting.
set(HOST_SKAN_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/WczytajSkan.h
    ${CMAKE_CURRENT_LIST_DIR}/WczytajSkan.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DecodeBudget.h
    ${CMAKE_CURRENT_LIST_DIR}/DecodeBudget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ScanFile.h
    ${CMAKE_CURRENT_LIST_DIR}/ScanFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Threshold.h
    ${CMAKE_CURRENT_LIST_DIR}/Threshold.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CircleFit.h
    ${CMAKE_CURRENT_LIST_DIR}/CircleFit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DiscFinder.h
    ${CMAKE_CURRENT_LIST_DIR}/DiscFinder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GreyView.h
    ${CMAKE_CURRENT_LIST_DIR}/DiscCut.h
    ${CMAKE_CURRENT_LIST_DIR}/DiscCut.cpp
)
