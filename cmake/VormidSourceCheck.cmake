# Guard against source files that no target builds.
#
# Every .cpp and .c file in a folder that the build configures must be a
# source of some target. A file that is left out would otherwise compile
# never and fail nobody: a test that does not run, a class that is not in its
# library. vormid_check_sources() runs at the end of the top-level
# CMakeLists.txt, when every target exists, and stops the configuration with
# the names of such files.
#
# A file that a folder builds only in some configurations (for example a
# benchmark of the window when the window is not built) is declared with
# vormid_not_built(REASON "why" FILES a.cpp ...) in that folder.

function(vormid_not_built)
  cmake_parse_arguments(ARG "" "REASON" "FILES" ${ARGN})
  if(NOT ARG_REASON)
    message(FATAL_ERROR "vormid_not_built needs a REASON")
  endif()
  foreach(file IN LISTS ARG_FILES)
    get_filename_component(path ${file} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    set_property(GLOBAL APPEND PROPERTY VORMID_NOT_BUILT_SOURCES ${path})
  endforeach()
endfunction()

# Every directory below dir (itself included) that the build configured.
function(_vormid_collect_dirs dir out)
  set(dirs ${dir})
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    _vormid_collect_dirs(${sub} more)
    list(APPEND dirs ${more})
  endforeach()
  set(${out} ${dirs} PARENT_SCOPE)
endfunction()

# Whether file belongs to dir itself rather than to a subfolder with a
# CMakeLists.txt of its own (that one is checked when it is configured).
function(_vormid_own_file dir file out)
  get_filename_component(parent ${file} DIRECTORY)
  while(NOT parent STREQUAL dir AND NOT parent STREQUAL "/" AND parent)
    if(EXISTS ${parent}/CMakeLists.txt)
      set(${out} FALSE PARENT_SCOPE)
      return()
    endif()
    get_filename_component(parent ${parent} DIRECTORY)
  endwhile()
  set(${out} TRUE PARENT_SCOPE)
endfunction()

function(vormid_check_sources)
  _vormid_collect_dirs(${CMAKE_CURRENT_SOURCE_DIR} dirs)

  # The absolute path of every source of every target.
  set(built "")
  foreach(dir IN LISTS dirs)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "INTERFACE_LIBRARY")
        continue()
      endif()
      get_target_property(sources ${target} SOURCES)
      get_target_property(source_dir ${target} SOURCE_DIR)
      foreach(source IN LISTS sources)
        if(source MATCHES "^\\$<")
          continue()
        endif()
        get_filename_component(path ${source} ABSOLUTE BASE_DIR ${source_dir})
        list(APPEND built ${path})
      endforeach()
    endforeach()
  endforeach()
  get_property(not_built GLOBAL PROPERTY VORMID_NOT_BUILT_SOURCES)
  list(APPEND built ${not_built})

  set(missing "")
  foreach(dir IN LISTS dirs)
    # Only folders of the source tree; the build tree holds generated files.
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR ${dir} NORMALIZE in_source)
    if(NOT in_source)
      continue()
    endif()
    # A folder's own subfolders without a CMakeLists.txt (lexicon/tools,
    # ui/pages) belong to it; the top folder holds the build trees and
    # folders of other projects, so only its own files count.
    if(dir STREQUAL PROJECT_SOURCE_DIR)
      file(GLOB files LIST_DIRECTORIES false ${dir}/*.cpp ${dir}/*.c)
    else()
      file(GLOB_RECURSE files LIST_DIRECTORIES false ${dir}/*.cpp ${dir}/*.c)
    endif()
    foreach(file IN LISTS files)
      _vormid_own_file(${dir} ${file} own)
      if(own AND NOT file IN_LIST built)
        file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${file})
        list(APPEND missing ${rel})
      endif()
    endforeach()
  endforeach()

  list(REMOVE_DUPLICATES missing)
  if(missing)
    list(JOIN missing "\n  " text)
    message(FATAL_ERROR
      "These source files are built by no target:\n  ${text}\n"
      "Add each to the SOURCES of a target in its folder's CMakeLists.txt "
      "(tests: see the rule in tests/CMakeLists.txt).")
  endif()
endfunction()
