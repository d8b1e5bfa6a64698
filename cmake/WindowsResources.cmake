# What Windows shows of the programs: each carries the program icon in the
# sizes Explorer and the task bar ask for, its version information from the
# project's one version, and a manifest (run as the user who starts it, made
# for Windows 10 and 11, per-monitor DPI aware as Qt 6 expects, themed common
# controls).
enable_language(RC)
set(VELMARIS_COMPANY "Velmaris")
set(VELMARIS_COPYRIGHT_YEAR 2026)
set(VELMARIS_WINDOWS_MANIFEST ${CMAKE_SOURCE_DIR}/resources/windows/Program.manifest)

# The sizes Windows asks for at 100 to 250 per cent, and the large one that
# Explorer scales down from.
set(windows_icon_folder ${CMAKE_BINARY_DIR}/windows-icon)
set(VELMARIS_WINDOWS_ICON ${windows_icon_folder}/Velmaris-program.ico)
velmaris_render_icons(windows_icon_pngs ${windows_icon_folder} 16 20 24 32 40 48 64 256)
add_custom_command(OUTPUT ${VELMARIS_WINDOWS_ICON}
    COMMAND ${IMAGEMAGICK_CONVERT} ${windows_icon_pngs} ${VELMARIS_WINDOWS_ICON}
    DEPENDS ${windows_icon_pngs}
    COMMENT "Writing the program icon for Windows" VERBATIM)
add_custom_target(windows-program-icon DEPENDS ${VELMARIS_WINDOWS_ICON})

# velmaris_windows_resources(<target> <description>): gives the program its
# icon, version information and manifest.
function(velmaris_windows_resources target description)
    set(program_name ${target})
    set(program_description ${description})
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    configure_file(${CMAKE_SOURCE_DIR}/resources/windows/Program.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
    set_source_files_properties(${rc} PROPERTIES
        OBJECT_DEPENDS "${VELMARIS_WINDOWS_ICON};${VELMARIS_WINDOWS_MANIFEST}")
    add_dependencies(${target} windows-program-icon)
endfunction()
