# What a Windows program of this build loads at run time, put beside the
# programs in bin/ as an installed program has it: Qt's DLLs, the mingw
# runtime, and the plugins in the folders Qt looks for them beside the
# executable. Tests and tools run from bin/ with nothing else set.
set(VELMAR_WINDOWS_QT_PREFIX "${QT6_INSTALL_PREFIX}")
if(NOT EXISTS "${VELMAR_WINDOWS_QT_PREFIX}/bin/Qt6Core.dll")
  message(FATAL_ERROR "Qt6Core.dll not found under ${VELMAR_WINDOWS_QT_PREFIX}/bin")
endif()

# The program's own: Qt, the C++ runtime of mingw-w64 (POSIX threads).
set(VELMAR_WINDOWS_DLLS
  bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll
  bin/libgcc_s_seh-1.dll bin/libstdc++-6.dll bin/libwinpthread-1.dll)
# The window on a desktop, pictures in every format the catalog may name
# (PNG and BMP are built into Qt), and the native look of the notices.
set(VELMAR_WINDOWS_PLUGINS
  plugins/platforms/qwindows.dll
  plugins/imageformats/qgif.dll plugins/imageformats/qico.dll
  plugins/imageformats/qjpeg.dll plugins/imageformats/qtiff.dll
  plugins/styles/qwindowsvistastyle.dll)
# Only the tests: QTest, and the window without a desktop.
set(VELMAR_WINDOWS_TEST_RUNTIME bin/Qt6Test.dll plugins/platforms/qoffscreen.dll)

set(velmar_runtime_commands)
foreach(file IN LISTS VELMAR_WINDOWS_DLLS VELMAR_WINDOWS_PLUGINS VELMAR_WINDOWS_TEST_RUNTIME)
  string(REGEX REPLACE "^(bin|plugins)/?" "" destination "${file}")
  get_filename_component(destination "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${destination}" DIRECTORY)
  list(APPEND velmar_runtime_commands
    COMMAND ${CMAKE_COMMAND} -E make_directory "${destination}"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "${VELMAR_WINDOWS_QT_PREFIX}/${file}" "${destination}")
endforeach()
add_custom_target(velmar_windows_runtime ALL ${velmar_runtime_commands}
  COMMENT "Copying Qt and the mingw runtime beside the programs")
