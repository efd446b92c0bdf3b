# One helper adds a GoogleTest executable and registers each of its tests with CTest.
# Tests find the shared data folder through SCRIBLO_SHARED_DATA, which points at the
# checkout's sibling `shared/data` when it exists.
include(GoogleTest)

get_filename_component(SCRIBLO_SHARED_DATA "${CMAKE_SOURCE_DIR}/../shared/data" ABSOLUTE)

function(scriblo_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    SCRIBLO_SHARED_DATA="${SCRIBLO_SHARED_DATA}"
    SCRIBLO_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    SCRIBLO_BINARY_DIR="${CMAKE_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
