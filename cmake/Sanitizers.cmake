# Any report of the sanitizers ends the program, so that a test fails on it.
if(VELMARIS_SANITIZE OR VELMARIS_FUZZ)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
    # The checked code is the code that runs; fortified functions would hide
    # some accesses from the address checks.
    set(VELMARIS_HARDENING OFF CACHE BOOL "" FORCE)
endif()
if(VELMARIS_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "The fuzz targets need clang: -DCMAKE_CXX_COMPILER=clang++-16")
    endif()
    # Coverage for the fuzzer in every library; only the targets get its main.
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
