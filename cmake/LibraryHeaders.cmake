# Headers are included by their path from the top of the source tree
# ("base/Utf8.h", "main/core/Program.h"), but the top itself is on no one's
# include path: each library has a folder of its own in the build tree that
# holds only links to its own headers, and names it as its public include
# directory. A target therefore sees the headers of what it links, through
# public links, and no others; a header included across the layers (main/core
# reaching into main/gui) fails to compile with "No such file".
set(VELMARIS_HEADER_LINKS ${CMAKE_BINARY_DIR}/include)

# vm_library_headers(<target> [PATHS <folder or header>...] [FILES_OF <folder>...])
# PATHS are the library's own, a folder with its subfolders and all; FILES_OF
# are folders whose subfolders belong to other libraries, so only the headers
# lying directly in them are the target's. Paths are named from the top of the
# source tree.
function(vm_library_headers target)
    cmake_parse_arguments(ARG "" "" "PATHS;FILES_OF" ${ARGN})
    set(root ${VELMARIS_HEADER_LINKS}/${target})
    # Links of headers since removed must not linger.
    file(REMOVE_RECURSE ${root})
    foreach(path ${ARG_PATHS})
        vm_link_header_path(${path} ${root})
    endforeach()
    foreach(folder ${ARG_FILES_OF})
        file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}
            ${CMAKE_SOURCE_DIR}/${folder}/*.h)
        foreach(header ${headers})
            vm_link_header_path(${header} ${root})
        endforeach()
    endforeach()

    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE ${root})
    else()
        target_include_directories(${target} PUBLIC ${root})
    endif()
endfunction()

function(vm_link_header_path path root)
    get_filename_component(parent ${root}/${path} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${path} ${root}/${path} SYMBOLIC)
endfunction()
