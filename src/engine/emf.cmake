# Metafile writer and player, text metrics and the picture loader.
add_library(accrua_engine_emf STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/emf.h
  ${CMAKE_CURRENT_SOURCE_DIR}/emfrecords.h
  ${CMAKE_CURRENT_SOURCE_DIR}/emfwriter.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/emfplayer.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/textmetrics.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/picture.h
  ${CMAKE_CURRENT_SOURCE_DIR}/picture.cpp)
target_link_libraries(accrua_engine_emf PUBLIC accrua_common Qt6::Gui PRIVATE JPEG::JPEG)
set_target_properties(accrua_engine_emf PROPERTIES AUTOMOC OFF)
