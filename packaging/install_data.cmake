# Runs at install time: installs the chosen data folder as the program's data
# folder (games.json and assets/ at the root of the program's folder).
#
# The bundled sample never replaces a catalog already installed there that is
# not the sample: that is a studio's catalog, and a reinstall of the program
# must not silently put the sample back over it. A studio's own folder
# (VELMAR_DATA_DIR) does replace it: that is what the studio asked for.
set(velmar_installed_catalog "$ENV{DESTDIR}${VELMAR_APP_DIR}games.json")
if(VELMAR_DATA_IS_SAMPLE AND EXISTS "${velmar_installed_catalog}"
   AND NOT IS_DIRECTORY "${velmar_installed_catalog}")
  file(SHA256 "${velmar_installed_catalog}" velmar_installed_hash)
  file(SHA256 "${VELMAR_DATA_SOURCE}/games.json" velmar_sample_hash)
  if(NOT velmar_installed_hash STREQUAL velmar_sample_hash)
    message(WARNING
      "Kept the catalog installed at ${VELMAR_APP_DIR}: its games.json is not the "
      "bundled sample's, so the sample was not installed over it. To install a "
      "catalog of your own, configure with -DVELMAR_DATA_DIR=<its folder>; to get "
      "the sample back, remove ${VELMAR_APP_DIR}games.json and install again.")
    return()
  endif()
endif()

# Hidden files (a .git folder, editor leftovers) are not part of a catalog.
file(INSTALL "${VELMAR_DATA_SOURCE}/" DESTINATION "${VELMAR_APP_DIR}"
  TYPE DIRECTORY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
  DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
                        GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
  REGEX "/\\.[^/]*$" EXCLUDE)
