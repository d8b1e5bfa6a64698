# Installation. The program and its companion lie side by side in a private
# folder, with the manual and the host's icon files, because Velmaris starts
# logon and opens the manual from its own folder, and a program called
# "logon" has no business in the shared bin folder; bin holds only a link to
# Velmaris. The desktop entry, the icons of the hicolor theme and the
# AppStream metainfo go where desktops look for them.
include(GNUInstallDirs)
set(VELMARIS_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/velmaris)
set(VELMARIS_APP_ID org.velmaris.Velmaris)

install(TARGETS Velmaris logon RUNTIME DESTINATION ${VELMARIS_INSTALL_DIR})
install(FILES ${VELMARIS_PROGRAM_DIR}/Velmaris_manual.pdf ${VELMARIS_PROGRAM_DIR}/Velmaris.ico
    ${VELMARIS_PROGRAM_DIR}/Velmaris32.ico DESTINATION ${VELMARIS_INSTALL_DIR})
install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(CREATE_LINK ../${VELMARIS_INSTALL_DIR}/Velmaris
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/velmaris\" SYMBOLIC)")

install(FILES ${CMAKE_SOURCE_DIR}/resources/linux/${VELMARIS_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${CMAKE_SOURCE_DIR}/resources/linux/${VELMARIS_APP_ID}.metainfo.xml
    ${CMAKE_BINARY_DIR}/${VELMARIS_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${VELMARIS_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${VELMARIS_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME ${VELMARIS_APP_ID}.svg)
foreach(size IN LISTS VELMARIS_ICON_SIZES)
    install(FILES ${CMAKE_BINARY_DIR}/main/icons/Velmaris-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME ${VELMARIS_APP_ID}.png)
endforeach()

# Compressed as Debian ships documentation: at the highest level, without a
# time stamp, so that two builds give the same bytes.
function(velmaris_gzip_at_build input output)
    add_custom_command(OUTPUT ${output} COMMAND gzip -9nc ${input} > ${output}
        DEPENDS ${input} VERBATIM)
    get_filename_component(name ${output} NAME)
    add_custom_target(gzip_${name} ALL DEPENDS ${output})
endfunction()

configure_file(${CMAKE_SOURCE_DIR}/resources/linux/velmaris.1 ${CMAKE_BINARY_DIR}/man/velmaris.1
    @ONLY)
velmaris_gzip_at_build(${CMAKE_BINARY_DIR}/man/velmaris.1 ${CMAKE_BINARY_DIR}/man/velmaris.1.gz)
install(FILES ${CMAKE_BINARY_DIR}/man/velmaris.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
