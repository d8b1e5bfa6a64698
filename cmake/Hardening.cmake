# Release builds carry the hardening that distributions build their packages
# with: checked string and memory functions, stack protection, a program that
# loads at a random address, and relocations made read-only before main.
option(VELMARIS_HARDENING "Harden optimised builds as distributions do" ON)
if(VELMARIS_HARDENING)
    include(CheckPIESupported)
    check_pie_supported()
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    set(optimised $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
    # _FORTIFY_SOURCE needs the optimiser; a toolchain that sets it already
    # keeps its own level.
    add_compile_options($<${optimised}:-U_FORTIFY_SOURCE> $<${optimised}:-D_FORTIFY_SOURCE=2>
        $<${optimised}:-fstack-protector-strong>)
    add_link_options($<${optimised}:LINKER:-z,relro,-z,now>)
endif()
