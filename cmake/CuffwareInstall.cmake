# What an installed tree holds: every program of ours, the demo's SDK,
# applications and toolchain files (where `cuffware demo` finds them), the
# documentation and the licence; on Linux the man pages, the desktop entry
# and the icon as well. Directories come from CuffwareInstallDirs.cmake.

set(programs cuffware as88 lk88 lc88 dis88 sim88 maplist labelset CuffwareDL)
if(NOT WIN32)
  list(APPEND programs cuffware-batch)  # build.bat's interpreter off Windows
endif()
# The window programs exist only where they are built: with Qt on Linux, and
# the Windows API one (src/win32) in the cross build.
foreach(window cuffware-builder cuffware-batch-window)
  if(TARGET ${window})
    list(APPEND programs ${window})
  endif()
endforeach()
install(TARGETS ${programs} RUNTIME DESTINATION ${CUFFWARE_INSTALL_PROGRAMDIR})

install(DIRECTORY ${PROJECT_SOURCE_DIR}/demo/ DESTINATION ${CUFFWARE_INSTALL_DEMODIR})
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CUFFWARE_INSTALL_DOCDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${CUFFWARE_INSTALL_DOCDIR}/docs)

if(WIN32)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
  # What the Start menu's demo entry runs (CuffwarePackaging.cmake).
  install(PROGRAMS ${PROJECT_SOURCE_DIR}/packaging/windows/cuffware-demo.cmd
          DESTINATION ${CUFFWARE_INSTALL_PROGRAMDIR})
  return()
endif()

# Linux: the two programs a user starts, linked into bin/.
set(links_dir ${CMAKE_BINARY_DIR}/install-links)
file(RELATIVE_PATH program_from_bin /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${CUFFWARE_INSTALL_PROGRAMDIR})
foreach(program cuffware cuffware-builder)
  if(TARGET ${program})
    file(MAKE_DIRECTORY ${links_dir})
    file(CREATE_LINK ${program_from_bin}/${program} ${links_dir}/${program} SYMBOLIC)
    install(FILES ${links_dir}/${program} DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# The man pages, the licence as Debian's copyright file and the change log,
# compressed as Debian wants them (gzip -9n: no name or time stamp inside).
set(compressed_dir ${CMAKE_BINARY_DIR}/install-gz)
file(MAKE_DIRECTORY ${compressed_dir})
set(compressed)
function(cuffware_gzip source name)
  add_custom_command(OUTPUT ${compressed_dir}/${name}.gz
    COMMAND gzip -9n -c ${source} > ${compressed_dir}/${name}.gz
    DEPENDS ${source} VERBATIM)
  set(compressed ${compressed} ${compressed_dir}/${name}.gz PARENT_SCOPE)
endfunction()
foreach(page cuffware.1 cuffware-builder.1)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/man/${page} ${compressed_dir}/${page} @ONLY)
  cuffware_gzip(${compressed_dir}/${page} ${page})
  install(FILES ${compressed_dir}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
# The change log's date is the commit's (SOURCE_DATE_EPOCH when set, which
# string(TIMESTAMP) follows), so that two builds of one commit give the same
# package.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(commit_time)
    set(ENV{SOURCE_DATE_EPOCH} ${commit_time})
  endif()
endif()
string(TIMESTAMP CUFFWARE_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${PROJECT_SOURCE_DIR}/packaging/linux/changelog.in ${compressed_dir}/changelog @ONLY)
cuffware_gzip(${compressed_dir}/changelog changelog)
add_custom_target(cuffware_install_files ALL DEPENDS ${compressed})
install(FILES ${compressed_dir}/changelog.gz DESTINATION ${CUFFWARE_INSTALL_DOCDIR})
file(READ ${PROJECT_SOURCE_DIR}/LICENSE CUFFWARE_LICENSE_TEXT)
configure_file(${PROJECT_SOURCE_DIR}/packaging/linux/copyright.in ${CMAKE_BINARY_DIR}/copyright
               @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/copyright DESTINATION ${CUFFWARE_INSTALL_DOCDIR})

if(TARGET cuffware-builder)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/linux/cuffware-builder.desktop
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
  set(icons ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor)
  install(FILES ${CUFFWARE_ICON_SVG} DESTINATION ${icons}/scalable/apps)
  foreach(size ${CUFFWARE_ICON_SIZES})
    install(FILES ${CMAKE_BINARY_DIR}/icons/cuffware-builder-${size}.png
            DESTINATION ${icons}/${size}x${size}/apps RENAME cuffware-builder.png)
  endforeach()
endif()
