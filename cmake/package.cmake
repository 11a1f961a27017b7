# The Debian package, made by CPack's DEB generator from the installation rules
# (tools/package). Included from the top level after cmake/install.cmake.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvell)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "${KORVELL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KORVELL_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://korvell.org/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "study aid and exam simulator for the ham radio Technician license")
# The long description: each line of it becomes one continuation line of the control file.
set(CPACK_PACKAGE_DESCRIPTION
    "Korvell helps students prepare for the amateur radio Technician license
examination (FCC Element 2). It ships the official question pool in force
and offers simulated license tests, with one question drawn from each of the
35 exam groups and scored against the pass mark, and study of the whole pool
or of one chapter and page of a study text, with the figures the questions
refer to.
.
The package also holds korvell-pool, which turns a new release of the
question pool into Korvell's data files and checks a data directory.")
# Libraries from the built programs (libsqlite3-0 for the study record among
# them), and the font the windows are laid out for.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
# Reading aloud speaks through the desktop's speech service, or through flite
# where there is none; without either the program does all else as before.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-speech-speechd-plugin | qt6-speech-flite-plugin, speech-dispatcher")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_THREADS 1)

include(CPack)
