# Packages made by cpack in the build folder: a Debian package on Linux, a ZIP archive in
# a Windows build. Each takes what `cmake --install` installs.
#   cd build && cpack
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "lists the resources a Counter-Strike 1.6 map needs and writes its .res file")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${CMAKE_CURRENT_LIST_DIR}/package-description.txt)
set(CPACK_PACKAGE_CONTACT "Tarnwick developers <tarnwick@localhost>"
    CACHE STRING "The maintainer named in the packages")
set(CPACK_STRIP_FILES ON)

install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
if(WIN32)
    # tarnwick-1.5.0-win64.zip: one folder with both programs at its top, the README, the
    # licence, and the licence texts of Qt and of the third-party code built into them.
    set(CPACK_GENERATOR ZIP)
    set(CPACK_SYSTEM_NAME win64)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
    if(DEFINED QT6_INSTALL_PREFIX AND EXISTS "${QT6_INSTALL_PREFIX}/licenses")
        install(DIRECTORY "${QT6_INSTALL_PREFIX}/licenses/" DESTINATION licenses/qt)
    endif()
else()
    set(CPACK_GENERATOR DEB)
    # tarnwick_1.5.0_amd64.deb
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION games)
    # The shared libraries the programs link (Qt's among them) become the package's
    # dependencies, with the versions dpkg-shlibdeps finds.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()

include(CPack)
