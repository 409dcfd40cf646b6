# Helpers that keep the per-layer build files short: every layer is a static
# library of all the sources under its folder, and every test folder one
# GoogleTest executable.

# orlu_add_library(name dir [deps...])
function(orlu_add_library name dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# orlu_add_test(name dir LIBS ... [ENV ...])
function(orlu_add_test name dir)
  cmake_parse_arguments(T "" "" "LIBS;ENV" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${T_LIBS} orlu_test_support GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    ORLU_SOURCE_DIR="${CMAKE_SOURCE_DIR}" ORLU_BINARY_DIR="${CMAKE_BINARY_DIR}")
  # Discovery before each run, so that no test binary runs at build time.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "TZ=UTC;${T_ENV}")
endfunction()
