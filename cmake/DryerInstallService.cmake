# Runs at install time (from DryerInstall.cmake's install(CODE)): writes the
# service, udev, polkit, sysusers and tmpfiles files with the paths of this
# install's prefix, and installs them (file(INSTALL) honours $DESTDIR).
set(prefix "${CMAKE_INSTALL_PREFIX}")
if(prefix STREQUAL "/usr")
    set(SYSCONFDIR /etc)  # a system install keeps its configuration in /etc
else()
    set(SYSCONFDIR "${prefix}/etc")
endif()
set(BINDIR "${prefix}/bin")
set(DATADIR "${prefix}/share")
set(LIBEXECDIR "${prefix}/lib/dryer-panel")

# source (in packaging/)  ->  folder  name  mode
set(rows
    "dryer-panel.service.in|${prefix}/lib/systemd/system|dryer-panel.service|644"
    "60-dryer-panel.rules.in|${prefix}/lib/udev/rules.d|60-dryer-panel.rules|644"
    "dryer-usb-stick.in|${LIBEXECDIR}|dryer-usb-stick|755"
    "50-dryer-panel.rules|${DATADIR}/polkit-1/rules.d|50-dryer-panel.rules|644"
    "dryer-panel.sysusers|${prefix}/lib/sysusers.d|dryer-panel.conf|644"
    "dryer-panel.tmpfiles|${prefix}/lib/tmpfiles.d|dryer-panel.conf|644"
    "eglfs.conf|${DATADIR}/dryer-panel|eglfs.conf|644"
    "dryer-panel.default|${SYSCONFDIR}/default|dryer-panel|644")
foreach(row IN LISTS rows)
    string(REPLACE "|" ";" fields "${row}")
    list(GET fields 0 source)
    list(GET fields 1 folder)
    list(GET fields 2 name)
    list(GET fields 3 mode)
    set(written "${DRYER_PACKAGING_SCRATCH}/${source}.out/${name}")
    configure_file("${DRYER_PACKAGING_SOURCE}/${source}" "${written}" @ONLY)
    if(mode STREQUAL "755")
        set(permissions OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    else()
        set(permissions OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    endif()
    file(INSTALL "${written}" DESTINATION "${folder}" FILE_PERMISSIONS ${permissions})
endforeach()
