# Report definitions, layout, generation, page view and printing.
accrua_add_gtest(engine_layout_plan_test
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/layout_plan_test.cpp
  LIBS accrua_engine_layout)

# Recording and generation need the metafile writer and the page list.
if(TARGET accrua_engine_emf AND TARGET accrua_engine_pagefile)
  accrua_add_qtest(engine_layout_generate_test
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/layout_generate_test.cpp ${CMAKE_CURRENT_SOURCE_DIR}/layout_support.h
    LIBS accrua_engine_layout)
  accrua_add_qtest(engine_layout_ui_test
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/layout_ui_test.cpp ${CMAKE_CURRENT_SOURCE_DIR}/layout_support.h
    LIBS accrua_engine_ui)
endif()
