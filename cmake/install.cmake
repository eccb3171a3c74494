# Installing the family: the programs in bin/, their data files where the program folder finds
# them (share/vexlo), and what the desktop needs to list them: a menu entry, an icon and
# AppStream metainfo for each. `cpack -G DEB` makes a Debian package of the same.
include(GNUInstallDirs)

set(VEXLO_PROGRAMS DateVexlo Vexlo FullScreenVexlo Pellum)
foreach(program IN LISTS VEXLO_PROGRAMS)
    if(NOT TARGET ${program})
        continue()
    endif()
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES data/desktop/org.orvane.${program}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES data/icons/${program}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
            RENAME org.orvane.${program}.svg)
    install(FILES data/metainfo/org.orvane.${program}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    if(EXISTS ${PROJECT_SOURCE_DIR}/screenshots/${program}.png)
        install(FILES screenshots/${program}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/vexlo/screenshots)
    endif()
endforeach()

install(TARGETS vexlo_audio LIBRARY DESTINATION ${VEXLO_SOUND_MODULE_DIR})

set(CPACK_PACKAGE_NAME vexlo-timers)
set(CPACK_PACKAGE_VENDOR Orvane)
set(CPACK_PACKAGE_CONTACT "Orvane <timers@orvane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Four desktop timers: Date Vexlo, Vexlo, Full Screen Vexlo, Pellum")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The libraries come from dpkg-shlibdeps; Qt's platform plugins, the desktop's sounds and a
# font with Arial's widths are loaded at run time and have to be named.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "sound-theme-freedesktop, pulseaudio | pipewire-pulse")
include(CPack)
