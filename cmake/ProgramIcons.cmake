# The program's icon in every size it is used at, rendered at build time from
# its one drawing, resources/icons/Velmaris.svg.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(IMAGEMAGICK_CONVERT convert REQUIRED)
set(VELMARIS_ICON_SVG ${CMAKE_SOURCE_DIR}/resources/icons/Velmaris.svg)
set(VELMARIS_ICON_SIZES 16 24 32 48 64 128 256)

# velmaris_render_icons(<variable> <folder> [<size>...]): renders the sizes
# (by default VELMARIS_ICON_SIZES) as <folder>/Velmaris-<size>.png and lists
# them in <variable>.
function(velmaris_render_icons variable folder)
    set(sizes ${ARGN})
    if(NOT sizes)
        set(sizes ${VELMARIS_ICON_SIZES})
    endif()
    set(pngs)
    foreach(size IN LISTS sizes)
        set(png ${folder}/Velmaris-${size}.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
            COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${VELMARIS_ICON_SVG}
            DEPENDS ${VELMARIS_ICON_SVG}
            COMMENT "Rendering the ${size}-pixel program icon" VERBATIM)
        list(APPEND pngs ${png})
    endforeach()
    set(${variable} ${pngs} PARENT_SCOPE)
endfunction()

# velmaris_icon_files(<folder> <pngs>): the two icon files the host shows for
# Velmaris's command, beside the program: Velmaris.ico (16 and 32 pixels)
# and Velmaris32.ico (32 pixels).
function(velmaris_icon_files folder pngs)
    list(FILTER pngs INCLUDE REGEX "Velmaris-(16|32)\\.png$")
    list(GET pngs 1 png32)
    add_custom_command(OUTPUT ${folder}/Velmaris.ico ${folder}/Velmaris32.ico
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${IMAGEMAGICK_CONVERT} ${pngs} ${folder}/Velmaris.ico
        COMMAND ${IMAGEMAGICK_CONVERT} ${png32} ${folder}/Velmaris32.ico
        DEPENDS ${pngs}
        COMMENT "Writing the program's icon files" VERBATIM)
    add_custom_target(program-icon-files ALL
        DEPENDS ${folder}/Velmaris.ico ${folder}/Velmaris32.ico)
endfunction()
