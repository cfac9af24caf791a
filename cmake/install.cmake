# Installation as a Linux application (cmake --install) and its Debian package
# (scripts/package: cpack -G DEB).
include(GNUInstallDirs)

set(CORVANE_APP_ID io.github.corvane.config)
set(CORVANE_INSTALLED_TREE_DIR ${CMAKE_INSTALL_DATADIR}/corvane-config/modules)
set(CORVANE_UDEV_RULES_DIR lib/udev/rules.d CACHE STRING "udev rules folder, relative to the prefix")

# The program finds the installed tree from its own folder, wherever the prefix is.
file(RELATIVE_PATH CORVANE_TREE_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/corvane-config/modules)
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/app/settings_location.cpp PROPERTIES
    COMPILE_DEFINITIONS "CORVANE_INSTALLED_TREE=\"${CORVANE_TREE_FROM_BIN}\"")
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/app/command_line.cpp PROPERTIES
    COMPILE_DEFINITIONS "CORVANE_VERSION=\"${PROJECT_VERSION}\"")

install(TARGETS corvane-config RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The pristine tree, read-only: every user's own tree is seeded from it.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/modules/ DESTINATION ${CORVANE_INSTALLED_TREE_DIR}
    FILE_PERMISSIONS OWNER_READ GROUP_READ WORLD_READ
    DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
    PATTERN .keep EXCLUDE)

if(UNIX AND NOT APPLE)
    # The udev rule comes from the shipped device table, so the two always agree.
    set(CORVANE_DEVICE_TABLE ${CMAKE_SOURCE_DIR}/modules/setting/apConfig.bin)
    set(CORVANE_UDEV_RULE ${CMAKE_BINARY_DIR}/packaging/70-corvane-config.rules)
    add_custom_command(OUTPUT ${CORVANE_UDEV_RULE}
        COMMAND ${CMAKE_COMMAND} -DTABLE=${CORVANE_DEVICE_TABLE} -DOUT=${CORVANE_UDEV_RULE}
                -P ${CMAKE_SOURCE_DIR}/cmake/udev_rule.cmake
        DEPENDS ${CORVANE_DEVICE_TABLE} ${CMAKE_SOURCE_DIR}/cmake/udev_rule.cmake
        COMMENT "Generating the udev rule from the device table")
    add_custom_target(udev_rule ALL DEPENDS ${CORVANE_UDEV_RULE})
    add_dependencies(corvane-config udev_rule)

    configure_file(${CMAKE_SOURCE_DIR}/packaging/${CORVANE_APP_ID}.metainfo.xml.in
                   ${CMAKE_BINARY_DIR}/packaging/${CORVANE_APP_ID}.metainfo.xml @ONLY)

    install(FILES ${CORVANE_UDEV_RULE} DESTINATION ${CORVANE_UDEV_RULES_DIR})
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/corvane-config.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/corvane-config.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${CMAKE_BINARY_DIR}/packaging/${CORVANE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# cpack packs what is built (scripts/package builds the program first) rather than
# building every test.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane-config)
set(CPACK_PACKAGE_VENDOR "Corvane Config developers")
set(CPACK_PACKAGE_CONTACT "Corvane Config developers <maintainers@users.noreply.c-seed-bf1a8a90.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration utility for the CORVANE SKARN MOUSE GX17")
set(CPACK_PACKAGE_DESCRIPTION "Sets up DPI stages, report rate, button assignments, macros, lighting,
on-board profiles and recoil data of the mouse. A tray application with one
window; each user keeps their own settings.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.corvane.example/)
# Shared libraries come from dpkg-shlibdeps. What Qt loads at run time is invisible
# to it: the platform plugins, the SVG image plugin and the QML modules of the scene.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, libqt6svg6, qml6-module-qtquick, qml6-module-qtqml-workerscript")
# The scene draws its own texts with a font cut built in; names typed in Chinese need a CJK font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/packaging/postinst ${CMAKE_SOURCE_DIR}/packaging/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
