# Run at install time: writes the menu entry with the absolute path of the installed launcher,
# so it starts the client whatever the prefix and whether or not its bin/ is on PATH.
# In: ENTRY_TEMPLATE, ENTRY_FILE (a scratch file in the build tree), CMAKE_INSTALL_PREFIX.
set(launcher "${CMAKE_INSTALL_PREFIX}/bin/tamsa-gamebox")
if(launcher MATCHES "^[A-Za-z0-9/._+-]+$")
    set(exec "${launcher}")
else()
    # Quoted as the desktop entry rules ask: \ " ` $ escaped inside double quotes, then every
    # backslash doubled for the file's own string escaping, and % written as %%.
    string(REGEX REPLACE "([\\\\\"`$])" "\\\\\\1" exec "${launcher}")
    string(REPLACE "\\" "\\\\" exec "\"${exec}\"")
    string(REPLACE "%" "%%" exec "${exec}")
endif()
set(EXEC "${exec}")
configure_file("${ENTRY_TEMPLATE}" "${ENTRY_FILE}" @ONLY)
file(INSTALL "${ENTRY_FILE}" DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications")
