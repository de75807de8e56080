# Banded report definitions, layout, page recording and generation (Qt Gui).
# The page plan (report + layout) needs nothing else; recording and
# generation use the metafile writer and the page list.
add_library(accrua_engine_layout STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/report.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/layout.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/pagerecorder.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/generator.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/generator.h)
target_link_libraries(accrua_engine_layout PUBLIC accrua_common Qt6::Gui)
foreach(dep accrua_engine_emf accrua_engine_pagefile)
  if(TARGET ${dep})
    target_link_libraries(accrua_engine_layout PUBLIC ${dep})
  endif()
endforeach()
