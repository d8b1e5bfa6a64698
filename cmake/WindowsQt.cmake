# Qt for Windows in the mingw-w64 build: its DLLs, the mingw runtime they were
# built against and the platform plugin go beside a program, so that it runs
# from its folder, as on a Windows machine without Qt.
# Debian's cross compiler keeps it in its own folders; a MinGW on Windows
# beside the compiler.
get_filename_component(compiler_folder ${CMAKE_CXX_COMPILER} DIRECTORY)
find_file(VELMARIS_LIBSTDCXX_DLL libstdc++-6.dll
    PATHS /usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/lib/gcc/x86_64-w64-mingw32/12
        ${compiler_folder}
    NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH REQUIRED)
get_filename_component(VELMARIS_GCC_DLL_DIR ${VELMARIS_LIBSTDCXX_DLL} DIRECTORY)
find_file(VELMARIS_WINPTHREAD_DLL libwinpthread-1.dll
    PATHS /usr/x86_64-w64-mingw32/lib ${compiler_folder}
    NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH REQUIRED)

# velmaris_deploy_qt(<target> [<further Qt library targets>]): links the
# target against the runtime DLLs Qt uses and copies what it needs from Qt
# beside it after each build.
function(velmaris_deploy_qt target)
    set_target_properties(${target} PROPERTIES VELMARIS_SHARED_RUNTIME ON)
    set(folder $<TARGET_FILE_DIR:${target}>)
    set(further)
    foreach(library IN LISTS ARGN)
        list(APPEND further $<TARGET_FILE:${library}>)
    endforeach()
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/platforms
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Qt6::Core>
            $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets> ${further} ${VELMARIS_LIBSTDCXX_DLL}
            ${VELMARIS_GCC_DLL_DIR}/libgcc_s_seh-1.dll ${VELMARIS_WINPTHREAD_DLL} ${folder}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different
            $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
            $<TARGET_FILE:Qt6::QOffscreenIntegrationPlugin> ${folder}/platforms
        VERBATIM)
endfunction()
