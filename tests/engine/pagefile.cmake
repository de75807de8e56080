# Page list, stream and body coder; fixtures under data/pagefile (see make_fixtures.py there).
accrua_add_gtest(engine_pagefile_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/pagefile_support.h
    ${CMAKE_CURRENT_LIST_DIR}/test_splaycoder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_pagelist.cpp
  LIBS accrua_engine_pagefile)
target_compile_definitions(engine_pagefile_tests PRIVATE
  PAGEFILE_DATA_DIR="${CMAKE_CURRENT_LIST_DIR}/data/pagefile")
