# Writes the characters that X names by a keysym of its own, older than its
# Unicode keysyms (EuroSign, Cyrillic_zhe, ...), as C++ initialisers
# {character, keysym}, read from the installed keysym definitions. Latin-1
# keysyms equal their characters and are left out; approximate matches,
# marked "/*(U+...)*/", too.
function(vm_write_legacy_keysyms keysymdef output)
    file(STRINGS ${keysymdef} lines
        REGEX "^#define XK_[A-Za-z0-9_]+ +0x[0-9a-f]+ +/\\* U\\+[0-9A-F]+ ")
    set(entries "")
    foreach(line IN LISTS lines)
        string(REGEX MATCH "(0x[0-9a-f]+) +/\\* U\\+([0-9A-F]+) " matched "${line}")
        math(EXPR keysym "${CMAKE_MATCH_1}")
        if(keysym GREATER_EQUAL 256 AND keysym LESS 16777216)
            string(APPEND entries "{0x${CMAKE_MATCH_2}, ${CMAKE_MATCH_1}},\n")
        endif()
    endforeach()
    if(entries STREQUAL "")
        message(FATAL_ERROR "No keysyms found in ${keysymdef}")
    endif()
    file(CONFIGURE OUTPUT ${output} CONTENT "${entries}")
endfunction()
