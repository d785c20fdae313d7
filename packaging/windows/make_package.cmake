# Runs as `cmake -P` once the program is installed into STAGE: signs the
# programs when asked, writes the installer's lists of files, runs makensis
# and zips the folder. Gets STAGE, PACKAGE_DIR, VERSION, PUBLISHER, SIGN,
# NSIS_SCRIPT, ICON and STRIP.

# SIGN with %1 for the file, run through the shell so that a studio may give
# a whole command line ("osslsigncode sign ... -in %1 -out %1.signed && mv ...").
function(velmar_sign file)
  if(SIGN STREQUAL "")
    return()
  endif()
  string(REPLACE "%1" "${file}" command "${SIGN}")
  execute_process(COMMAND sh -c "${command}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "signing ${file} failed (${result}): ${command}")
  endif()
endfunction()

# What a user downloads carries no symbols (libstdc++ alone drops from 23 MB
# to 2 MB).
file(GLOB_RECURSE binaries "${STAGE}/*.exe" "${STAGE}/*.dll")
foreach(binary IN LISTS binaries)
  execute_process(COMMAND "${STRIP}" --strip-unneeded "${binary}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${STRIP} failed on ${binary}")
  endif()
endforeach()

foreach(program velmar.exe velmar-check.exe velmar-hdphoto.exe)
  velmar_sign("${STAGE}/${program}")
endforeach()

# The installer installs exactly these files and its uninstaller removes
# exactly these, folder by folder, so nothing of the user's is touched.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${STAGE}" "${STAGE}/*")
list(SORT files)
set(install_lines "")
set(uninstall_lines "")
set(folders "")
set(bytes 0)
set(current_folder "-")
foreach(file IN LISTS files)
  get_filename_component(folder "${file}" DIRECTORY)
  if(NOT folder STREQUAL current_folder)
    string(REPLACE "/" "\\" windows_folder "${folder}")
    if(folder STREQUAL "")
      string(APPEND install_lines "  SetOutPath \"$INSTDIR\"\n")
    else()
      string(APPEND install_lines "  SetOutPath \"$INSTDIR\\${windows_folder}\"\n")
    endif()
    set(current_folder "${folder}")
  endif()
  # Every folder on the way, for removing them when empty.
  set(parent "${folder}")
  while(NOT parent STREQUAL "")
    list(APPEND folders "${parent}")
    get_filename_component(parent "${parent}" DIRECTORY)
  endwhile()
  string(REPLACE "/" "\\" windows_file "${file}")
  string(APPEND install_lines "  File \"${STAGE}/${file}\"\n")
  string(APPEND uninstall_lines "  Delete \"$INSTDIR\\${windows_file}\"\n")
  file(SIZE "${STAGE}/${file}" size)
  math(EXPR bytes "${bytes} + ${size}")
endforeach()
list(REMOVE_DUPLICATES folders)
# Deepest first.
list(SORT folders)
list(REVERSE folders)
foreach(folder IN LISTS folders)
  string(REPLACE "/" "\\" windows_folder "${folder}")
  string(APPEND uninstall_lines "  RMDir \"$INSTDIR\\${windows_folder}\"\n")
endforeach()
file(WRITE "${PACKAGE_DIR}/install-files.nsh" "${install_lines}")
file(WRITE "${PACKAGE_DIR}/uninstall-files.nsh" "${uninstall_lines}")
math(EXPR kilobytes "(${bytes} + 1023) / 1024")

find_program(MAKENSIS makensis)
if(NOT MAKENSIS)
  message(FATAL_ERROR "makensis not found: install the Debian package nsis")
endif()
set(installer "${PACKAGE_DIR}/Velmar-${VERSION}-setup.exe")
set(defines
  "-DVERSION=${VERSION}" "-DPUBLISHER=${PUBLISHER}" "-DOUTFILE=${installer}"
  "-DINSTALL_FILES=${PACKAGE_DIR}/install-files.nsh"
  "-DUNINSTALL_FILES=${PACKAGE_DIR}/uninstall-files.nsh"
  "-DESTIMATED_SIZE=${kilobytes}" "-DICON=${ICON}")
if(NOT SIGN STREQUAL "")
  list(APPEND defines "-DSIGN=${SIGN}")
endif()
execute_process(COMMAND "${MAKENSIS}" -V2 -INPUTCHARSET UTF8 ${defines} "${NSIS_SCRIPT}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  # makensis leaves the installer it wrote when signing it failed: an
  # unsigned installer must not lie there to be shipped by mistake.
  file(REMOVE "${installer}")
  message(FATAL_ERROR "makensis failed (${result})")
endif()

# The same folder, to unpack and run from anywhere.
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar cf "Velmar-${VERSION}-windows-x64.zip"
                        --format=zip Velmar
  WORKING_DIRECTORY "${PACKAGE_DIR}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the zip could not be made")
endif()
message(STATUS "Made ${installer} and ${PACKAGE_DIR}/Velmar-${VERSION}-windows-x64.zip "
               "(${kilobytes} KB installed)")
