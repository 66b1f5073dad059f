# spab_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable per folder, registered as one ctest test. In the
# Windows build ctest runs it through CMAKE_CROSSCOMPILING_EMULATOR (Wine).
if(SPAB_WINDOWS)
  find_package(GTest REQUIRED CONFIG)
  set(SPAB_GTEST GTest::gtest)
  set(SPAB_GTEST_MAIN GTest::gtest_main)
else()
  find_package(GTest REQUIRED)
  set(SPAB_GTEST GTest::gtest)
  set(SPAB_GTEST_MAIN GTest::gtest_main)
endif()

# Test programs of these folders show windows: on the one display and desktop all
# programs share, they would take focus, the foreground and screen pixels from
# each other. They run one at a time; the other programs run beside them.
set(SPAB_DESKTOP_TEST_FOLDERS framework ui crop app)

function(spab_add_test name)
  cmake_parse_arguments(T "OWN_MAIN" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_OWN_MAIN)
    target_link_libraries(${name} PRIVATE ${T_LIBS} ${SPAB_GTEST})
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} ${SPAB_GTEST_MAIN})
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  # Tests that write files (logs, albums) run in a folder of their own.
  set(workdir ${CMAKE_CURRENT_BINARY_DIR}/${name}.work)
  file(MAKE_DIRECTORY ${workdir})
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no WORKING_DIRECTORY ${workdir})
  set_tests_properties(${name} PROPERTIES TIMEOUT 900)
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
  string(REGEX REPLACE "/.*" "" folder "${folder}")
  if(folder IN_LIST SPAB_DESKTOP_TEST_FOLDERS)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK desktop)
  endif()
endfunction()
