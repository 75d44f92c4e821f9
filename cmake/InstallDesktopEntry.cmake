# Installs the desktop entry (run by cmake --install): its Exec line names the program by its
# full installed path, quoted as the desktop entry format wants a path with spaces.
file(READ "${ZENTILES_DESKTOP_ENTRY}" entry)
string(REPLACE "Exec=zentiles" "Exec=\"${CMAKE_INSTALL_PREFIX}/${ZENTILES_BINDIR}/zentiles\""
       entry "${entry}")
file(WRITE "${ZENTILES_STAGING}/zentiles.desktop" "${entry}")
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${ZENTILES_DATADIR}/applications" TYPE FILE
     FILES "${ZENTILES_STAGING}/zentiles.desktop")
