# Installation layout:
#   <prefix>/lib/korvell/        the program and all its data files, side by side,
#                                because the program looks for its data in the
#                                directory of its own executable file
#   <prefix>/bin/korvell         a small launcher script that runs the program there
#   <prefix>/bin/korvell-pool    the tool that makes the data files from a pool release
#   <prefix>/share/applications/korvell.desktop
#   <prefix>/share/icons/hicolor/scalable/apps/korvell.svg
#
# The launcher finds the program relative to its own location, so the tree can be
# installed under any prefix, also through DESTDIR, and moved afterwards.

set(KORVELL_INSTALL_DIR lib/korvell)

install(TARGETS korvell RUNTIME DESTINATION ${KORVELL_INSTALL_DIR})
install(TARGETS korvell-pool RUNTIME DESTINATION bin)

# The data set: the help and disclaimer texts of data/, and the pool, section
# table and figures that korvell-pool made of the publisher's release.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${KORVELL_INSTALL_DIR})
install(FILES ${KORVELL_POOL_FILES} DESTINATION ${KORVELL_INSTALL_DIR})

install(PROGRAMS ${CMAKE_SOURCE_DIR}/app/korvell-launcher.sh
    DESTINATION bin
    RENAME korvell)

install(FILES ${CMAKE_SOURCE_DIR}/app/korvell.desktop
    DESTINATION share/applications)

install(FILES ${CMAKE_SOURCE_DIR}/app/korvell.svg
    DESTINATION share/icons/hicolor/scalable/apps)
