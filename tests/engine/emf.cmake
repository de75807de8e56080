# Metafile writer and player, text metrics and the picture loader.
if(TARGET accrua_engine_emf)
  accrua_add_gtest(engine_emf_tests
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/emf_support.h
      ${CMAKE_CURRENT_LIST_DIR}/test_emf_writer.cpp
      ${CMAKE_CURRENT_LIST_DIR}/test_emf_player.cpp
      ${CMAKE_CURRENT_LIST_DIR}/test_picture.cpp
    LIBS accrua_engine_emf JPEG::JPEG)
  set_target_properties(engine_emf_tests PROPERTIES AUTOMOC OFF)
endif()
