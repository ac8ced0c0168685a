# Installation for freedesktop systems and a Debian package built by CPack.
include(GNUInstallDirs)

install(TARGETS RI-ZUZERU-VAVUZA RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set(app_id ${RZV_DESKTOP_ID})
install(FILES resources/linux/${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The software centre's description, with this build's version in its releases.
configure_file(resources/linux/${app_id}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/metainfo/${app_id}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/metainfo/${app_id}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 24 48)
    install(FILES resources/icons/rzv-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${RZV_ICON_NAME}.png)
endforeach()
install(FILES resources/icons/rzv.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${RZV_ICON_NAME}.svg)

# What Debian asks of every package: the copyright, a compressed changelog and a manual page.
set(package ri-zuzeru-vavuza)
set(generated ${CMAKE_BINARY_DIR}/package-docs)
file(MAKE_DIRECTORY ${generated})
add_custom_command(
    OUTPUT ${generated}/changelog.gz ${generated}/RI-ZUZERU-VAVUZA.1.gz
    COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/resources/linux/changelog > ${generated}/changelog.gz
    COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/resources/linux/RI-ZUZERU-VAVUZA.1
            > ${generated}/RI-ZUZERU-VAVUZA.1.gz
    DEPENDS resources/linux/changelog resources/linux/RI-ZUZERU-VAVUZA.1)
add_custom_target(package_docs ALL DEPENDS ${generated}/changelog.gz ${generated}/RI-ZUZERU-VAVUZA.1.gz)
install(FILES resources/linux/copyright ${generated}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package})
install(FILES ${generated}/RI-ZUZERU-VAVUZA.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# For an administrator to copy into /etc/xdg/autostart: one unattended run at every log-in.
# Shipped as an example, not installed active: a desktop user's PC must not start logging unasked.
install(FILES resources/linux/ri-zuzeru-vavuza-autostart.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package}/examples)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${package})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "RI-ZUZERU-VAVUZA developers")
set(CPACK_PACKAGE_CONTACT "RI-ZUZERU-VAVUZA developers <maintainers@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "show and log how long the computer has been running")
set(CPACK_PACKAGE_DESCRIPTION
    "A small window that shows the uptime live as days, hours, minutes and\n\
seconds, and writes a nine-line uptime record to a log file on request or\n\
by itself at start-up.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so invisible to dpkg-shlibdeps: Qt's window-system plugins.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/ri-zuzeru-vavuza")
include(CPack)
