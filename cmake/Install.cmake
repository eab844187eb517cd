# Installation and the Debian package. The programs go to bin/, the shipped data to
# share/zelidor/ (the installed program makes the user's data folder from it), the icons, manual
# page and user units beside (data/CMakeLists.txt).
include(GNUInstallDirs)

install(TARGETS zelidor-cli zelidor-sample-site RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The desktop program, with its menu entry and AppStream metadata: a menu entry without the
# program it starts would only fail.
if(TARGET zelidor)
    install(TARGETS zelidor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/data/linux/org.zelidor.Zelidor.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${PROJECT_SOURCE_DIR}/data/linux/org.zelidor.Zelidor.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# cpack -G DEB: the dependencies come from the libraries the programs actually link
# (dpkg-shlibdeps); the package installs under /usr.
set(CPACK_PACKAGE_NAME zelidor)
set(CPACK_PACKAGE_VENDOR "Zelidor")
set(CPACK_PACKAGE_CONTACT "Zelidor developers <zelidor@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "TV guide for Italian channels")
set(CPACK_PACKAGE_DESCRIPTION
    "Zelidor keeps the listings of many Italian TV channels in a local database, downloads\n"
    "them with one small script per channel, and shows a channel's day as a card page. It\n"
    "searches titles, watches a list of words, prints daily reports, exports XMLTV and can\n"
    "download the coming week every morning with a systemd user timer.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The XMLTV export reads Italian time from the tz database (and falls back to a built-in rule).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "tzdata")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xmltv-util")
set(CPACK_GENERATOR DEB)
include(CPack)
