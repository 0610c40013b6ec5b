# The Debian packages that dpkg-buildpackage wrote into DEB_DIR: which
# package holds what, what each depends on, and the packages used as an
# administrator would: unpacked together into WORK/root, vormid-cli
# validate, both programs' --version, and a C program built against the
# unpacked liblexicon-dev through its pkg-config file. Lintian, run beside
# this check, judges the rest (copyright, changelog, stripping, symbols,
# triggers).
# Variables: DEB_DIR, WORK, VERSION, CLIENT, CC.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/FileList.cmake)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
vormid_run(arch dpkg --print-architecture)
string(STRIP "${arch}" arch)
vormid_run(multiarch dpkg-architecture -qDEB_HOST_MULTIARCH)
string(STRIP "${multiarch}" multiarch)
set(libdir usr/lib/${multiarch})

# Each package with the project's version (debian/changelog follows
# project()), and the debug symbols apart.
foreach(package vormid liblexicon1 liblexicon-dev vormid-dbgsym liblexicon1-dbgsym)
  set(deb_${package} ${DEB_DIR}/${package}_${VERSION}_${arch}.deb)
  if(NOT EXISTS ${deb_${package}})
    file(GLOB written ${DEB_DIR}/*.deb)
    message(FATAL_ERROR "no ${deb_${package}}; dpkg-buildpackage wrote:\n${written}")
  endif()
endforeach()

# Every package holds these files (and may hold more).
set(holds_vormid usr/bin/vormid usr/bin/vormid-cli usr/libexec/vormid/vormid-cli-report usr/share/applications/vormid.desktop
                 usr/share/mime/packages/vormid.xml usr/share/vormid/examples/resistance.gmf
                 usr/share/man/man1/vormid-cli.1.gz usr/share/doc/vormid/copyright)
set(holds_liblexicon1 ${libdir}/libLexicon.so.1 ${libdir}/libLexicon.so.1.0.0)
set(holds_liblexicon-dev ${libdir}/libLexicon.so ${libdir}/pkgconfig/lexicon.pc
                         usr/include/lexicon/Lexicon.h usr/share/doc/liblexicon-dev/README.md)
set(errors "")
foreach(package vormid liblexicon1 liblexicon-dev)
  vormid_run(listing dpkg-deb --contents ${deb_${package}})
  set(contents_${package} "${listing}")
  foreach(file IN LISTS holds_${package})
    if(NOT listing MATCHES " \\./${file}( |\n)")
      string(APPEND errors "  ${package} lacks ${file}\n")
    endif()
  endforeach()
endforeach()
# The library lives in its own packages only: the program does not use it.
if(contents_vormid MATCHES "libLexicon|lexicon\\.pc|Lexicon\\.h")
  string(APPEND errors "  vormid holds a file of the library\n")
endif()

vormid_run(depends dpkg-deb --field ${deb_vormid} Depends)
if(depends MATCHES "lexicon" OR NOT depends MATCHES "libqt6widgets6")
  string(APPEND errors "  vormid depends on \"${depends}\", wanted Qt and no liblexicon1\n")
endif()
vormid_run(depends dpkg-deb --field ${deb_liblexicon-dev} Depends)
if(NOT depends MATCHES "(^|, )liblexicon1 \\(= ${VERSION}\\)")
  string(APPEND errors "  liblexicon-dev depends on \"${depends}\", wanted liblexicon1 (= ${VERSION})\n")
endif()
if(errors)
  message(FATAL_ERROR "The packages in ${DEB_DIR}:\n${errors}")
endif()

# Unpacked together, as apt would install them.
set(root ${WORK}/root)
foreach(package vormid liblexicon1 liblexicon-dev)
  vormid_run(out dpkg-deb --extract ${deb_${package}} ${root})
endforeach()

vormid_run(out ${root}/usr/bin/vormid-cli validate)
foreach(program vormid-cli vormid)
  vormid_run(out ${root}/usr/bin/${program} --version)
  if(NOT out STREQUAL "${program} ${VERSION}\n")
    message(FATAL_ERROR "${program} --version from the package printed \"${out}\", wanted \"${program} ${VERSION}\"")
  endif()
endforeach()

# lexicon.pc names /usr: seen through the unpacked root as a sysroot, with
# the system's folders kept, its flags lead into the root.
set(ENV{PKG_CONFIG_LIBDIR} ${root}/${libdir}/pkgconfig)
set(ENV{PKG_CONFIG_SYSROOT_DIR} ${root})
set(ENV{PKG_CONFIG_ALLOW_SYSTEM_CFLAGS} 1)
set(ENV{PKG_CONFIG_ALLOW_SYSTEM_LIBS} 1)
vormid_run(prefix pkg-config --variable=prefix lexicon)
if(NOT prefix MATCHES "^${root}/usr\n$")
  message(FATAL_ERROR "lexicon.pc has the prefix \"${prefix}\", wanted /usr")
endif()
vormid_run(flags pkg-config --cflags --libs lexicon)
string(STRIP "${flags}" flags)
separate_arguments(flags UNIX_COMMAND "${flags}")
vormid_run(out ${CC} -std=c11 -Wall -Wextra -Werror ${CLIENT} ${flags} -o ${WORK}/lexicon_client)
vormid_run(out ${CMAKE_COMMAND} -E env LD_LIBRARY_PATH=${root}/${libdir} ${WORK}/lexicon_client)
if(NOT out STREQUAL "PANR MAXSTICH\n")
  message(FATAL_ERROR "lexicon_client printed \"${out}\", wanted \"PANR MAXSTICH\"")
endif()
message(STATUS "${DEB_DIR}: the split, dependencies, vormid-cli validate, --version and libLexicon through pkg-config checked")
