# Where everything goes. The same layout serves the phone and a desktop
# install under FHS paths (with the prefix /usr, or any other):
#   bin/harbour-vantorel                          the application
#   share/harbour-vantorel/qml/                   the interface; the entry point
#                                                 loads qml/harbour-vantorel.qml
#   share/harbour-vantorel/translations/          harbour-vantorel-<language>.qm
#   share/applications/harbour-vantorel.desktop   the menu entry
#   share/icons/hicolor/<N>x<N>/apps/harbour-vantorel.png, N = 86 108 128 172
# The application finds its data from its own location: bin/ replaced by
# share/harbour-vantorel (the platform library's rule, kept by the stand-in).
#
# qml/ holds the desktop shell (qml/harbour-vantorel.qml), the phone's Silica
# shell (qml/harbour-vantorel-phone.qml, its pages in qml/phone/), desktop-only
# files in qml/desktop/ and, in qml/components/, what both shells share.
# The chosen shell is installed as qml/harbour-vantorel.qml, beside the same
# folders it sees in the source tree, so that its relative imports hold.

include(GNUInstallDirs)

set(VANTOREL_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/harbour-vantorel)
set(VANTOREL_ICON_SIZES 86 108 128 172)
set(VANTOREL_PHONE_SHELL harbour-vantorel-phone.qml)
set(VANTOREL_DESKTOP_SHELL harbour-vantorel.qml)

if(VANTOREL_SHELL_CHOICE STREQUAL "phone")
    if(EXISTS ${PROJECT_SOURCE_DIR}/qml/${VANTOREL_PHONE_SHELL})
        set(VANTOREL_SHELL_SOURCE ${PROJECT_SOURCE_DIR}/qml/${VANTOREL_PHONE_SHELL})
    else()
        message(WARNING "The phone shell qml/${VANTOREL_PHONE_SHELL} does not exist yet: "
                        "the phone build installs the desktop shell as qml/harbour-vantorel.qml.")
        set(VANTOREL_SHELL_SOURCE ${PROJECT_SOURCE_DIR}/qml/${VANTOREL_DESKTOP_SHELL})
    endif()
    set(VANTOREL_OTHER_QML_DIR desktop)
    set(VANTOREL_DESKTOP_ENTRY ${PROJECT_SOURCE_DIR}/harbour-vantorel.desktop)
else()
    set(VANTOREL_SHELL_SOURCE ${PROJECT_SOURCE_DIR}/qml/${VANTOREL_DESKTOP_SHELL})
    set(VANTOREL_OTHER_QML_DIR phone)
    set(VANTOREL_DESKTOP_ENTRY ${PROJECT_SOURCE_DIR}/desktop/harbour-vantorel.desktop)
endif()

install(TARGETS harbour-vantorel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# (The component lets a test install the interface alone: --component qml.)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/qml/ DESTINATION ${VANTOREL_DATA_DESTINATION}/qml COMPONENT qml
    REGEX "/qml/${VANTOREL_DESKTOP_SHELL}$" EXCLUDE
    REGEX "/qml/${VANTOREL_PHONE_SHELL}$" EXCLUDE
    REGEX "/qml/${VANTOREL_OTHER_QML_DIR}$" EXCLUDE)
install(FILES ${VANTOREL_SHELL_SOURCE} DESTINATION ${VANTOREL_DATA_DESTINATION}/qml COMPONENT qml
        RENAME harbour-vantorel.qml)

if(VANTOREL_TRANSLATION_FILES)
    install(FILES ${VANTOREL_TRANSLATION_FILES} DESTINATION ${VANTOREL_DATA_DESTINATION}/translations)
endif()

install(FILES ${VANTOREL_DESKTOP_ENTRY} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The PNGs are made from icons/harbour-vantorel.svg by tools/make-icons.sh.
foreach(size ${VANTOREL_ICON_SIZES})
    install(FILES ${PROJECT_SOURCE_DIR}/icons/${size}x${size}/harbour-vantorel.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
if(VANTOREL_SHELL_CHOICE STREQUAL "desktop")
    # Desktops scale the drawing; the phone's store takes the four PNGs only.
    install(FILES ${PROJECT_SOURCE_DIR}/icons/harbour-vantorel.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

# A Debian package for desktop users: cpack -G DEB in the build folder.
if(VANTOREL_TOP_LEVEL AND VANTOREL_SHELL_CHOICE STREQUAL "desktop")
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGE_NAME vantorel)
    set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
    set(CPACK_PACKAGE_CONTACT "Vantorel developers <vantorel@orvik.invalid>")
    set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "TN5250 terminal for IBM i hosts")
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION net)
    set(CPACK_STRIP_FILES TRUE)
    # Written out rather than computed (dpkg-shlibdeps), so that packaging
    # needs nothing beyond the build's own packages. The QML modules are the
    # ones the desktop shell imports.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libqt5core5a (>= 5.6), libqt5gui5, libqt5network5, libqt5qml5, libqt5quick5, qml-module-qtquick2, qml-module-qtquick-window2, libsecret-1-0")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gnome-keyring | kwalletmanager | keepassxc")
    include(CPack)
endif()
