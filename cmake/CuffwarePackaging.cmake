# Release packages through CPack: on Linux a Debian package (cpack -G DEB),
# whose dependencies dpkg-shlibdeps computes from the binaries; from the
# Windows cross build a 64-bit NSIS installer (cpack -G NSIS) with a Start
# menu entry and an uninstaller, and a ZIP of the same files (cpack -G ZIP).
# scripts/package makes them all into dist/.
set(CPACK_PACKAGE_NAME cuffware)
set(CPACK_PACKAGE_VENDOR "Cuffware Builder developers")
set(CPACK_PACKAGE_CONTACT "${CUFFWARE_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "build assistant for Q740 watch applications")
# Lines of at most 80 characters, as a Debian description wants them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "The Q740 Cuffware Builder turns a project of assembler sources for the Q740"
  "watch into build scripts for the cross toolchain, runs the build, packs the"
  "S-records into the images the watch takes, shows the memory usage of each"
  "section and starts the SDK's downloader. It comes as a window program"
  "(cuffware-builder) and a headless command (cuffware), with our toolchain"
  "for the S1C88 core and a demo SDK to try the whole road on.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/packages)

# Debian.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# wine runs the Windows toolchain off Windows; the builder works without it.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")

# Windows. Debian's nsis makes 64-bit installers only with the amd64 stubs,
# and only 64-bit programs run under Debian's wine.
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Cuffware Builder")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Cuffware Builder")
# The installer's title and the Start menu folder.
set(CPACK_NSIS_PACKAGE_NAME "Q740 Cuffware Builder")
set(CPACK_NSIS_DISPLAY_NAME "Q740 Cuffware Builder")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_MENU_LINKS "doc/README.md" "README")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)
# The uninstaller removes the install key but would leave its vendor key
# behind, empty. (Without the key the Start menu folder is still found: its
# name is kept in the uninstall information as well.)
# (CPack reads the text twice: hence the doubled escapes.)
set(vendor_key "Software\\\\${CPACK_PACKAGE_VENDOR}")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS
    "DeleteRegKey SHCTX \\\"${vendor_key}\\\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}\\\"
  DeleteRegKey /ifempty SHCTX \\\"${vendor_key}\\\"")
if(TARGET cuffware-builder)
  set(CPACK_PACKAGE_EXECUTABLES cuffware-builder "Q740 Cuffware Builder")
  # The demo in one click: bin\cuffware-demo.cmd lays the demo out in the
  # user's %LOCALAPPDATA%\Cuffware\Demo the first time and opens the window
  # program on it; the entry wears the window program's icon. The demo's
  # folder is the user's data: the uninstaller leaves it.
  set(demo_link "$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\Q740 Cuffware Builder demo.lnk")
  set(bin "$INSTDIR\\\\bin")
  set(CPACK_NSIS_CREATE_ICONS_EXTRA "CreateShortCut \\\"${demo_link}\\\" \
\\\"${bin}\\\\cuffware-demo.cmd\\\" \\\"\\\" \\\"${bin}\\\\cuffware-builder.exe\\\" 0")
  set(CPACK_NSIS_DELETE_ICONS_EXTRA
      "Delete \\\"$SMPROGRAMS\\\\$MUI_TEMP\\\\Q740 Cuffware Builder demo.lnk\\\"")
endif()
if(WIN32)
  set(CPACK_SYSTEM_NAME win64)
  set(CPACK_GENERATOR NSIS ZIP)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()

include(CPack)
