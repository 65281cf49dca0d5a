# quill_add_test(<name> SOURCES <files...> LIBS <libs...> [GUI])
# One GoogleTest executable per subject; each test case becomes its own CTest entry.
include(GoogleTest)
find_package(GTest REQUIRED)

function(quill_add_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  if(ARG_GUI AND NOT QUILL_BUILD_GUI)
    return()  # the core-only build has no Qt layer to test
  endif()
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_GUI)
    target_link_libraries(${name} PRIVATE quill_test_gui_support ${ARG_LIBS} GTest::gtest)
    set(env "QT_QPA_PLATFORM=offscreen")
  else()
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    set(env "")
  endif()
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "${env};QUILL_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data"
               TIMEOUT 300)
endfunction()
