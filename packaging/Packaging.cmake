# Installation by freedesktop conventions and the Debian package.
#
#   cmake --install <build> --prefix /usr
#   cpack -G DEB --config <build>/CPackConfig.cmake
if(NOT TARGET lirasto)
    return()
endif()

include(GNUInstallDirs)

# Packaging installs what the build made; it does not start a build of everything.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(LIRASTO_ARTWORK_OUT ${PROJECT_BINARY_DIR}/resources/artwork-out)
set(LIRASTO_ICON_PNG ${PROJECT_BINARY_DIR}/packaging/lirasto-notes.png)

install(TARGETS lirasto RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lirasto-notes.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The artwork painter writes the icon while the program's design is compiled.
if(TARGET lirasto_artwork)
    add_executable(lirasto_icon2png ${CMAKE_CURRENT_LIST_DIR}/IconToPng.cpp)
    target_link_libraries(lirasto_icon2png PRIVATE Qt6::Gui)
    lirasto_warnings(lirasto_icon2png)
    add_custom_command(
        OUTPUT ${LIRASTO_ICON_PNG}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:lirasto_icon2png>
                ${LIRASTO_ARTWORK_OUT}/icon.ico ${LIRASTO_ICON_PNG}
        DEPENDS lirasto_icon2png lirasto_embedded ${LIRASTO_ARTWORK_OUT}/artwork.stamp
        COMMENT "Converting the window icon for the desktop menu"
        VERBATIM)
    add_custom_target(lirasto_desktop_icon ALL DEPENDS ${LIRASTO_ICON_PNG})
    install(FILES ${LIRASTO_ICON_PNG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)
endif()

set(CPACK_PACKAGE_NAME lirasto-notes)
set(CPACK_PACKAGE_VENDOR "Lirasto Software")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Trainer for reading music notation")
set(CPACK_PACKAGE_DESCRIPTION
    "Lirasto Notes shows one note at a time on a grand staff in the key signature of the level's major key; you answer by clicking a key of the same pitch class on a four-octave piano. Twelve levels, one per major key.")
set(CPACK_PACKAGE_CONTACT "Lirasto Software <support@lirasto.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Lirasto Software <support@lirasto.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://lirasto.example")
# Libraries are found by dpkg-shlibdeps; the fonts the window's lettering is set in are not linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The piano sound needs a General MIDI SoundFont (the small one is enough), and the history the SQLite driver
# that Qt SQL loads as a plugin, which no library links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation | fonts-dejavu-core, timgm6mb-soundfont | sf2-soundfont-gm, libqt6sql6-sqlite")
set(CPACK_GENERATOR DEB)
include(CPack)
