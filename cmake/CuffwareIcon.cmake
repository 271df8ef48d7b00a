# cuffware_icon_pngs(OUT_VAR): renders packaging/icon/cuffware-builder.svg,
# the one source of the builder's icon, into PNGs of the sizes a desktop and
# the windows use (rsvg-convert, Debian librsvg2-bin), under
# ${CMAKE_BINARY_DIR}/icons/cuffware-builder-SIZE.png. OUT_VAR receives the
# list of files.
set(CUFFWARE_ICON_SVG ${PROJECT_SOURCE_DIR}/packaging/icon/cuffware-builder.svg)
set(CUFFWARE_ICON_SIZES 16 32 48 64 128 256)

function(cuffware_icon_pngs out_var)
  find_program(CUFFWARE_RSVG_CONVERT rsvg-convert)
  if(NOT CUFFWARE_RSVG_CONVERT)
    message(FATAL_ERROR "rsvg-convert renders the icon: install librsvg2-bin")
  endif()
  set(pngs)
  foreach(size ${CUFFWARE_ICON_SIZES})
    set(png ${CMAKE_BINARY_DIR}/icons/cuffware-builder-${size}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons
      COMMAND ${CUFFWARE_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${CUFFWARE_ICON_SVG}
      DEPENDS ${CUFFWARE_ICON_SVG} VERBATIM)
    list(APPEND pngs ${png})
  endforeach()
  set(${out_var} ${pngs} PARENT_SCOPE)
endfunction()
