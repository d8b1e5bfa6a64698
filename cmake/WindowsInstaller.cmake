# The Windows installer: `cmake --build build-windows --target msi` makes
# Velmaris-<version>-x64.msi with wixl from the programs and what they need
# beside them. What wixl cannot say is added to the package afterwards with
# msibuild (both from msitools).
find_program(VELMARIS_WIXL wixl)
find_program(VELMARIS_MSIBUILD msibuild)
if(NOT VELMARIS_WIXL OR NOT VELMARIS_MSIBUILD)
    message(STATUS "No wixl and msibuild (msitools): no msi target")
    return()
endif()

# What the package installs, relative to the programs' folder.
set(VELMARIS_MSI_FILES Velmaris.exe logon.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll
    libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll platforms/qwindows.dll Velmaris.ico
    Velmaris32.ico Velmaris_manual.pdf)

# One component for each file, as Windows Installer wants it.
set(msi_program_components "")
set(msi_platform_components "")
set(msi_component_refs "")
foreach(file IN LISTS VELMARIS_MSI_FILES)
    string(MAKE_C_IDENTIFIER ${file} id)
    get_filename_component(name ${file} NAME)
    set(shortcut "")
    if(file STREQUAL "Velmaris.exe")
        set(shortcut "<Shortcut Id=\"StartMenuShortcut\" Directory=\"ProgramMenuFolder\" Name=\"${VELMARIS_TITLE}\" Description=\"Open any of your contact databases in one step\" WorkingDirectory=\"INSTALLDIR\"/>")
    endif()
    set(component "          <Component Id=\"${id}\" Guid=\"*\" Win64=\"yes\"><File Id=\"${id}\" Name=\"${name}\" Source=\"${file}\" KeyPath=\"yes\">${shortcut}</File></Component>\n")
    if(file MATCHES "^platforms/")
        string(APPEND msi_platform_components "  ${component}")
    else()
        string(APPEND msi_program_components ${component})
    endif()
    string(APPEND msi_component_refs "      <ComponentRef Id=\"${id}\"/>\n")
endforeach()
# wixl reads every source relative to the folder it runs in.
file(RELATIVE_PATH msi_icon ${VELMARIS_PROGRAM_DIR} ${VELMARIS_WINDOWS_ICON})
set(VELMARIS_MSI_WXS ${CMAKE_BINARY_DIR}/installer/Velmaris.wxs)
configure_file(${CMAKE_SOURCE_DIR}/resources/windows/Velmaris.wxs.in ${VELMARIS_MSI_WXS} @ONLY)

# What wixl cannot write: a shortcut that names the program itself rather
# than the product's feature, the preset settings file written only when an
# administrator names one and kept by an upgrade that names none, and modify
# rights for the machine's Users (by SID, the same in every language) on the
# shared settings folder, granted by icacls as the installer's own account
# (deferred, not impersonated) once the folder exists.
set(VELMARIS_MSI_QUERIES
    "UPDATE `Shortcut` SET `Target` = '[#Velmaris_exe]' WHERE `Shortcut` = 'StartMenuShortcut'"
    "UPDATE `Component` SET `Condition` = 'SETTINGSFILE' WHERE `Component` = 'SettingsFilePreset'"
    "UPDATE `Property` SET `Value` = 'WIX_DOWNGRADE_DETECTED$<SEMICOLON>WIX_UPGRADE_DETECTED$<SEMICOLON>SETTINGSFILE' WHERE `Property` = 'SecureCustomProperties'"
    "INSERT INTO `CustomAction` (`Action`, `Type`, `Source`, `Target`) VALUES ('KeepSettingsFile', 51, 'SETTINGSFILE', '[SAVEDSETTINGSFILE]')"
    "INSERT INTO `InstallExecuteSequence` (`Action`, `Condition`, `Sequence`) VALUES ('KeepSettingsFile', 'NOT SETTINGSFILE AND SAVEDSETTINGSFILE', 51)"
    "INSERT INTO `CustomAction` (`Action`, `Type`, `Source`, `Target`) VALUES ('GrantUsersSharedSettings', 3106, 'SHAREDSETTINGSDIR', '\"[System64Folder]icacls.exe\" . /grant *S-1-5-32-545:(OI)(CI)M')"
    "INSERT INTO `InstallExecuteSequence` (`Action`, `Condition`, `Sequence`) VALUES ('GrantUsersSharedSettings', 'NOT REMOVE~=\"ALL\"', 3701)")

# velmaris_msi(<package> <version>): makes the package of that version.
function(velmaris_msi package version)
    set(queries)
    foreach(query IN LISTS VELMARIS_MSI_QUERIES)
        list(APPEND queries -q "${query}")
    endforeach()
    add_custom_command(OUTPUT ${package}
        COMMAND ${VELMARIS_WIXL} -a x64 -D Version=${version} -o ${package} ${VELMARIS_MSI_WXS}
        COMMAND ${VELMARIS_MSIBUILD} ${package} ${queries}
        WORKING_DIRECTORY ${VELMARIS_PROGRAM_DIR}
        DEPENDS ${VELMARIS_MSI_WXS} Velmaris logon manual program-icon-files windows-program-icon
        COMMENT "Writing ${package}" VERBATIM)
endfunction()

set(VELMARIS_MSI ${CMAKE_BINARY_DIR}/Velmaris-${PROJECT_VERSION}-x64.msi)
velmaris_msi(${VELMARIS_MSI} ${PROJECT_VERSION})
add_custom_target(msi DEPENDS ${VELMARIS_MSI})
