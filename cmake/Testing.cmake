# spab_add_test(<name> SOURCES <files...> LIBS <targets...> [SHARDS <n>])
# One GoogleTest executable per folder, registered as one ctest test (or n). In the
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
set(SPAB_DESKTOP_TEST_FOLDERS framework ui crop app scenario)

function(spab_add_test name)
  cmake_parse_arguments(T "OWN_MAIN" "SHARDS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_OWN_MAIN)
    target_link_libraries(${name} PRIVATE ${T_LIBS} ${SPAB_GTEST})
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} ${SPAB_GTEST_MAIN})
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  # A long program runs as SHARDS tests, each with every SHARDS-th case, so that
  # they run side by side.
  set(tests ${name})
  if(T_SHARDS GREATER 1)
    set(tests)
    foreach(i RANGE 1 ${T_SHARDS})
      list(APPEND tests ${name}.${i})
    endforeach()
  endif()
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
  string(REGEX REPLACE "/.*" "" folder "${folder}")
  set(index 0)
  foreach(test IN LISTS tests)
    # Tests that write files (logs, albums) run in a folder of their own.
    set(workdir ${CMAKE_CURRENT_BINARY_DIR}/${test}.work)
    file(MAKE_DIRECTORY ${workdir})
    add_test(NAME ${test} COMMAND ${name} --gtest_color=no WORKING_DIRECTORY ${workdir})
    set_tests_properties(${test} PROPERTIES TIMEOUT 900)
    if(T_SHARDS GREATER 1)
      set_tests_properties(${test} PROPERTIES
        ENVIRONMENT "GTEST_TOTAL_SHARDS=${T_SHARDS};GTEST_SHARD_INDEX=${index}")
      math(EXPR index "${index} + 1")
    endif()
    if(folder IN_LIST SPAB_DESKTOP_TEST_FOLDERS)
      set_tests_properties(${test} PROPERTIES RESOURCE_LOCK desktop)
    endif()
  endforeach()
endfunction()

# spab_add_layer_test(<folder> ALLOWED <folders...>)
# A test that the folder's sources include only from itself and the folders
# beneath it (cmake/CheckIncludes.cmake).
function(spab_add_layer_test folder)
  cmake_parse_arguments(L "" "" "ALLOWED" ${ARGN})
  string(REPLACE ";" "," allowed "${folder};${L_ALLOWED}")
  add_test(NAME ${folder}_layers
           COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR} -DFOLDER=${folder} -DALLOWED=${allowed}
                   -P ${CMAKE_SOURCE_DIR}/cmake/CheckIncludes.cmake)
endfunction()
