# Shared helpers for the project's targets.

# The source root, also when the fuzz project includes this file.
get_filename_component(VORMID_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)

# Headers are named from the source root ("core/GumParam.h"), yet a target
# sees only its own folder and those of the libraries it links: each folder
# has an include folder in the build tree holding one link named after it,
# so that including a layer the target does not link fails to build.
# vormid_include_folder(target folder): folder is a top folder of the sources.
function(vormid_include_folder target folder)
  set(dir ${CMAKE_BINARY_DIR}/include/${folder})
  if(IS_SYMLINK ${dir}/${folder})
    file(READ_SYMLINK ${dir}/${folder} old)
  endif()
  if(NOT old STREQUAL ${VORMID_SOURCE_ROOT}/${folder})
    file(MAKE_DIRECTORY ${dir})
    file(CREATE_LINK ${VORMID_SOURCE_ROOT}/${folder} ${dir}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${dir}>)
endfunction()

# Warnings for our own code only; third-party headers are included as SYSTEM.
function(vormid_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  # GCC 12 at -O3 reports -Wrestrict inside std::string for ordinary code
  # such as "literal" + std::string (GCC bug 105329, fixed in GCC 13): the
  # warning comes from the library's inlined copy, not from an overlap in our
  # code, so it is switched off for that compiler's optimised Release build
  # only. Debug and RelWithDebInfo keep it, and AddressSanitizer reports a
  # real overlapping copy at run time.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
     AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE $<$<AND:$<CONFIG:Release>,$<COMPILE_LANGUAGE:CXX>>:-Wno-restrict>)
  endif()
  if(VORMID_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A static library of the project: vormid_add_library(name SOURCES ... [DEPS ...]
# [FOLDER top-folder]). Sources are listed by the caller so that the folder's
# CMakeLists shows what builds; its headers are those of the top folder it
# lies in unless FOLDER names another.
function(vormid_add_library name)
  cmake_parse_arguments(ARG "" "FOLDER" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  add_library(vormid::${name} ALIAS ${name})
  if(NOT ARG_FOLDER)
    file(RELATIVE_PATH ARG_FOLDER ${VORMID_SOURCE_ROOT} ${CMAKE_CURRENT_SOURCE_DIR})
    string(REGEX REPLACE "/.*" "" ARG_FOLDER "${ARG_FOLDER}")
  endif()
  vormid_include_folder(${name} ${ARG_FOLDER})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  vormid_warnings(${name})
endfunction()
