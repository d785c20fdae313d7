# Runs at install time, first: works out where things go from the prefix the
# install was given (cmake --install --prefix, or CPack's staging), so that
# one build installs sanely under any prefix.
#
# A prefix under /opt is the program's own folder (the add-on layout): bin/
# holds the programs and the prefix itself the data folder, which the program
# finds one folder up from bin/. The desktop files and the links on PATH go
# where the desktop and the shell look: /usr for a staged install (DESTDIR
# set: a package is being made, and packages own /usr), else /usr/local.
#
# Any other prefix (~/.local, /usr/local) is a shared tree: the program's
# folder is <prefix>/lib/velmar, with links in <prefix>/bin and the desktop
# files in <prefix>/share.
string(REGEX REPLACE "(.)/+$" "\\1" velmar_prefix "${CMAKE_INSTALL_PREFIX}")
if(velmar_prefix MATCHES "^/opt/[^/]")
  set(VELMAR_APP_SUBDIR "")
  if("$ENV{DESTDIR}" STREQUAL "")
    set(VELMAR_SYSTEM_PREFIX /usr/local)
  else()
    set(VELMAR_SYSTEM_PREFIX /usr)
  endif()
  set(VELMAR_LINKS_ABSOLUTE ON)
else()
  set(VELMAR_APP_SUBDIR "lib/velmar/")
  set(VELMAR_SYSTEM_PREFIX "${velmar_prefix}")
  set(VELMAR_LINKS_ABSOLUTE OFF)
endif()
# The program's folder, with a trailing slash.
set(VELMAR_APP_DIR "${velmar_prefix}/${VELMAR_APP_SUBDIR}")
# Scratch space for files made at install time, one per destination so that
# two installs from the same build can run at once.
string(SHA1 velmar_destination "$ENV{DESTDIR}|${velmar_prefix}")
string(SUBSTRING "${velmar_destination}" 0 12 velmar_destination)
set(VELMAR_INSTALL_SCRATCH "${VELMAR_PACKAGING_BINARY_DIR}/install-${velmar_destination}")
