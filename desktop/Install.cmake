# What `cmake --install` puts under the prefix and what `cpack -G DEB` packs:
# the program, its menu entry, its icon in the hicolor theme and its AppStream
# metainfo. Included from the top-level CMakeLists.txt.
include(GNUInstallDirs)

set(ORGRIGHTS_APP_ID org.orgrights.OrgRights)
set(ORGRIGHTS_DESKTOP_DIR ${CMAKE_CURRENT_LIST_DIR})

install(TARGETS orgrights RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${ORGRIGHTS_DESKTOP_DIR}/${ORGRIGHTS_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ORGRIGHTS_DESKTOP_DIR}/${ORGRIGHTS_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${ORGRIGHTS_DESKTOP_DIR}/icons/${ORGRIGHTS_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The PNGs are drawn by tools/icon/draw_icon.py and committed, so that neither
# the build nor the package needs a rasteriser.
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${ORGRIGHTS_DESKTOP_DIR}/icons/${size}/${ORGRIGHTS_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The Debian package. The libraries the program links come from dpkg-shlibdeps
# (Qt 6, libpng and the C++ runtime); the rest is what it loads or reads at run
# time: Qt's platform plugins, the SQL drivers of the store and the fonts the
# screens are laid out in.
set(CPACK_PACKAGE_NAME orgrights)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "orgrights developers <orgrights@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Administration client for an organisation's users, posts and access rights")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop client for the organisation tree, the post dictionary, the user accounts and the rights they hold.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, libqt6sql6-sqlite, libqt6sql6-psql, fonts-wine, fonts-arphic-uming, fonts-dejavu-core")
# gzip packs the stripped program in a second or two; xz takes many times longer.
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
set(CPACK_GENERATOR DEB)
include(CPack)
