# Runs at install time: the desktop entry, icons and AppStream metadata where
# the desktop looks, the commands on PATH as links into the program's folder,
# their manual pages, and the documents a Debian package carries.
set(velmar_share "${VELMAR_SYSTEM_PREFIX}/share")

# The entry names the program by its absolute path: no dependence on PATH.
set(VELMAR_PROGRAM "${VELMAR_APP_DIR}bin/velmar")
configure_file("${VELMAR_PACKAGING_SOURCE_DIR}/velmar.desktop.in"
               "${VELMAR_INSTALL_SCRATCH}/velmar.desktop" @ONLY)
file(INSTALL "${VELMAR_INSTALL_SCRATCH}/velmar.desktop"
  DESTINATION "${velmar_share}/applications")
file(INSTALL "${VELMAR_PACKAGING_SOURCE_DIR}/example.velmar.Velmar.metainfo.xml"
  DESTINATION "${velmar_share}/metainfo")

foreach(velmar_size 48 128)
  file(INSTALL "${VELMAR_PACKAGING_SOURCE_DIR}/icons/velmar-${velmar_size}.png"
    DESTINATION "${velmar_share}/icons/hicolor/${velmar_size}x${velmar_size}/apps"
    RENAME velmar.png)
endforeach()
file(INSTALL "${VELMAR_APP_ICON}"
  DESTINATION "${velmar_share}/icons/hicolor/256x256/apps" RENAME velmar.png)
file(INSTALL "${VELMAR_PACKAGING_SOURCE_DIR}/icons/velmar.svg"
  DESTINATION "${velmar_share}/icons/hicolor/scalable/apps")

# The links are made in the scratch folder and installed as links, so they
# are listed in the install manifest and land in a package's staging.
# Links from /usr into /opt are absolute, links inside one tree relative.
file(MAKE_DIRECTORY "${VELMAR_INSTALL_SCRATCH}/links")
foreach(velmar_command velmar velmar-check)
  if(VELMAR_LINKS_ABSOLUTE)
    set(velmar_target "${VELMAR_APP_DIR}bin/${velmar_command}")
  else()
    set(velmar_target "../${VELMAR_APP_SUBDIR}bin/${velmar_command}")
  endif()
  file(REMOVE "${VELMAR_INSTALL_SCRATCH}/links/${velmar_command}")
  file(CREATE_LINK "${velmar_target}" "${VELMAR_INSTALL_SCRATCH}/links/${velmar_command}" SYMBOLIC)
  file(INSTALL "${VELMAR_INSTALL_SCRATCH}/links/${velmar_command}"
    DESTINATION "${VELMAR_SYSTEM_PREFIX}/bin")
endforeach()

file(INSTALL "${VELMAR_PACKAGING_BINARY_DIR}/velmar.1.gz"
               "${VELMAR_PACKAGING_BINARY_DIR}/velmar-check.1.gz"
  DESTINATION "${velmar_share}/man/man1")
file(INSTALL "${VELMAR_PACKAGING_SOURCE_DIR}/copyright"
  DESTINATION "${velmar_share}/doc/velmar")
# Only a package needs the Debian changelog and its note for lintian.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
  file(INSTALL "${VELMAR_PACKAGING_BINARY_DIR}/changelog.gz"
    DESTINATION "${velmar_share}/doc/velmar")
  file(INSTALL "${VELMAR_PACKAGING_SOURCE_DIR}/lintian-overrides"
    DESTINATION "${velmar_share}/lintian/overrides" RENAME velmar)
endif()
