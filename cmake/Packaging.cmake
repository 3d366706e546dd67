# The Debian package: `cmake --build --preset release --target package` (or
# `make package`) writes build/release/package/quillory_<version>_<arch>.deb.
# Its dependencies on shared libraries come from dpkg-shlibdeps; the Qt
# platform plugins, which the program loads at run time rather than links,
# are named by hand.
set(CPACK_PACKAGE_NAME quillory)
set(CPACK_PACKAGE_VENDOR "Morvelle Software")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Morvelle Software <quillory@morvellesoftware.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Texas hold'em practice table with win-rate estimates")
set(CPACK_PACKAGE_DESCRIPTION
"Quillory is a practice table for Texas hold'em poker. You play a hand step
by step (Draw, Flop, Turn, River) at a table of 2 to 10 players, and after
every step Quillory estimates by simulation the chance that your hand wins
at the showdown, beside the average winning rate and the expected profit.

The package also holds two command-line tools: quillory-odds, the same
estimate (or the exact chance) from a shell, and quillory-report, a table of
hand statistics over many random deals.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_SOURCE_GENERATOR "")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A practice tool rather than a game: its programs live in /usr/bin.
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(QUILLORY_BUILD_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
endif()

include(CPack)
