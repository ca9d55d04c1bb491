# The name of Rovena's desktop entry, icon and metadata.
set(ROVENA_APP_ID jp.rovena.Rovena)

# Installation folders. GNUInstallDirs names them; on a Debian system the
# library goes to lib/<multiarch triplet> for every prefix (/usr/local too),
# as Debian places libraries, unless the command line names the folder (as
# the Debian packages' build does).
if(CMAKE_LIBRARY_ARCHITECTURE AND EXISTS /etc/debian_version AND NOT DEFINED CMAKE_INSTALL_LIBDIR)
  set(CMAKE_INSTALL_LIBDIR "lib/${CMAKE_LIBRARY_ARCHITECTURE}" CACHE PATH "Object code libraries (LIBDIR)")
endif()
include(GNUInstallDirs)

# The installed programs find their data files and the library relative to
# their own folder, so an installation works under any prefix, moved or not.
set(ROVENA_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/rovena)
file(RELATIVE_PATH KORVANE_DATA_FROM_BIN
     ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${ROVENA_INSTALL_DATADIR})
file(RELATIVE_PATH KORVANE_LIBRARY_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
