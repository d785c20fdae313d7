# The Windows folder, its installer and its zip: the target windows_package
# (package-windows.sh) installs the program into package/Velmar/ and makes
# package/Velmar-<version>-setup.exe (NSIS) and Velmar-<version>-windows-x64.zip
# from it.

set(VELMAR_PUBLISHER "Velmar" CACHE STRING
  "The publisher the installer and Windows' list of apps name")
set(VELMAR_SIGN_COMMAND "" CACHE STRING
  "A command that signs one file in place, %1 standing for it; run on the programs, the uninstaller and the installer")
# NSIS reads a semicolon as the start of a comment and the command stands in
# backquotes there; CMake splits lists at semicolons.
if("${VELMAR_SIGN_COMMAND}" MATCHES "[;`]")
  message(FATAL_ERROR "VELMAR_SIGN_COMMAND must not hold ; or ` (join commands with &&)")
endif()
if("${VELMAR_PUBLISHER}" MATCHES "[\"$\\\n]" OR "${VELMAR_PUBLISHER}" STREQUAL "")
  message(FATAL_ERROR "VELMAR_PUBLISHER must be non-empty text without quotes, $, backslashes or line breaks")
endif()

# The Qt and mingw DLLs and plugins the programs load (cmake/VelmarWindowsRuntime.cmake).
foreach(file IN LISTS VELMAR_WINDOWS_DLLS VELMAR_WINDOWS_PLUGINS)
  string(REGEX REPLACE "^(bin|plugins)/?" "" destination "${file}")
  get_filename_component(destination "${destination}" DIRECTORY)
  if(destination STREQUAL "")
    set(destination .)
  endif()
  install(FILES "${VELMAR_WINDOWS_QT_PREFIX}/${file}" DESTINATION "${destination}")
endforeach()

set(velmar_package_version "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
set(velmar_package_dir "${CMAKE_BINARY_DIR}/package")
add_custom_target(windows_package
  COMMAND ${CMAKE_COMMAND} -E rm -rf "${velmar_package_dir}"
  COMMAND ${CMAKE_COMMAND} --install "${CMAKE_BINARY_DIR}" --prefix "${velmar_package_dir}/Velmar"
  COMMAND ${CMAKE_COMMAND}
          "-DSTAGE=${velmar_package_dir}/Velmar"
          "-DPACKAGE_DIR=${velmar_package_dir}"
          "-DVERSION=${velmar_package_version}"
          "-DPUBLISHER=${VELMAR_PUBLISHER}"
          "-DSIGN=${VELMAR_SIGN_COMMAND}"
          "-DNSIS_SCRIPT=${CMAKE_CURRENT_SOURCE_DIR}/windows/velmar.nsi"
          "-DICON=${PROJECT_SOURCE_DIR}/app/velmar.ico"
          "-DSTRIP=${CMAKE_STRIP}"
          -P "${CMAKE_CURRENT_SOURCE_DIR}/windows/make_package.cmake"
  DEPENDS velmar velmar-check velmar-hdphoto
  COMMENT "Making the Windows installer and zip in ${velmar_package_dir}"
  VERBATIM)
