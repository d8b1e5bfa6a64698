# A Debian package of what is installed: `cpack` in the build folder writes
# velmaris_<version>_<arch>.deb. The libraries it needs are found by
# dpkg-shlibdeps; what it only starts (xdg-open) is recommended.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmaris)
set(CPACK_PACKAGE_VENDOR "Velmaris")
set(CPACK_PACKAGE_CONTACT "Velmaris <packages@velmaris.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "launcher for the databases of a contact manager")
set(CPACK_PACKAGE_DESCRIPTION
    "Velmaris keeps a named list of the databases of a contact manager, which a
team may share, and opens any one of them with one action, applying that
database's own logon, default layouts, opening macro, first view and file
folders at that moment. A floating QuickSwitch window offers up to eight
favourite databases as tiles. English, French and German.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.velmaris.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

# Every Debian package names its copyright and carries its changelog,
# compressed reproducibly.
set(VELMARIS_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/velmaris)
configure_file(${CMAKE_SOURCE_DIR}/resources/linux/debian/changelog.in
    ${CMAKE_BINARY_DIR}/debian/changelog @ONLY)
velmaris_gzip_at_build(${CMAKE_BINARY_DIR}/debian/changelog ${CMAKE_BINARY_DIR}/debian/changelog.gz)
install(FILES ${CMAKE_SOURCE_DIR}/resources/linux/debian/copyright
    ${CMAKE_BINARY_DIR}/debian/changelog.gz DESTINATION ${VELMARIS_DOC_DIR})

include(CPack)
