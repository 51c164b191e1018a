# cpack -G DEB builds quoxa_<version>_<arch>.deb from the install rules; scripts/package.sh
# is the way for users. The dependencies come from dpkg-shlibdeps on the installed program,
# so they follow the Qt the build found.
set(CPACK_PACKAGE_NAME quoxa)
set(CPACK_PACKAGE_VENDOR "QUOXA developers")
set(QUOXA_PACKAGE_MAINTAINER "QUOXA developers <quoxa-devel@users.noreply.github.com>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${QUOXA_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/quoxa/quoxa")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "hex editor for files of any size")
set(CPACK_PACKAGE_DESCRIPTION
    "QUOXA loads a file completely into memory and shows it in three synchronised
grids: addresses, hexadecimal bytes and characters. It overwrites, inserts
and deletes bytes in hex or as text with undo and redo to any depth, marks
blocks, finds and replaces text or hex strings with a joker byte, decodes
numbers, converts characters with tables, prints hex dumps and runs byte
editing scripts, also unattended from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The staging tree is made under the builder's umask; the package's folders are 0755.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The manual page compressed, the copyright file and the changelog, as Debian's policy
# asks; a plain cmake --install leaves them out.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebianDocs.cmake)
set(CPACK_QUOXA_DATA ${PROJECT_SOURCE_DIR}/data)
set(CPACK_GENERATOR DEB)
include(CPack)
