# The child-process runner of the tool's process tests and of the
# whole-process benchmarks: one library, defined by whichever folder comes
# first (the benchmarks are also built without the tests).
if(TARGET vormid_run_process)
  return()
endif()
vormid_add_library(vormid_run_process SOURCES ${CMAKE_CURRENT_LIST_DIR}/RunProcess.cpp FOLDER tests)
