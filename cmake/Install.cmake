# What `cmake --install` puts under the prefix, and the .deb CPack builds from it: the programs,
# their man pages, tolmena-cli's bash and zsh completion, and for the viewer its desktop entry, MIME types, icons, AppStream data and
# the HTML manual.
include(GNUInstallDirs)
set(TOLMENA_ID org.tolmena.Tolmena)
set(TOLMENA_DIST ${CMAKE_SOURCE_DIR}/dist)
set(TOLMENA_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/tolmena)

# Packagers expect man pages and the changelog compressed, reproducibly.
function(tolmena_gzip source output)
    add_custom_command(OUTPUT ${output}
        COMMAND gzip -9nc ${source} > ${output}
        DEPENDS ${source} VERBATIM)
endfunction()
set(compressed)
foreach(page tolmena-cli tolmena)
    tolmena_gzip(${CMAKE_SOURCE_DIR}/docs/man/${page}.1 ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
    list(APPEND compressed ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
endforeach()
tolmena_gzip(${TOLMENA_DIST}/changelog ${CMAKE_BINARY_DIR}/changelog.gz)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/man)
add_custom_target(tolmena_compressed_docs ALL DEPENDS ${compressed} ${CMAKE_BINARY_DIR}/changelog.gz)

install(TARGETS tolmena-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/man/tolmena-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Shell completion of its commands, options and setting keys.
install(FILES ${TOLMENA_DIST}/completion/tolmena-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions RENAME tolmena-cli)
install(FILES ${TOLMENA_DIST}/completion/_tolmena-cli
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/zsh/vendor-completions)
install(FILES ${TOLMENA_DIST}/copyright DESTINATION ${TOLMENA_DOCDIR})
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${TOLMENA_DOCDIR}
        RENAME changelog.gz)

if(TOLMENA_GUI)
    install(TARGETS tolmena RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${CMAKE_BINARY_DIR}/man/tolmena.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${TOLMENA_DIST}/${TOLMENA_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
    install(FILES ${TOLMENA_DIST}/${TOLMENA_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
    install(FILES ${TOLMENA_DIST}/${TOLMENA_ID}.mime.xml
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/mime/packages RENAME ${TOLMENA_ID}.xml)
    install(FILES ${TOLMENA_DIST}/icons/${TOLMENA_ID}.svg
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
    install(DIRECTORY ${TOLMENA_DIST}/icons/hicolor
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons FILES_MATCHING PATTERN "*.png")
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/manual/ DESTINATION ${TOLMENA_DOCDIR}/manual)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolmena)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Tolmena developers <tolmena@tolmena.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "image viewer and JPEG converter")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tolmena opens BMP, JPEG, PNG, TIFF, MAG and MAKI pictures, zooms and
compares them, and converts them to JPEG with exact control of quality,
sampling, comments and quantization tables, or saves them as PNG. It
edits JPEG marker segments, filters JPEG files losslessly in bulk and
batch-converts folder trees. tolmena-cli does the same without a window.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its X11 platform plugin, its SVG icon engine (which draws the icons) and its own
# Japanese texts (standard buttons, file and colour dialogs) at run time, so the libraries do not
# name them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_SET_DESTDIR OFF)
include(CPack)
