# What a cross build for Windows takes from the build machine: header-only
# libraries are the same for every target, so Debian's own copies serve; the
# compiled ones are built from Debian's source with the cross compiler.

# nlohmann/json: its folder alone, seen through a root of its own, so that no
# other header of the build machine can be found by the cross compiler.
function(velmar_host_header_library target header_folder)
  find_path(velmar_${target}_include "${header_folder}" PATHS /usr/include NO_DEFAULT_PATH
    NO_CMAKE_FIND_ROOT_PATH)
  if(NOT velmar_${target}_include)
    message(FATAL_ERROR "${header_folder} not found in /usr/include: install the Debian package "
      "that holds it (see tools/deps.sh)")
  endif()
  set(root "${CMAKE_BINARY_DIR}/host-headers/${target}")
  file(MAKE_DIRECTORY "${root}")
  file(CREATE_LINK "${velmar_${target}_include}/${header_folder}" "${root}/${header_folder}" SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  target_include_directories(${target} SYSTEM INTERFACE "${root}")
endfunction()

# GoogleTest and GoogleMock from Debian's /usr/src/googletest.
function(velmar_googletest_from_source)
  set(source /usr/src/googletest)
  if(NOT EXISTS "${source}/CMakeLists.txt")
    message(FATAL_ERROR "${source} not found: install the Debian package googletest")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory("${source}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
  # Its own code is not held to this project's warnings. It names its
  # targets GTest::gtest, GTest::gmock, ... as Debian's package does.
  foreach(library gtest gtest_main gmock gmock_main)
    target_compile_options(${library} PRIVATE -w)
  endforeach()
endfunction()
