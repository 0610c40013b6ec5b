# What `cmake --install` puts where, beyond the targets that install
# themselves in their folders (vormid, vormid-cli, Lexicon). Paths follow
# GNUInstallDirs, so a packager moves everything with CMAKE_INSTALL_PREFIX
# and the usual CMAKE_INSTALL_<dir> variables.

set(VORMID_DATA ${PROJECT_SOURCE_DIR}/data)
# The program's own read-only files: help page and sample models.
set(VORMID_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/vormid)
set(VORMID_INSTALL_EXAMPLESDIR ${VORMID_INSTALL_DATADIR}/examples)
set(VORMID_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/vormid)

# Desktop entry, file type, icons and the software-centre description.
install(FILES ${VORMID_DATA}/vormid.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VORMID_DATA}/vormid-gmf.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME vormid.xml)
install(DIRECTORY ${VORMID_DATA}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
        FILES_MATCHING PATTERN "*.png" PATTERN "*.svg")
configure_file(${VORMID_DATA}/bg.kestrane.vormid.metainfo.xml
               ${PROJECT_BINARY_DIR}/data/bg.kestrane.vormid.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/data/bg.kestrane.vormid.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Sample models (each .gmf beside the JSON it was imported from); the guide
# and its pictures are made by the build and installed from app/.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${VORMID_INSTALL_EXAMPLESDIR}
        FILES_MATCHING PATTERN "*.gmf" PATTERN "*.json")
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${VORMID_INSTALL_DOCDIR})
# Both files are called README.md; the library's keeps its own name.
install(FILES ${PROJECT_SOURCE_DIR}/lexicon/README.md DESTINATION ${VORMID_INSTALL_DOCDIR}
        RENAME README.Lexicon.md)

# Manual pages, with the version and the installed paths filled in at
# install time (the package installs under another prefix than the build's
# default), packed as the manual reader expects them.
install(CODE "set(VORMID_MAN_SOURCES \"${VORMID_DATA}/man/vormid.1.in;${VORMID_DATA}/man/vormid-cli.1.in\")
set(VORMID_MAN_WORK \"${PROJECT_BINARY_DIR}/man\")
set(PROJECT_VERSION \"${PROJECT_VERSION}\")
set(VORMID_DATA_SUBDIR \"${VORMID_INSTALL_DATADIR}\")
set(VORMID_MANDIR \"${CMAKE_INSTALL_MANDIR}\")")
install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/InstallManPages.cmake)
