# Installation layout (prefix /usr in the Debian package):
#   <prefix>/lib/korvell/        the program and its data files, side by side, because
#                                the program looks for its data in the directory of its
#                                own executable file
#   <prefix>/lib/korvell/modules/ the print dialog's and the voice's libraries, which the
#                                program loads from there when it first prints or reads aloud
#   <prefix>/bin/korvell         a small launcher script that runs the program there
#   <prefix>/bin/korvell-pool    the pool tool, when it is built
#   <prefix>/share/applications/org.korvell.Korvell.desktop
#   <prefix>/share/applications/org.korvell.KorvellRecord.desktop  opens a study record
#   <prefix>/share/mime/packages/org.korvell.Korvell.xml  the study record's file type
#   <prefix>/share/metainfo/org.korvell.Korvell.metainfo.xml
#   <prefix>/share/icons/hicolor/scalable/apps/korvell.svg
#   <prefix>/share/man/man1/     the manual pages, when scdoc is there to write them
#   <prefix>/share/doc/korvell/  the copyright file and the change log
#
# The launcher finds the program relative to its own location, so the tree can be
# installed under any prefix, also through DESTDIR, and moved afterwards.
# Included from the top level after every target is defined.

include(GNUInstallDirs)
set(KORVELL_INSTALL_DIR lib/korvell)
set(KORVELL_MAINTAINER "The Korvell developers <maintainers@korvell.org>"
    CACHE STRING "Maintainer named in the package and its change log")

install(TARGETS korvell RUNTIME DESTINATION ${KORVELL_INSTALL_DIR})

# Whatever the build puts beside the program is its data. The patterns match whole
# paths, so they name the programs by their full path, not to exclude the directory.
string(REGEX REPLACE "([][+.*()^$?|\\\\])" "\\\\\\1" korvell_out_regex "${KORVELL_OUT}")
install(DIRECTORY ${KORVELL_OUT}/
    DESTINATION ${KORVELL_INSTALL_DIR}
    REGEX "^${korvell_out_regex}/korvell(-pool)?$" EXCLUDE
    REGEX "^${korvell_out_regex}/modules$" EXCLUDE)
# Installed as a library, so that the package strips it; in a folder of its
# own, since the system's library directories are not its place.
install(TARGETS korvell_printdialog korvell_speech LIBRARY DESTINATION ${KORVELL_INSTALL_DIR}/modules)

install(PROGRAMS ${CMAKE_SOURCE_DIR}/app/korvell-launcher.sh
    DESTINATION bin
    RENAME korvell)

if(TARGET korvell-pool)
    install(TARGETS korvell-pool RUNTIME DESTINATION bin)
endif()

install(FILES ${CMAKE_SOURCE_DIR}/app/org.korvell.Korvell.desktop
    ${CMAKE_SOURCE_DIR}/app/org.korvell.KorvellRecord.desktop
    DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/app/org.korvell.Korvell.mime.xml
    DESTINATION share/mime/packages
    RENAME org.korvell.Korvell.xml)
install(FILES ${CMAKE_SOURCE_DIR}/app/org.korvell.Korvell.metainfo.xml
    DESTINATION share/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/app/korvell.svg
    DESTINATION share/icons/hicolor/scalable/apps)

if(KORVELL_MAN_PAGES)
    install(FILES ${CMAKE_BINARY_DIR}/man/korvell.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    if(TARGET korvell-pool)
        install(FILES ${CMAKE_BINARY_DIR}/man/korvell-pool.1.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
endif()

# The change log, compressed as Debian wants it beside the copyright file.
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog
    @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.gz
    COMMAND sh -c [[gzip -9n -c changelog > changelog.gz]]
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/packaging
    DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog
    VERBATIM)
add_custom_target(korvell_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
    DESTINATION share/doc/korvell)
