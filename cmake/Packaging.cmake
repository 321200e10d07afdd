# Installation and the Debian package: the program, the command-line tool and its bash
# completion, the virtual logger, the language file, a default settings file (copied to the per-user settings folder on first use), the desktop entry,
# its icons, the AppStream metainfo, the manual pages, and the package's copyright and changelog.
#
#   cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DVESTO_TESTS=OFF
#   cmake --build build-package && (cd build-package && cpack)
# (scripts/package.sh does this and checks the result.)

# Manual pages and the changelog go in gzip-compressed, without a time stamp, as Debian wants.
set(VESTO_GZIPPED "")
foreach(source share/man/vesto-logger.1 share/man/vesto-cli.1 share/man/vesto-logger-emulator.1
        share/doc/changelog)
    get_filename_component(name ${source} NAME)
    set(output ${CMAKE_BINARY_DIR}/gz/${name}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/gz
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/${source} ${CMAKE_BINARY_DIR}/gz/${name}
        COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/gz/${name}
        DEPENDS ${CMAKE_SOURCE_DIR}/${source} VERBATIM)
    list(APPEND VESTO_GZIPPED ${output})
endforeach()
add_custom_target(vesto_gzipped_docs ALL DEPENDS ${VESTO_GZIPPED})

install(TARGETS vesto-logger RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET vesto-cli)
    install(TARGETS vesto-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES share/bash-completion/vesto-cli
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
if(TARGET vesto-logger-emulator)
    install(TARGETS vesto-logger-emulator RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES share/loglango.txt share/loggerx.ini
    DESTINATION ${CMAKE_INSTALL_DATADIR}/vesto-logger)
install(FILES share/vesto-logger.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES share/example.vesto.logger.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES share/vesto-logger.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 128)
    install(FILES share/icons/vesto-logger-${size}.png RENAME vesto-logger.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/gz/vesto-logger.1.gz ${CMAKE_BINARY_DIR}/gz/vesto-cli.1.gz
    ${CMAKE_BINARY_DIR}/gz/vesto-logger-emulator.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES share/doc/copyright ${CMAKE_BINARY_DIR}/gz/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vesto-logger)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vesto-logger)
set(CPACK_PACKAGE_VENDOR "Vesto Instruments")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "download and view the readings of a voltage exception logger")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vesto Instruments <support@vesto.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.vesto.example/")
# CPack puts the summary first and indents this text below it, an empty line as " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Vesto Logger works with a battery-powered voltage exception logger on a
serial line or a USB serial adapter: it shows the logger's live state,
downloads its stored readings and draws them as a zoomable time graph with
limit lines and statistics, saves, opens and prints them, and writes new
limits and a recording mode into the logger.

vesto-cli does the same work from the command line, with no display:
find the logger, ask its status, download it into the archive, turn
record files into CSV or a site report, and write new limits.

The package also holds vesto-logger-emulator, a virtual logger on a
pseudo-terminal, to try the program without hardware.")
# The libraries the programs link are found by dpkg-shlibdeps. Qt loads its platform plugins at
# run time, which no linker records: the X11 and Wayland plugins come with qt6-qpa-plugins.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The design's face is Arial; Liberation Sans has the same metrics.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
