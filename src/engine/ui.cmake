# The page view the preview window embeds, and printing / PDF output.
add_library(accrua_engine_ui STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/pageview.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/pageview.h
  ${CMAKE_CURRENT_SOURCE_DIR}/printing.cpp)
target_link_libraries(accrua_engine_ui PUBLIC accrua_common accrua_engine_layout Qt6::Widgets Qt6::PrintSupport)
