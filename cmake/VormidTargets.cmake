# Shared helpers for the project's targets.

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

# A static library of the project: vormid_add_library(name SOURCES ... [DEPS ...])
# Sources are listed by the caller so that the folder's CMakeLists shows what builds.
function(vormid_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  add_library(vormid::${name} ALIAS ${name})
  target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  vormid_warnings(${name})
endfunction()
