# The installed desktop application and its Debian package.
#
# Installed layout under CMAKE_INSTALL_PREFIX:
#   lib/vellora/vellora            the program; its folder is the program folder
#   lib/vellora/vellor.ini         the helpers it comes with
#   lib/vellora/vellora-view       the product viewer the helpers start
#   bin/vellora                    symlink to ../lib/vellora/vellora
#   share/doc/vellora/vellora.html the help page, and examples/vellor.ini
#   share/doc/vellora/copyright    the licence; changelog.Debian.gz beside it
#   share/applications/, share/metainfo/, share/icons/hicolor/, share/man/man1/
#   share/kio/servicemenus/        "Open as PDS volume" on folders in KDE
#   share/lintian/overrides/vellora
#   share/mime/packages/           the PDS label types
#   share/thumbnailers/            thumbnails of PDS products for file managers
#
# The helper file is written from packaging/vellor.ini.in with the product
# viewer's full path: the build tree gets one beside the program naming the
# viewer in the build tree, so a program started from build/ opens files as
# the installed one does; the installed one names the installed viewer.

set(VELLORA_APP_ID org.morvath.Vellora)
set(VELLORA_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(VELLORA_PROGRAM_FOLDER lib/vellora)

# --- The helper file beside the program in the build tree. A copy the user
# edited there stays until the shipped template itself changes.
set(VELLORA_HELPER_TEMPLATE ${VELLORA_PACKAGING_DIR}/vellor.ini.in)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/vellor.ini
    COMMAND ${CMAKE_COMMAND} -DTEMPLATE=${VELLORA_HELPER_TEMPLATE} -DOUTPUT=${CMAKE_BINARY_DIR}/vellor.ini
            -DVIEWER=$<TARGET_FILE:vellora-view> -P ${CMAKE_SOURCE_DIR}/cmake/ConfigureHelperFile.cmake
    DEPENDS ${VELLORA_HELPER_TEMPLATE} ${CMAKE_SOURCE_DIR}/cmake/ConfigureHelperFile.cmake
    VERBATIM)
add_custom_target(vellora_helper_file DEPENDS ${CMAKE_BINARY_DIR}/vellor.ini)
add_dependencies(vellora vellora_helper_file)

# --- Desktop icons: PNGs drawn by the program's own artwork code.
set(VELLORA_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(VELLORA_ICON_FILES)
foreach(side 16 32 48 64 128 256)
    list(APPEND VELLORA_ICON_FILES ${VELLORA_ICON_DIR}/${side}x${side}/apps/${VELLORA_APP_ID}.png)
endforeach()
add_executable(make_icons ${VELLORA_PACKAGING_DIR}/make_icons.cpp)
target_link_libraries(make_icons PRIVATE vellora_gui)
add_custom_command(OUTPUT ${VELLORA_ICON_FILES}
    COMMAND make_icons ${VELLORA_ICON_DIR} ${VELLORA_APP_ID}
    DEPENDS make_icons
    VERBATIM)
add_custom_target(vellora_icons ALL DEPENDS ${VELLORA_ICON_FILES})

# --- The man page, compressed as Debian keeps man pages.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(VELLORA_MAN_PAGE ${CMAKE_BINARY_DIR}/man/vellora.1.gz)
add_custom_command(OUTPUT ${VELLORA_MAN_PAGE}
    COMMAND ${CMAKE_COMMAND} -E copy ${VELLORA_PACKAGING_DIR}/vellora.1 ${CMAKE_BINARY_DIR}/man/vellora.1
    COMMAND ${GZIP_PROGRAM} -9nf ${CMAKE_BINARY_DIR}/man/vellora.1
    DEPENDS ${VELLORA_PACKAGING_DIR}/vellora.1
    VERBATIM)
add_custom_target(vellora_man_page ALL DEPENDS ${VELLORA_MAN_PAGE})

# --- The package's changelog, compressed as Debian keeps changelogs.
set(VELLORA_CHANGELOG ${CMAKE_BINARY_DIR}/doc/changelog.Debian.gz)
add_custom_command(OUTPUT ${VELLORA_CHANGELOG}
    COMMAND ${CMAKE_COMMAND} -E copy ${VELLORA_PACKAGING_DIR}/changelog ${CMAKE_BINARY_DIR}/doc/changelog.Debian
    COMMAND ${GZIP_PROGRAM} -9nf ${CMAKE_BINARY_DIR}/doc/changelog.Debian
    DEPENDS ${VELLORA_PACKAGING_DIR}/changelog
    VERBATIM)
add_custom_target(vellora_changelog ALL DEPENDS ${VELLORA_CHANGELOG})

# --- bin/vellora: a relative link, right for any prefix and DESTDIR.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/link)
file(CREATE_LINK ../${VELLORA_PROGRAM_FOLDER}/vellora ${CMAKE_BINARY_DIR}/link/vellora SYMBOLIC)

install(TARGETS vellora RUNTIME DESTINATION ${VELLORA_PROGRAM_FOLDER})
# The installed helper file names the installed viewer, whatever the prefix.
install(CODE "execute_process(COMMAND \"${CMAKE_COMMAND}\"
    -DTEMPLATE=${VELLORA_HELPER_TEMPLATE}
    \"-DOUTPUT=\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${VELLORA_PROGRAM_FOLDER}/vellor.ini\"
    \"-DVIEWER=\${CMAKE_INSTALL_PREFIX}/${VELLORA_PROGRAM_FOLDER}/vellora-view\"
    -P ${CMAKE_SOURCE_DIR}/cmake/ConfigureHelperFile.cmake COMMAND_ERROR_IS_FATAL ANY)")
install(FILES ${CMAKE_BINARY_DIR}/link/vellora DESTINATION bin)
install(FILES ${CMAKE_SOURCE_DIR}/src/res/vellora.html DESTINATION share/doc/vellora)
install(FILES ${CMAKE_SOURCE_DIR}/examples/vellor.ini DESTINATION share/doc/vellora/examples)
install(FILES ${VELLORA_PACKAGING_DIR}/${VELLORA_APP_ID}.desktop DESTINATION share/applications)
# The product viewer's entry (not shown in menus), the PDS label types it
# opens, and the thumbnailer that shows PDS images in file managers.
install(FILES ${VELLORA_PACKAGING_DIR}/org.morvath.VelloraView.desktop DESTINATION share/applications)
install(FILES ${VELLORA_PACKAGING_DIR}/org.morvath.Vellora.mime.xml DESTINATION share/mime/packages
        RENAME org.morvath.Vellora.xml)
install(FILES ${VELLORA_PACKAGING_DIR}/vellora-view.thumbnailer DESTINATION share/thumbnailers)
install(FILES ${VELLORA_PACKAGING_DIR}/${VELLORA_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${VELLORA_PACKAGING_DIR}/${VELLORA_APP_ID}.svg DESTINATION share/icons/hicolor/scalable/apps)
install(DIRECTORY ${VELLORA_ICON_DIR}/ DESTINATION share/icons/hicolor)
install(FILES ${VELLORA_MAN_PAGE} DESTINATION share/man/man1)
install(FILES ${VELLORA_PACKAGING_DIR}/${VELLORA_APP_ID}.servicemenu.desktop DESTINATION share/kio/servicemenus)
install(FILES ${VELLORA_PACKAGING_DIR}/copyright ${VELLORA_CHANGELOG} DESTINATION share/doc/vellora)
install(FILES ${VELLORA_PACKAGING_DIR}/lintian-overrides DESTINATION share/lintian/overrides RENAME vellora)

# --- The Debian package: `cpack -G DEB` in the build folder, or the
# `package` target.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vellora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The first packaging of this version; packaging/changelog names it too.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGE_VENDOR Morvath)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The project has no web site and no mail address of its own yet: .invalid
# says so (it can never be delivered to anyone), and there is no homepage.
# packaging/copyright and packaging/changelog name the same maintainer.
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vellora developers <vellora@morvath.invalid>")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The helpers it comes with start /usr/bin/xdg-open.
set(CPACK_DEBIAN_PACKAGE_DEPENDS xdg-utils)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "browser for PDS planetary archive volumes
Vellora shows a PDS (Planetary Data System) volume's description file,
then a folder tree and a list of the PDS labels in each folder with the
kind of data each label describes (image, table, time series, ...).
A double-click opens a file with a helper program chosen by that kind
or by the file's extension, or with the desktop's own application.")
# Before the package is made: the programs lose their .comment and .note
# sections, as Debian's own packages do.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/StripSections.cmake)
include(CPack)
