# The installed layout: the program in bin, its helpers in libexec/tavoro, its read-only
# data in share/tavoro, and what a desktop needs to list it. Also the .deb built by cpack.
include(GNUInstallDirs)

set(TAVORO_APP_ID org.example.tavoro.Tavoro)
set(TAVORO_DATA_DIR ${CMAKE_INSTALL_DATADIR}/tavoro)
set(TAVORO_HELPERS_DIR ${CMAKE_INSTALL_LIBEXECDIR}/tavoro)

# The program finds its data from its own folder, so the installed tree can be moved.
file(RELATIVE_PATH data_from_bin /${CMAKE_INSTALL_BINDIR} /${TAVORO_DATA_DIR})
file(RELATIVE_PATH helpers_from_bin /${CMAKE_INSTALL_BINDIR} /${TAVORO_HELPERS_DIR})
# Source properties belong to the folder that makes the target.
set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/core/DataPaths.cpp DIRECTORY ${CMAKE_SOURCE_DIR}/src
    APPEND PROPERTY COMPILE_DEFINITIONS TAVORO_DATA_FROM_BIN="${data_from_bin}"
    TAVORO_HELPERS_FROM_BIN="${helpers_from_bin}")

install(TARGETS tavoro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS tavoro-browserhost tavoro-explorer RUNTIME DESTINATION ${TAVORO_HELPERS_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/help DESTINATION ${TAVORO_DATA_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/data/Themes.dat ${CMAKE_SOURCE_DIR}/data/Tavoro-IE1.ico
    DESTINATION ${TAVORO_DATA_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavoro)

install(FILES ${CMAKE_SOURCE_DIR}/dist/${TAVORO_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/dist/${TAVORO_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/dist/tavoro.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Bitmap sizes for desktops that do not scale the SVG, drawn from it at build time.
find_program(TAVORO_RSVG rsvg-convert)
if(TAVORO_RSVG)
    set(icon_outputs)
    foreach(size 16 24 32 48 64 128 256)
        set(png ${CMAKE_BINARY_DIR}/icons/${size}/tavoro.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}
            COMMAND ${TAVORO_RSVG} -w ${size} -h ${size} -o ${png} ${CMAKE_SOURCE_DIR}/dist/tavoro.svg
            DEPENDS ${CMAKE_SOURCE_DIR}/dist/tavoro.svg)
        list(APPEND icon_outputs ${png})
        install(FILES ${png}
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
    add_custom_target(tavoro_icon_sizes ALL DEPENDS ${icon_outputs})
else()
    message(WARNING "rsvg-convert not found (package librsvg2-bin): only the SVG icon is installed")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavoro)
set(CPACK_PACKAGE_VENDOR "Tavoro developers")
set(CPACK_PACKAGE_CONTACT "Tavoro developers <tavoro@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Organiser for a folder tree of Internet Shortcuts")
set(CPACK_PACKAGE_DESCRIPTION
    "Tavoro shows a Favorites folder of Internet Shortcut (.url) files as a tree and a list, "
    "and lets you rename, move, search and check your links, open them in browser windows, "
    "and import or export them as bookmark files.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The build keeps its debugging symbols; the package does without them.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tavoro.example.org/)
# Plugins Qt loads at run time are not seen by dpkg-shlibdeps: the X11 platform, SQLite, SVG.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite, libqt6svg6")
find_program(TAVORO_SHLIBDEPS dpkg-shlibdeps)
if(TAVORO_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
        ", libqt6widgets6 (>= 6.4), libqt6network6 (>= 6.4), libqt6sql6 (>= 6.4), libxcb1")
endif()
include(CPack)
