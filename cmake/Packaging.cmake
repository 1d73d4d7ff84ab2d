# Install rules and the Debian package of the editor (bash scripts/package.sh builds it):
# the programs, a desktop entry, the icon in the hicolor theme, AppStream metainfo, man pages,
# a shared-mime-info type for .Nddt preset files, and the package's own documents.
include(GNUInstallDirs)

set(ZT_APP_ID "org.zt461.Editor" CACHE STRING "AppStream and desktop entry identifier")
set(ZT_PROJECT_URL "https://zt461.example.org/editor" CACHE STRING "The project's home page")
set(ZT_SCREENSHOT_URL "${ZT_PROJECT_URL}/docs/images/zt461-editor.png"
    CACHE STRING "Where the AppStream screenshot (docs/images/zt461-editor.png) is published")
set(ZT_PROJECT_LICENSE "LicenseRef-proprietary" CACHE STRING "SPDX licence of the program")
set(ZT_PRESET_MIME_TYPE "application/x-zt461-preset")
set(ZT_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(ZT_PACKAGE_FILES ${CMAKE_BINARY_DIR}/package-files)
# Debian keeps a package's documents under its own name.
set(ZT_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/zt461-editor)

# The release date comes from the last commit when there is one, so that a rebuild of the same
# sources makes the same package.
set(ZT_RELEASE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
if(NOT ZT_RELEASE_EPOCH)
    find_package(Git QUIET)
    if(GIT_FOUND)
        execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
                        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE ZT_RELEASE_EPOCH
                        OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
endif()
if(ZT_RELEASE_EPOCH)
    set(ENV{SOURCE_DATE_EPOCH} ${ZT_RELEASE_EPOCH})
endif()
string(TIMESTAMP ZT_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP ZT_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)

configure_file(${ZT_PACKAGING_DIR}/zt461-editor.desktop.in
               ${ZT_PACKAGE_FILES}/${ZT_APP_ID}.desktop @ONLY)
configure_file(${ZT_PACKAGING_DIR}/metainfo.xml.in
               ${ZT_PACKAGE_FILES}/${ZT_APP_ID}.metainfo.xml @ONLY)
configure_file(${ZT_PACKAGING_DIR}/zt461-editor-mime.xml.in
               ${ZT_PACKAGE_FILES}/zt461-editor.xml @ONLY)
configure_file(${ZT_PACKAGING_DIR}/changelog.in ${ZT_PACKAGE_FILES}/changelog @ONLY)

# The programs of the package; the command-line tool joins them where the project has it.
set(ZT_PACKAGED_PROGRAMS zt461-editor zt461-sim)
if(TARGET zt461ctl)
    list(APPEND ZT_PACKAGED_PROGRAMS zt461ctl)
endif()
install(TARGETS ${ZT_PACKAGED_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Generated files: PNG icons rendered from the SVG, and the man pages and changelog compressed
# as Debian wants them (no name or time stamp in the gzip header). Built by the package target
# zt461-package-files, not by every build.
find_program(ZT_RSVG_CONVERT rsvg-convert)
find_program(ZT_GZIP gzip)
set(ZT_GENERATED)
if(ZT_RSVG_CONVERT)
    foreach(size 48 256)
        set(png ${ZT_PACKAGE_FILES}/icons/${size}/zt461-editor.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${ZT_PACKAGE_FILES}/icons/${size}
            COMMAND ${ZT_RSVG_CONVERT} -w ${size} -h ${size} ${ZT_PACKAGING_DIR}/zt461-editor.svg -o ${png}
            DEPENDS ${ZT_PACKAGING_DIR}/zt461-editor.svg
            COMMENT "Icon ${size} x ${size}")
        list(APPEND ZT_GENERATED ${png})
        install(FILES ${png}
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
endif()

set(ZT_MAN_PAGES ${ZT_PACKAGING_DIR}/man/zt461-editor.1 ${ZT_PACKAGING_DIR}/man/zt461-sim.1)
if(TARGET zt461ctl)
    # The tool's own page where its folder has one; otherwise one made from its --help.
    get_target_property(ZT_CTL_SOURCE_DIR zt461ctl SOURCE_DIR)
    find_program(ZT_HELP2MAN help2man)
    if(EXISTS ${ZT_CTL_SOURCE_DIR}/zt461ctl.1)
        list(APPEND ZT_MAN_PAGES ${ZT_CTL_SOURCE_DIR}/zt461ctl.1)
    elseif(ZT_HELP2MAN)
        add_custom_command(OUTPUT ${ZT_PACKAGE_FILES}/zt461ctl.1
            COMMAND ${ZT_HELP2MAN} --no-info --no-discard-stderr
                    --name "command-line control of the ZT461 audio processor"
                    --output ${ZT_PACKAGE_FILES}/zt461ctl.1 $<TARGET_FILE:zt461ctl>
            DEPENDS zt461ctl
            COMMENT "Man page of zt461ctl from its --help")
        list(APPEND ZT_MAN_PAGES ${ZT_PACKAGE_FILES}/zt461ctl.1)
    endif()
endif()

if(ZT_GZIP)
    foreach(page ${ZT_MAN_PAGES})
        get_filename_component(name ${page} NAME)
        set(gz ${ZT_PACKAGE_FILES}/man/${name}.gz)
        add_custom_command(OUTPUT ${gz}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${ZT_PACKAGE_FILES}/man
            COMMAND ${ZT_GZIP} -9 -n -c ${page} > ${gz}
            DEPENDS ${page}
            COMMENT "Man page ${name}")
        list(APPEND ZT_GENERATED ${gz})
        install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endforeach()
    set(gz ${ZT_PACKAGE_FILES}/changelog.gz)
    add_custom_command(OUTPUT ${gz}
        COMMAND ${ZT_GZIP} -9 -n -c ${ZT_PACKAGE_FILES}/changelog > ${gz}
        DEPENDS ${ZT_PACKAGING_DIR}/changelog.in
        COMMENT "Changelog")
    list(APPEND ZT_GENERATED ${gz})
    install(FILES ${gz} DESTINATION ${ZT_DOC_DIR})
endif()
add_custom_target(zt461-package-files DEPENDS ${ZT_GENERATED})

install(FILES ${ZT_PACKAGING_DIR}/zt461-editor.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${ZT_PACKAGE_FILES}/${ZT_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZT_PACKAGE_FILES}/${ZT_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${ZT_PACKAGE_FILES}/zt461-editor.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${ZT_PACKAGING_DIR}/copyright DESTINATION ${ZT_DOC_DIR})

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zt461-editor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "ZT461 editor developers")
set(CPACK_PACKAGE_CONTACT "ZT461 editor developers <zt461-editor@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor and remote control for the ZT461 audio processor")
# The summary is the synopsis; CPack indents these lines and marks the empty one.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "The editor finds a ZT461 karaoke (KTV) digital audio processor on a serial
port, downloads its parameter memory and sends every change to it as it is
made. It draws the EQ response with draggable points, shows a spectrum of the
sound-card input, manages the processor's modes and keeps preset files on the
PC, in English or Chinese.

The package also holds zt461-sim, a simulated processor on a pseudo-terminal.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZT_PROJECT_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
