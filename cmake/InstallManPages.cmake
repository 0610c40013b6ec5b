# Run by `cmake --install` (see VormidInstall.cmake): fills the manual pages
# with the version and the data folder under the prefix being installed to,
# packs them with gzip and installs them into section 1.
set(VORMID_INSTALL_FULL_DATADIR ${CMAKE_INSTALL_PREFIX}/${VORMID_DATA_SUBDIR})
set(VORMID_INSTALL_FULL_EXAMPLESDIR ${VORMID_INSTALL_FULL_DATADIR}/examples)
file(MAKE_DIRECTORY ${VORMID_MAN_WORK})
set(packed "")
foreach(source IN LISTS VORMID_MAN_SOURCES)
  get_filename_component(page ${source} NAME_WLE)
  configure_file(${source} ${VORMID_MAN_WORK}/${page} @ONLY)
  # Packed from inside the folder so that the archive holds the bare name.
  execute_process(COMMAND gzip -9 -n -f ${page} WORKING_DIRECTORY ${VORMID_MAN_WORK}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip failed on ${page}")
  endif()
  list(APPEND packed ${VORMID_MAN_WORK}/${page}.gz)
endforeach()
file(INSTALL DESTINATION ${CMAKE_INSTALL_PREFIX}/${VORMID_MANDIR}/man1 TYPE FILE FILES ${packed})
