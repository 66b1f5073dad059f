# Checks that the sources of one folder include only from the folders below it:
#   cmake -DROOT=<source tree> -DFOLDER=<folder> -DALLOWED=<folder>,... -P CheckIncludes.cmake
# Every '#include "x/..."' of FOLDER's headers, sources and resource scripts must
# name an x in ALLOWED. Fails with the offending lines.
cmake_minimum_required(VERSION 3.20)
string(REPLACE "," ";" ALLOWED "${ALLOWED}")
file(GLOB_RECURSE sources ${ROOT}/${FOLDER}/*.h ${ROOT}/${FOLDER}/*.cpp ${ROOT}/${FOLDER}/*.rc)
set(offences "")
foreach(source IN LISTS sources)
  file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"[^\"/]+/")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]+\"([^\"/]+)/.*" "\\1" top "${line}")
    if(NOT top IN_LIST ALLOWED)
      file(RELATIVE_PATH name ${ROOT} ${source})
      string(APPEND offences "\n  ${name}: ${line}")
    endif()
  endforeach()
endforeach()
if(offences)
  string(REPLACE ";" ", " shown "${ALLOWED}")
  message(FATAL_ERROR "${FOLDER}/ may include only from ${shown}:${offences}")
endif()
