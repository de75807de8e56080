# The page list, its stream and the body coder: the report page file (*.ARP).
add_library(accrua_engine_pagefile STATIC
  ${CMAKE_CURRENT_LIST_DIR}/pagelist.h
  ${CMAKE_CURRENT_LIST_DIR}/pagelist.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rptstream.h
  ${CMAKE_CURRENT_LIST_DIR}/rptstream.cpp
  ${CMAKE_CURRENT_LIST_DIR}/splaycoder.h
  ${CMAKE_CURRENT_LIST_DIR}/splaycoder.cpp)
target_link_libraries(accrua_engine_pagefile PUBLIC accrua_common Qt6::Core)
