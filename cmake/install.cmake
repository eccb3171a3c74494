# Installing the family: the programs in bin/, their data files where the program folder finds
# them (share/vexlo), and what the desktop needs to list them: a menu entry and AppStream
# metainfo for each, named by the program's id (org.orvane.<program in lower case>). The
# icons, manual pages, copyright and changelog are installed by data/, where they are made.
# `cpack -G DEB` makes a Debian package of the same.
include(GNUInstallDirs)

set(VEXLO_PROGRAMS DateVexlo Vexlo FullScreenVexlo Pellum)
foreach(program IN LISTS VEXLO_PROGRAMS)
    if(NOT TARGET ${program})
        continue()
    endif()
    string(TOLOWER "org.orvane.${program}" id)
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES data/desktop/${id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES data/metainfo/${id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endforeach()

install(TARGETS vexlo_audio LIBRARY DESTINATION ${VEXLO_SOUND_MODULE_DIR})

set(CPACK_PACKAGE_NAME vexlo-timers)
set(CPACK_PACKAGE_VENDOR Orvane)
set(CPACK_PACKAGE_CONTACT "Orvane <timers@orvane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Four desktop timers: Date Vexlo, Vexlo, Full Screen Vexlo, Pellum")
# Debian's rules for the text below the summary: lines of under 80 characters, paragraphs
# parted by an empty line (written as " ." in the control file).
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[
Four small desktop timers that share one settings file:
 * DateVexlo counts down to fifteen dated events, each with its own sound
   and notes, and lists them by date in a grid;
 * Vexlo counts an interval of up to 24 hours down in large digits, plays a
   sound and flashes a message at zero, with skins, always on top and a
   notepad;
 * FullScreenVexlo counts down over the whole screen in digits readable
   across a room;
 * Pellum counts elapsed time up from Start.

Each has a menu entry, an icon and a manual page.]=])
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# Installed without their symbols and debugging information, which are most of their
# size. (CPack 3.25 can split them into a -dbgsym.ddeb, but lists its files in md5sums by their
# build-tree paths, so that package would fail its own checks.)
set(CPACK_STRIP_FILES ON)
# The libraries the programs link come from dpkg-shlibdeps. What Qt loads at run time has to be
# named: the X11 platform plugin comes with libqt6gui6, which the programs link; the Wayland
# platform plugin (qt6-wayland) serves those who ask for a native Wayland window. A font with
# Arial's widths, and the desktop's sounds, are loaded at run time too.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, sound-theme-freedesktop, pulseaudio | pipewire-pulse")
include(CPack)
