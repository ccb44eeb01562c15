# The Windows package: `cpack -G ZIP` in a Windows build makes tarnwick-<version>-win64.zip
# with both programs, the README, the project's licence and the licence texts of Qt and of
# the third-party code built into the programs, all in one folder.
install(FILES README.md LICENSE DESTINATION .)
if(DEFINED QT6_INSTALL_PREFIX AND EXISTS "${QT6_INSTALL_PREFIX}/licenses")
    install(DIRECTORY "${QT6_INSTALL_PREFIX}/licenses/" DESTINATION licenses/qt)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_FILE_NAME tarnwick-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
