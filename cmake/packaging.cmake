# Installing the game like any desktop program, and the Debian package made from that installation
# (`cpack` in a release build tree; scripts/package does the whole round).
#
# Installed: the game and its tool in games/, the shipped data read-only in share/vargo (the game sets
# up a per-user folder linking to it), the desktop entry, the icon at every usual size, the AppStream
# description, the manual pages, and the copyright and changelog a Debian package carries.

include(GNUInstallDirs)

set(VARGO_APP_ID "io.github.vargo.Vargo")
set(VARGO_HOMEPAGE "https://github.com/vargo/vargo" CACHE STRING "The game's home page (package and AppStream)")
set(VARGO_SCREENSHOTS "https://raw.githubusercontent.com/vargo/vargo/main/docs/screens"
    CACHE STRING "Where the pictures of docs/screens are published (AppStream screenshots)")
set(VARGO_MAINTAINER "VARGO maintainers <maintainers@users.noreply.c-seed-5c395661.example>"
    CACHE STRING "The package maintainer, \"Name <address>\"")
# The release these files describe (the manuals' date); the AppStream release entry and
# packaging/changelog name the same day.
set(VARGO_RELEASE_DATE "2026-12-08")
string(SUBSTRING "${VARGO_RELEASE_DATE}" 0 4 vargo_release_year)
string(SUBSTRING "${VARGO_RELEASE_DATE}" 5 2 vargo_release_month_number)
math(EXPR vargo_release_month_index "${vargo_release_month_number} - 1")
list(GET "January;February;March;April;May;June;July;August;September;October;November;December"
     ${vargo_release_month_index} vargo_release_month_name)
set(VARGO_RELEASE_MONTH "${vargo_release_month_name} ${vargo_release_year}")

set(vargo_pkg_src ${PROJECT_SOURCE_DIR}/packaging)
set(vargo_pkg_out ${PROJECT_BINARY_DIR}/packaging)
configure_file(${vargo_pkg_src}/vargo.6.in ${vargo_pkg_out}/vargo.6 @ONLY)
configure_file(${vargo_pkg_src}/vargo-tool.6.in ${vargo_pkg_out}/vargo-tool.6 @ONLY)
configure_file(${vargo_pkg_src}/copyright.in ${vargo_pkg_out}/copyright @ONLY)
configure_file(${vargo_pkg_src}/${VARGO_APP_ID}.metainfo.xml.in ${vargo_pkg_out}/${VARGO_APP_ID}.metainfo.xml @ONLY)

# Debian keeps manual pages and changelogs gzipped, without a time stamp inside (-n) so that the
# same sources give the same package.
find_program(VARGO_GZIP gzip REQUIRED)
set(vargo_gzipped "")
foreach(pair "vargo.6|${vargo_pkg_out}/vargo.6" "vargo-tool.6|${vargo_pkg_out}/vargo-tool.6"
             "changelog|${vargo_pkg_src}/changelog")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 name)
    list(GET pair 1 source)
    add_custom_command(OUTPUT ${vargo_pkg_out}/${name}.gz
        COMMAND ${VARGO_GZIP} -9nc ${source} > ${vargo_pkg_out}/${name}.gz
        DEPENDS ${source} VERBATIM)
    list(APPEND vargo_gzipped ${vargo_pkg_out}/${name}.gz)
endforeach()
add_custom_target(vargo_packaging_files ALL DEPENDS ${vargo_gzipped})

# Games keep their programs in games/ beside bin/ (/usr/games, /usr/local/games), where Debian's
# PATH looks too; the game finds its data as ../share/vargo from there as from bin/.
set(VARGO_INSTALL_GAMESDIR "games" CACHE STRING "Where the game and its tool are installed, below the prefix")
install(TARGETS vargo-tool RUNTIME DESTINATION ${VARGO_INSTALL_GAMESDIR})
install(DIRECTORY data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/vargo PATTERN ".keep" EXCLUDE)
install(FILES ${vargo_pkg_out}/vargo-tool.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${vargo_pkg_out}/copyright ${vargo_pkg_out}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
# tools/gen_icon.py draws these sizes.
set(VARGO_ICON_SIZES 16 22 24 32 48 64 128 256 512)
if(VARGO_UI)
    install(TARGETS vargo RUNTIME DESTINATION ${VARGO_INSTALL_GAMESDIR})
    install(FILES ${vargo_pkg_out}/vargo.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
    install(FILES ${vargo_pkg_src}/${VARGO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${vargo_pkg_out}/${VARGO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    foreach(size IN LISTS VARGO_ICON_SIZES)
        install(FILES ${vargo_pkg_src}/icons/vargo-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME vargo.png)
    endforeach()
endif()

# The Debian package. Run `cpack` in a release build tree: it writes vargo_VERSION_ARCH.deb there.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "vargo")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The VARGO developers")
set(CPACK_PACKAGE_CONTACT "${VARGO_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VARGO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VARGO_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE "xz")
# The libraries come from dpkg-shlibdeps; what the game only opens at run time is named here: the
# General MIDI soundfont the music is played with (any package providing one sets up
# default-GM.sf2, which the game also looks for) and the Japanese font of its theme.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont | sf2-soundfont-gm, fonts-ipafont-gothic")
# Qt's own dialog buttons in Japanese.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "robot workshop career game")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"VARGO is a single-player career game with Japanese text. Buy motors,
frames, armour, computers and programs in the shop, assemble a fighting
Doll in the workshop, store six action patterns in its logic grid, and
fight your way through 36 months of simulations, duels and class
tournaments, from Novice to Expert and Master.

Every fight is recorded and can be replayed; a fight report, a Doll lab
of computer-played fights and a tournament estimate help with the
choices. The package also holds vargo-tool, which checks a game folder
and runs headless fights, tournaments and careers from the command line.")
include(CPack)
