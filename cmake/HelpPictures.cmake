cmake_minimum_required(VERSION 3.25)
# Run by the build (app/CMakeLists.txt): takes every picture of the guide
# with the program's own --grab switch from the example models, so that the
# guide never shows an older window than the program it comes with.
#   cmake -DPROGRAM=... -DEXAMPLES=... -DOUT=... -DWORK=... -P HelpPictures.cmake
# One start of the program per picture, one after another (the program runs
# once per user); each start gets an empty home of its own, so no user
# setting shows in a picture and no picture changes a user setting.


include(${CMAKE_CURRENT_LIST_DIR}/HelpPictureList.cmake)

file(MAKE_DIRECTORY ${OUT})
foreach(entry IN LISTS VORMID_HELP_PICTURE_TABLE)
  string(REPLACE "|" ";" fields "${entry}")
  list(GET fields 0 name)
  list(GET fields 1 model)
  list(GET fields 2 page)
  list(LENGTH fields count)
  set(select "")
  if(count GREATER 3)
    list(GET fields 3 quantity)
    if(NOT quantity STREQUAL "")
      set(select --select ${quantity})
    endif()
  endif()
  set(home ${WORK}/${name})
  file(REMOVE_RECURSE ${home})
  file(MAKE_DIRECTORY ${home}/run)
  file(CHMOD ${home}/run DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  # A copy of the model: closing the window may write its display settings
  # into the file it opened, and the examples must stay as they are.
  file(COPY ${EXAMPLES}/${model}.gmf DESTINATION ${home})
  set(picture ${OUT}/${name}.png)
  file(REMOVE ${picture})
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen HOME=${home} XDG_CONFIG_HOME=${home}/config
            XDG_DATA_HOME=${home}/data XDG_CACHE_HOME=${home}/cache XDG_RUNTIME_DIR=${home}/run
            ${PROGRAM} --unattended --grab ${picture} --page ${page} ${select} ${home}/${model}.gmf
    OUTPUT_QUIET ERROR_VARIABLE errors TIMEOUT 60)
  if(NOT EXISTS ${picture})
    message(FATAL_ERROR "The guide's picture ${name}.png was not made (${model}.gmf, page ${page}): ${errors}")
  endif()
  file(REMOVE_RECURSE ${home})
endforeach()
