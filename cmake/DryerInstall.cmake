# Installing the panel on a panel computer, and its Debian package.
#
#   cmake --install build [--prefix DIR]      (default prefix /usr/local)
#   cd build && cpack                         (a .deb for prefix /usr in build/deb)
#
# What goes where, below the prefix:
#   bin/dryer-panel, bin/dryer-sim
#   share/dryer-panel/panel-root/   the template: Hard Disk/Languages and
#                                   Hard Disk/manuals as the build lays them out
#   share/dryer-panel/scenarios/    the controller stand-in's scenarios
#   share/dryer-panel/eglfs.conf    the service's drop-in for a GPU screen
#   lib/dryer-panel/dryer-usb-stick the USB stick's mount helper (udev runs it)
#   lib/systemd/system/dryer-panel.service, lib/udev/rules.d/60-dryer-panel.rules,
#   lib/sysusers.d/dryer-panel.conf, lib/tmpfiles.d/dryer-panel.conf,
#   share/polkit-1/rules.d/50-dryer-panel.rules
#   etc/default/dryer-panel         (/etc/default/dryer-panel for prefix /usr)
#
# The state folder (/var/lib/dryer-panel) is not installed: the service makes
# it and the panel fills it from the template at its first start.
include(GNUInstallDirs)

if(TARGET dryer-panel)
    install(TARGETS dryer-panel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS dryer-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Only what the build generates for the panel root: a panel started on the
# build tree's root writes its data there too, and that is nobody's template.
install(DIRECTORY "${DRYER_PANEL_ROOT_DIR}/Hard Disk/Languages" "${DRYER_PANEL_ROOT_DIR}/Hard Disk/manuals"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/dryer-panel/panel-root/Hard Disk"
        PATTERN ".rendered" EXCLUDE)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/sim/scenarios DESTINATION ${CMAKE_INSTALL_DATADIR}/dryer-panel)

# The service files name installed paths, so they are written at install time
# for the prefix the install really uses (--prefix, or /usr inside cpack).
install(CODE "
    set(DRYER_PACKAGING_SOURCE \"${PROJECT_SOURCE_DIR}/packaging\")
    set(DRYER_PACKAGING_SCRATCH \"${PROJECT_BINARY_DIR}/packaging\")
    include(\"${PROJECT_SOURCE_DIR}/cmake/DryerInstallService.cmake\")
")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dryer-panel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Dryer panel developers <panel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Operator touch panel of a grain dryer")
set(CPACK_PACKAGE_DESCRIPTION "The operator panel of a grain dryer on a 640 x 480 touch screen: shows\n what the dryer does, sets its setpoints and timers, logs data and\n shutdowns, copies them to a USB stick. Starts at boot as a kiosk.")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/deb)
# Install into a staging folder through DESTDIR with the real prefix /usr
# (whatever prefix the build was configured with), so the service files name
# /usr/bin and /etc, not the staging folder.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The libraries come from shlibdeps; these are what the service and the
# screens need besides: the service manager, udev for the devices, a font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "systemd, udev, adduser, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine, polkitd, systemd-timesyncd | systemd")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/packaging/debian/postinst
    ${PROJECT_SOURCE_DIR}/packaging/debian/prerm
    ${PROJECT_SOURCE_DIR}/packaging/debian/postrm
    ${PROJECT_SOURCE_DIR}/packaging/debian/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
