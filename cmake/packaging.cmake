# Installation (GNUInstallDirs) and the Debian package built by `make package` through CPack.
# Included at the end of the top level, after every target exists.
include(GNUInstallDirs)

install(TARGETS serialix serialix-list RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The manual pages, menu entry, icons and metadata: data/CMakeLists.txt.
add_subdirectory(${PROJECT_SOURCE_DIR}/data ${PROJECT_BINARY_DIR}/data)
if(SERIALIX_BUILD_TESTS)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tests/packaging ${PROJECT_BINARY_DIR}/tests/packaging)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME serialix)
set(CPACK_PACKAGE_VENDOR "Serialix developers")
set(CPACK_PACKAGE_CONTACT "Serialix developers <serialix@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "build lists of sequentially numbered web addresses")
set(CPACK_PACKAGE_DESCRIPTION
    "Serialix assembles web addresses from ordered segments (host, separators,\n\
free texts, a letter, a symbol, an extension and three nested numeric counters\n\
with their own ranges and fill styles) and hands the list to other programs\n\
through a text file or the clipboard. The interface is in Japanese.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/serialix/serialix")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries come from the binary's own links; the rest it loads at run time:
# the xcb platform plugin, a Japanese font for the captions, and Qt's Japanese texts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-noto-cjk | fonts-ipafont-gothic, qt6-translations-l10n")

include(CPack)
