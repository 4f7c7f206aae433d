# Installation and the Debian package.
#
# The three programs and the help file live together in lib/lumivelle/: the editor finds
# Tolvarine.bin and Lumivelle.chm beside its own (resolved) path, and lumivelle-cli finds
# Tolvarine.bin the same way. bin/ holds links to the editor and to lumivelle-cli. The
# desktop gets a menu entry, the two document types (.dap shows, .ccl albums) opening in
# the editor, and the program's icon. Qt's own French texts come from the system's
# qt6-translations-l10n; the programs carry no translation files of their own.
set(LUMIVELLE_PROGRAM_DIR lib/lumivelle)

install(TARGETS Lumivelle lumivelle-cli Tolvarine RUNTIME DESTINATION ${LUMIVELLE_PROGRAM_DIR})
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Lumivelle.chm DESTINATION ${LUMIVELLE_PROGRAM_DIR})

set(link_dir ${CMAKE_BINARY_DIR}/install-links)
file(MAKE_DIRECTORY ${link_dir})
foreach(program Lumivelle lumivelle-cli)
  file(CREATE_LINK ../${LUMIVELLE_PROGRAM_DIR}/${program} ${link_dir}/${program} SYMBOLIC)
  install(FILES ${link_dir}/${program} DESTINATION bin) # installed as the link it is
endforeach()

set(desktop_dir ${PROJECT_SOURCE_DIR}/resources/desktop)
install(FILES ${desktop_dir}/lumivelle.desktop DESTINATION share/applications)
install(FILES ${desktop_dir}/lumivelle.xml DESTINATION share/mime/packages)
foreach(size 48 128)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/lumivelle_${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME lumivelle.png)
endforeach()

# cpack -G DEB in the build folder. dpkg-shlibdeps finds the libraries the programs link;
# the rest is what they load at run time: Qt's French dialogs, the fonts the system names,
# Qt's image plugins and the GStreamer plugins that play the music.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumivelle)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Lumivelle <lumivelle@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "photo explorer, slide shows and photo albums (French interface)")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Lumivelle browses folders of pictures, manages the files, rotates, resizes and converts "
    "them, keeps photo albums with their EXIF data, and authors slide shows that it builds into "
    "standalone show programs or exports as web galleries. Its interface is in French.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-translations-l10n, fonts-liberation2, qt6-image-formats-plugins, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
include(CPack)
