# The Windows program, its installer and its portable zip, made by packaging/windows/build.sh.

# A window program with no console beside it, with MinGW's runtime inside it, so that it runs
# from any folder with nothing installed beside it.
set_target_properties(tamsa PROPERTIES WIN32_EXECUTABLE ON OUTPUT_NAME Tamsa)
add_link_options(-static)
target_link_options(tamsa PRIVATE -static)

# The icon and the version in the file's properties (the icon is made from the committed PNGs
# by build.sh).
set(TAMSA_ICO "" CACHE FILEPATH "The program's icon, an .ico file")
if(TAMSA_ICO)
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows/tamsa.rc.in ${CMAKE_CURRENT_BINARY_DIR}/tamsa.rc @ONLY)
  target_sources(tamsa PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/tamsa.rc)
endif()

install(TARGETS tamsa RUNTIME DESTINATION .)
install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)
install(FILES packaging/windows/README.txt DESTINATION .)
# Qt is linked into the program: its licence (LGPL 3) comes along.
set(TAMSA_QT_LICENSES "" CACHE PATH "Qt's LICENSES folder")
if(TAMSA_QT_LICENSES)
  install(FILES ${TAMSA_QT_LICENSES}/LGPL-3.0-only.txt ${TAMSA_QT_LICENSES}/GPL-3.0-only.txt DESTINATION licenses/Qt)
endif()

set(CPACK_GENERATOR "NSIS;ZIP")
set(CPACK_PACKAGE_NAME Tamsa)
set(CPACK_PACKAGE_VENDOR "Tamsa developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Czech card game against three computer players")
set(CPACK_PACKAGE_FILE_NAME "Tamsa-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tamsa)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
# The Start-menu entry: the program under its name, with the program's own icon.
set(CPACK_PACKAGE_EXECUTABLES Tamsa Tamsa)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_DISPLAY_NAME Tamsa)
set(CPACK_NSIS_PACKAGE_NAME Tamsa)
set(CPACK_NSIS_INSTALLED_ICON_NAME Tamsa.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# A 64-bit installer (Debian's NSIS has the stubs), for a 64-bit program in its Program Files.
set(CPACK_NSIS_DEFINES "  Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)
if(TAMSA_ICO)
  set(CPACK_NSIS_MUI_ICON ${TAMSA_ICO})
  set(CPACK_NSIS_MUI_UNIICON ${TAMSA_ICO})
endif()
set(CPACK_STRIP_FILES ON)
include(CPack)
