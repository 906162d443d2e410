# Install rules (`cmake --install build --prefix P`) in the Linux layout, and
# the Debian package (`cpack -G DEB` in build/). The programs find what they
# need relative to their own folder (files/InstallPaths.h), so any prefix works:
#   P/bin/chess-vorlix, P/bin/vorlix        the editor and the command-line tool
#   P/lib/chess-vorlix/vorlix-rendering     the drawing half of vorlix
#   P/share/chess-vorlix/                   default diagram and sounds
#   P/share/applications, mime, metainfo, icons, man, bash-completion

set(_pkg ${CMAKE_SOURCE_DIR}/packaging)
set(_icons ${CMAKE_SOURCE_DIR}/app/ui/icons)
set(_datadir ${CMAKE_INSTALL_DATADIR})

install(TARGETS chess-vorlix vorlix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS vorlix-rendering RUNTIME DESTINATION ${VORLIX_INSTALL_HELPERDIR})

install(FILES ${CMAKE_SOURCE_DIR}/resources/default.vxd DESTINATION ${VORLIX_INSTALL_DATADIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/themes DESTINATION ${VORLIX_INSTALL_DATADIR})
file(GLOB _sounds CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/sounds/*.wav)
install(FILES ${_sounds} DESTINATION ${VORLIX_INSTALL_DATADIR}/sounds)

# Desktop integration: the same names the editor's per-user association uses
# (app/FileAssociations.cpp), so the two never stand side by side.
install(FILES ${_pkg}/chess-vorlix.desktop DESTINATION ${_datadir}/applications)
install(FILES ${_pkg}/chess-vorlix.xml DESTINATION ${_datadir}/mime/packages)
install(FILES ${_pkg}/com.brantel.ChessVorlix.metainfo.xml DESTINATION ${_datadir}/metainfo)
install(FILES ${_pkg}/vorlix.bash-completion DESTINATION ${_datadir}/bash-completion/completions RENAME vorlix)

# Icons of the program and of its three file types: the SVGs, and PNGs of the
# usual sizes where rsvg-convert is there to draw them.
set(_icon_names app.svg:apps/chess-vorlix x_pgn.svg:mimetypes/application-x-chess-pgn
    y_epd.svg:mimetypes/application-x-chess-epd diagram.svg:mimetypes/application-x-vorlix-diagram)
find_program(RSVG_CONVERT rsvg-convert)
set(_png_files)
foreach(_entry IN LISTS _icon_names)
  string(REPLACE ":" ";" _pair ${_entry})
  list(GET _pair 0 _source)
  list(GET _pair 1 _target)
  get_filename_component(_context ${_target} DIRECTORY)
  get_filename_component(_name ${_target} NAME)
  install(FILES ${_icons}/${_source} DESTINATION ${_datadir}/icons/hicolor/scalable/${_context} RENAME ${_name}.svg)
  if(RSVG_CONVERT)
    foreach(_size 16 22 24 32 48 64 128 256)
      set(_png ${CMAKE_BINARY_DIR}/icons/${_size}x${_size}/${_context}/${_name}.png)
      add_custom_command(OUTPUT ${_png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${_size}x${_size}/${_context}
        COMMAND ${RSVG_CONVERT} -w ${_size} -h ${_size} -o ${_png} ${_icons}/${_source}
        DEPENDS ${_icons}/${_source} VERBATIM)
      list(APPEND _png_files ${_png})
    endforeach()
  endif()
endforeach()
if(RSVG_CONVERT)
  add_custom_target(vorlix_icons ALL DEPENDS ${_png_files})
  install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION ${_datadir}/icons/hicolor FILES_MATCHING PATTERN "*.png")
else()
  message(STATUS "rsvg-convert not found: only the SVG icons are installed")
endif()

# Manual pages, compressed as Debian keeps them.
set(_man_files)
foreach(_page vorlix.1 chess-vorlix.1)
  set(_gz ${CMAKE_BINARY_DIR}/man/${_page}.gz)
  add_custom_command(OUTPUT ${_gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND gzip -9 -n -c ${_pkg}/${_page} > ${_gz}
    DEPENDS ${_pkg}/${_page})
  list(APPEND _man_files ${_gz})
endforeach()
add_custom_target(vorlix_man ALL DEPENDS ${_man_files})
install(FILES ${_man_files} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The copyright and the history of the package.
set(_changelog ${CMAKE_BINARY_DIR}/doc/changelog.gz)
add_custom_command(OUTPUT ${_changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
  COMMAND gzip -9 -n -c ${_pkg}/changelog > ${_changelog}
  DEPENDS ${_pkg}/changelog)
add_custom_target(vorlix_changelog ALL DEPENDS ${_changelog})
install(FILES ${_pkg}/copyright ${_changelog} DESTINATION ${_datadir}/doc/chess-vorlix)
install(FILES ${_pkg}/debian/lintian-overrides DESTINATION ${_datadir}/lintian/overrides RENAME chess-vorlix)

# The Debian package: dependencies from the shared libraries the programs use,
# stripped programs, and maintainer scripts that only refresh the caches.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME chess-vorlix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Brantel)
set(CPACK_PACKAGE_CONTACT "Brantel <chess-vorlix@brantel.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "chess diagram editor and diagram generator")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Chess Vorlix sets up chess positions on a diagram board, styles the\n"
    "diagram (colours, borders, coordinates, piece styles, marks, header and\n"
    "footer) and saves it as an image, prints it or copies it to the\n"
    "clipboard. PGN and EPD files open in viewers that replay games and edit\n"
    "positions, and batch tools make one diagram per chosen position.\n"
    "\n"
    "The vorlix command does the same from the command line.")
string(REPLACE ";" "" CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded as plugins, so no library names them: the SVG icons.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${_pkg}/debian/postinst ${_pkg}/debian/postrm)
include(CPack)
