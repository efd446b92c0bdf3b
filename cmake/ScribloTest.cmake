# One helper adds a GoogleTest executable and registers each of its tests with CTest.
# Tests find the shared data folder through SCRIBLO_SHARED_DATA, which points at the
# checkout's sibling `shared/data` when it exists.
include(GoogleTest)

get_filename_component(SCRIBLO_SHARED_DATA "${CMAKE_SOURCE_DIR}/../shared/data" ABSOLUTE)

function(scriblo_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock GTest::gtest_main Qt6::Widgets Qt6::DBus)
  # GCC 12 takes std::string's inlined copies for overruns (its bug 105651) and stops
  # keeping such warnings in the standard headers to itself once those come precompiled.
  target_compile_options(${name} PRIVATE -pthread -Wno-array-bounds -Wno-stringop-overflow)
  target_precompile_headers(${name} REUSE_FROM scriblo_test_pch)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    SCRIBLO_SHARED_DATA="${SCRIBLO_SHARED_DATA}"
    SCRIBLO_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    SCRIBLO_BINARY_DIR="${CMAKE_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()

# Every library `target` links, directly or through the libraries it links.
function(scriblo_linked_libraries target result)
  set(found "")
  set(pending ${target})
  while(pending)
    list(POP_FRONT pending current)
    if(current IN_LIST found OR current MATCHES "^\\$<")
      continue()
    endif()
    list(APPEND found ${current})
    if(TARGET ${current})
      get_target_property(links ${current} INTERFACE_LINK_LIBRARIES)
      get_target_property(type ${current} TYPE)
      if(NOT type STREQUAL "INTERFACE_LIBRARY")
        get_target_property(private_links ${current} LINK_LIBRARIES)
        list(APPEND links ${private_links})
      endif()
      foreach(link ${links})
        if(link AND NOT link MATCHES "-NOTFOUND$")
          list(APPEND pending ${link})
        endif()
      endforeach()
    endif()
  endwhile()
  set(${result} "${found}" PARENT_SCOPE)
endfunction()
