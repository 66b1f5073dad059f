# spab_add_test(<name> SOURCES <files...> LIBS <targets...> [SHARDS <n>] [OWN_MAIN])
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

# tools/test starts it before the tests: it keeps Wine's desktop process alive
# with no test's output attached (see the program).
if(SPAB_WINDOWS)
  add_executable(desktop_keeper ${CMAKE_SOURCE_DIR}/tests/rig/desktop_keeper.cpp)
  set_target_properties(desktop_keeper PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endif()

# Test programs of these folders show windows and read the screen: on one
# display and desktop they would take focus, the foreground and screen pixels
# from each other. Each needs a desktop of its own: tools/test runs a few Wine
# sessions ("lanes", tools/wine-session.sh), each such program is given one of
# them here (the lane with the least usual seconds so far), and a lock per lane
# keeps ctest from running two programs of one lane at once; the other
# programs run beside them.
set(SPAB_DESKTOP_TEST_FOLDERS framework ui crop app render scenario)
set(SPAB_DESKTOP_LANES 3 CACHE STRING "Wine sessions tools/test runs for the programs that need a desktop")

# A program's usual run in seconds (a shard's when sharded), under Wine or the
# sanitizers on a machine doing other work too; unlisted ones take up to 5.
# ctest starts the long ones first, and stops any test after five times its
# usual run (at least 30 seconds): a hang fails within a few minutes at most,
# named by the program.
set(SPAB_TEST_USUAL_SECONDS
  app_shell_tests 52  app_bars_tests 35  scenario_tests 34  app_surface_tests 22  document_tests 20
  app_commands_tests 20  app_menus_tests 15  render_tests 14  imagelib_tests 12  boolengine_tests 6
  lifetime_tests 12  app_lists_tests 9)

# The lane whose programs add up to the fewest usual seconds takes the next
# one, which adds its own.
function(spab_pick_desktop_lane out seconds)
  get_property(loads GLOBAL PROPERTY SPAB_DESKTOP_LANE_LOADS)
  if(NOT loads)
    foreach(lane RANGE 1 ${SPAB_DESKTOP_LANES})
      list(APPEND loads 0)
    endforeach()
  endif()
  set(best 0)
  list(GET loads 0 least)
  set(i 0)
  foreach(load IN LISTS loads)
    if(load LESS least)
      set(least ${load})
      set(best ${i})
    endif()
    math(EXPR i "${i} + 1")
  endforeach()
  math(EXPR least "${least} + ${seconds}")
  list(REMOVE_AT loads ${best})
  list(INSERT loads ${best} ${least})
  set_property(GLOBAL PROPERTY SPAB_DESKTOP_LANE_LOADS "${loads}")
  math(EXPR lane "${best} + 1")
  set(${out} ${lane} PARENT_SCOPE)
endfunction()

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
  set(usual 5)
  list(FIND SPAB_TEST_USUAL_SECONDS ${name} at)
  if(at GREATER -1)
    math(EXPR at "${at} + 1")
    list(GET SPAB_TEST_USUAL_SECONDS ${at} usual)
  endif()
  math(EXPR timeout "${usual} * 5")
  if(timeout LESS 30)
    set(timeout 30)
  endif()
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
  string(REGEX REPLACE "/.*" "" folder "${folder}")
  set(index 0)
  foreach(test IN LISTS tests)
    # Tests that write files (logs, albums) run in a folder of their own.
    set(workdir ${CMAKE_CURRENT_BINARY_DIR}/${test}.work)
    file(MAKE_DIRECTORY ${workdir})
    add_test(NAME ${test} COMMAND ${name} --gtest_color=no WORKING_DIRECTORY ${workdir})
    set_tests_properties(${test} PROPERTIES TIMEOUT ${timeout} COST ${usual})
    set(environment)
    if(T_SHARDS GREATER 1)
      list(APPEND environment GTEST_TOTAL_SHARDS=${T_SHARDS} GTEST_SHARD_INDEX=${index})
      math(EXPR index "${index} + 1")
    endif()
    if(SPAB_WINDOWS AND folder IN_LIST SPAB_DESKTOP_TEST_FOLDERS)
      spab_pick_desktop_lane(lane ${usual})
      list(APPEND environment SPAB_DESKTOP_LANE=${lane})
      set_tests_properties(${test} PROPERTIES RESOURCE_LOCK desktop-lane-${lane})
    endif()
    if(environment)
      set_tests_properties(${test} PROPERTIES ENVIRONMENT "${environment}")
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
