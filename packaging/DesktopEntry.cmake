# Run at install time: writes the desktop entry with the program's installed path, so the menu
# starts the game even when the player's PATH lacks its folder (as ~/.local/games usually is). It
# is written straight into the installation: installs into other prefixes may run at the same time.
# Expects BOGLINGS_APP_ID, BOGLINGS_INSTALL_BINDIR, BOGLINGS_APPLICATIONS_DIR and TEMPLATE.

foreach(dir BINDIR APPLICATIONS_DIR)
  set(${dir} ${BOGLINGS_INSTALL_${dir}})
  cmake_path(ABSOLUTE_PATH ${dir} BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX} NORMALIZE)
endforeach()
set(BOGLINGS_EXEC ${BINDIR}/boglings)
# A path with a character the Exec key reserves is quoted, escaped once for the quotes and once
# more for the key's string value.
if(BOGLINGS_EXEC MATCHES "[^-A-Za-z0-9/_.+,=@~]")
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" BOGLINGS_EXEC "${BOGLINGS_EXEC}")
  string(REPLACE "\\" "\\\\" BOGLINGS_EXEC "${BOGLINGS_EXEC}")
  string(REPLACE "%" "%%" BOGLINGS_EXEC "\"${BOGLINGS_EXEC}\"")
endif()
set(entry ${APPLICATIONS_DIR}/${BOGLINGS_APP_ID}.desktop)
message(STATUS "Installing: $ENV{DESTDIR}${entry}")
configure_file(${TEMPLATE} $ENV{DESTDIR}${entry} @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES ${entry})
