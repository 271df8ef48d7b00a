# Where an installed tree keeps each part, relative to the prefix. On Linux
# the programs that start one another lie together in lib/cuffware, and the
# two a user starts are linked from bin/; on Windows every program is in bin\.
# The headless command finds the demo's files from its own directory, so the
# relative path between the two is compiled in.
include(GNUInstallDirs)
if(WIN32)
  set(CUFFWARE_INSTALL_PROGRAMDIR bin)
  set(CUFFWARE_INSTALL_DEMODIR demo)
  set(CUFFWARE_INSTALL_DOCDIR doc)
else()
  set(CUFFWARE_INSTALL_PROGRAMDIR lib/cuffware)
  set(CUFFWARE_INSTALL_DEMODIR ${CMAKE_INSTALL_DATAROOTDIR}/cuffware/demo)
  set(CUFFWARE_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/cuffware)
endif()
file(RELATIVE_PATH CUFFWARE_DEMO_FROM_PROGRAMS /prefix/${CUFFWARE_INSTALL_PROGRAMDIR}
     /prefix/${CUFFWARE_INSTALL_DEMODIR})
