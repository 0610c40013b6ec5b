# The install test: installs the build into WORK/root with DESTDIR, checks
# the file list and uses what was installed: vormid-cli on an installed
# sample model, both programs' --version, and a C program built against the
# installed libLexicon through its pkg-config file.
# Variables: BUILD_DIR, WORK, PREFIX, LIBDIR, LIST, CLIENT, CC, VERSION, HAVE_REPORT.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/FileList.cmake)

file(REMOVE_RECURSE ${WORK})
set(root ${WORK}/root)
vormid_run(out ${CMAKE_COMMAND} -E env DESTDIR=${root} ${CMAKE_COMMAND} --install ${BUILD_DIR})
set(prefix ${root}${PREFIX})
vormid_check_file_list(${prefix} ${LIST} ${LIBDIR})

# The installed tool on an installed example.
vormid_run(out ${prefix}/bin/vormid-cli budget ${prefix}/share/vormid/examples/resistance.gmf)
if(NOT out MATCHES "R")
  message(FATAL_ERROR "vormid-cli budget printed no budget of R:\n${out}")
endif()
# The report runs in the tool's helper, found at its installed place.
if(HAVE_REPORT)
  vormid_run(out ${prefix}/bin/vormid-cli report ${prefix}/share/vormid/examples/resistance.gmf -o ${WORK}/r.html)
  if(NOT EXISTS ${WORK}/r.html)
    message(FATAL_ERROR "vormid-cli report wrote no report")
  endif()
endif()
foreach(program vormid-cli vormid)
  vormid_run(out ${prefix}/bin/${program} --version)
  if(NOT out STREQUAL "${program} ${VERSION}\n")
    message(FATAL_ERROR "${program} --version printed \"${out}\", wanted \"${program} ${VERSION}\"")
  endif()
endforeach()

# The library's link name is its SONAME.
vormid_run(out objdump -p ${prefix}/${LIBDIR}/libLexicon.so.1)
if(NOT out MATCHES "SONAME +libLexicon\\.so\\.1\n")
  message(FATAL_ERROR "libLexicon.so.1 has no SONAME libLexicon.so.1:\n${out}")
endif()

# A C program against the installed header and library, found by pkg-config.
set(ENV{PKG_CONFIG_PATH} ${prefix}/${LIBDIR}/pkgconfig)
set(ENV{PKG_CONFIG_LIBDIR} ${prefix}/${LIBDIR}/pkgconfig)
# A relocatable lexicon.pc leads into the installation by itself; one that
# names its prefix (the Debian package's) is read with the installation
# root as the sysroot, keeping the system's folders that it names.
vormid_run(pc_prefix pkg-config --variable=prefix lexicon)
if(pc_prefix STREQUAL "${PREFIX}\n")
  set(ENV{PKG_CONFIG_SYSROOT_DIR} ${root})
  set(ENV{PKG_CONFIG_ALLOW_SYSTEM_CFLAGS} 1)
  set(ENV{PKG_CONFIG_ALLOW_SYSTEM_LIBS} 1)
endif()
vormid_run(flags pkg-config --cflags --libs lexicon)
string(STRIP "${flags}" flags)
separate_arguments(flags UNIX_COMMAND "${flags}")
vormid_run(out ${CC} -std=c11 -Wall -Wextra -Werror ${CLIENT} ${flags} -o ${WORK}/lexicon_client)
vormid_run(out objdump -p ${WORK}/lexicon_client)
if(NOT out MATCHES "NEEDED +libLexicon\\.so\\.1\n")
  message(FATAL_ERROR "lexicon_client does not need libLexicon.so.1:\n${out}")
endif()
vormid_run(out ${CMAKE_COMMAND} -E env LD_LIBRARY_PATH=${prefix}/${LIBDIR} ${WORK}/lexicon_client)
if(NOT out STREQUAL "PANR MAXSTICH\n")
  message(FATAL_ERROR "lexicon_client printed \"${out}\", wanted \"PANR MAXSTICH\"")
endif()

# The desktop's own checks, where their tools are installed.
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  vormid_run(out ${APPSTREAMCLI} validate --no-net ${prefix}/share/metainfo/bg.kestrane.vormid.metainfo.xml)
endif()
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
  vormid_run(out ${DESKTOP_FILE_VALIDATE} ${prefix}/share/applications/vormid.desktop)
endif()
find_program(UPDATE_MIME_DATABASE update-mime-database)
if(UPDATE_MIME_DATABASE)
  # The MIME package compiles, and its magic rule recognises a model file
  # without its extension.
  vormid_run(out ${UPDATE_MIME_DATABASE} ${prefix}/share/mime)
  file(READ ${prefix}/share/mime/magic magic HEX)
  string(HEX "application/x-gum-model" type)
  if(NOT magic MATCHES "${type}.*4701")
    message(FATAL_ERROR "the compiled MIME magic has no rule of application/x-gum-model for the header bytes 47 01")
  endif()
endif()
message(STATUS "installed under ${prefix}: file list, vormid-cli, --version and libLexicon through pkg-config checked")
