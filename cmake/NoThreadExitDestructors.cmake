# Included by the top-level list: every Windows executable of the build is
# checked once it is linked for the C++ runtime's list of thread-exit
# destructors, and removed when it has one. With this toolchain a thread_local object with a destructor is
# destroyed inside the loader's thread-exit call after its storage has been
# freed; a fault there is swallowed and leaves the runtime's locks held, and
# the program hangs at exit. Per-thread state goes in the framework's record
# (CPerThread in framework/thread_state.h) instead.
#
# Run as a script on one file: cmake -DNM=<nm> -DEXE=<file> -P <this file>
if(CMAKE_SCRIPT_MODE_FILE)
  execute_process(COMMAND ${NM} ${EXE} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${NM} could not read ${EXE}")
  endif()
  string(FIND "${symbols}" "__cxa_thread_atexit" at)
  if(at GREATER -1)
    file(REMOVE ${EXE})
    message(FATAL_ERROR "${EXE} has a thread_local object with a destructor: keep per-thread state in "
                        "CPerThread (framework/thread_state.h)")
  endif()
  return()
endif()

# The executables defined in dir and below it.
function(spab_executables_below dir out)
  set(found)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    spab_executables_below(${subdir} below)
    list(APPEND found ${below})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# One check per executable, run again whenever it is linked again.
function(spab_check_thread_exit_destructors)
  spab_executables_below(${CMAKE_SOURCE_DIR} executables)
  set(stamps)
  foreach(target IN LISTS executables)
    set(stamp ${CMAKE_BINARY_DIR}/thread-exit-checked/${target})
    add_custom_command(OUTPUT ${stamp}
      COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DEXE=$<TARGET_FILE:${target}>
              -P ${CMAKE_SOURCE_DIR}/cmake/NoThreadExitDestructors.cmake
      COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
      DEPENDS ${target} VERBATIM)
    list(APPEND stamps ${stamp})
  endforeach()
  add_custom_target(no_thread_exit_destructors ALL DEPENDS ${stamps})
endfunction()
