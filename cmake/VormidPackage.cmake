# The Debian package: cpack -G DEB in the build tree writes
# vormid_<version>_<arch>.deb with everything that `cmake --install` puts
# under /usr. Runtime dependencies come from dpkg-shlibdeps over the
# installed programs and the library.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vormid)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Kestrane)
set(CPACK_PACKAGE_CONTACT "Vormid maintainers <maintainers@users.noreply.c-seed-541e1c5a.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "evaluate measurement uncertainty by the GUM method")
# The long description; cpack puts the summary line above it and indents it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Vormid is a desktop program with which measurement laboratories write the
equation of a measurement model, describe its input quantities (Type A,
Type B, constants) and correlations, and get an uncertainty budget for
every result. Models are kept in GUM model files (.gmf).

The package also holds vormid-cli, which evaluates and converts model
files without a window, and libLexicon.so.1, a small library that maps
field codes to captions, with its C header and pkg-config file.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The package's own library is found in the staging tree, not on the system.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/data/debian/postinst
    ${PROJECT_SOURCE_DIR}/data/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Only the installation under the prefix; no source package.
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
