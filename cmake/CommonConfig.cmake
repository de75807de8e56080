# One interface target that every Accrua target links: warnings, strictness, sanitizers.
add_library(accrua_common INTERFACE)
target_compile_options(accrua_common INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast)
if(ACCRUA_WERROR)
  target_compile_options(accrua_common INTERFACE -Werror)
endif()
target_compile_definitions(accrua_common INTERFACE
  QT_NO_CONTEXTLESS_CONNECT
  QT_NO_KEYWORDS
  QT_USE_QSTRINGBUILDER)

if(ACCRUA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(ACCRUA_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# The fuzzers steer by the coverage of the code under test, so every library
# is instrumented for them (linking the fuzzer runtime is left to the targets).
if(ACCRUA_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Extended precision matters: never let the compiler relax floating point.
add_compile_options(-fno-fast-math)

# Helper: a GoogleTest executable registered with CTest.
function(accrua_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE accrua_common GTest::gtest GTest::gtest_main ${ARG_LIBS})
  # Cases carry names of their own; the raw parameter bytes would only clutter them.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CACHE_HOME=${CMAKE_BINARY_DIR}/test-cache")
endfunction()

# Helper: a QtTest executable (window tests) registered with CTest, run offscreen.
function(accrua_add_qtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE accrua_common Qt6::Test ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CACHE_HOME=${CMAKE_BINARY_DIR}/test-cache")
endfunction()

# Headers are included by folder: "calc/money.h", "engine/emf.h".
target_include_directories(accrua_common INTERFACE ${PROJECT_SOURCE_DIR}/src)

# The version of project(), for the about box and accrua-cli --version: "accrua/version.h".
configure_file(${PROJECT_SOURCE_DIR}/cmake/version.h.in ${PROJECT_BINARY_DIR}/generated/accrua/version.h @ONLY)
target_include_directories(accrua_common INTERFACE ${PROJECT_BINARY_DIR}/generated)
