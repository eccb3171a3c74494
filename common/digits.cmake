# Digit pictures: which picture shows which digit (Qt Core), and the pictures themselves.
target_sources(vexlo_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/digitpairs.cpp ${CMAKE_CURRENT_LIST_DIR}/digitpairs.h)
target_sources(vexlo_common PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/imagelist.cpp ${CMAKE_CURRENT_LIST_DIR}/imagelist.h)
