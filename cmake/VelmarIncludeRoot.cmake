# The build keeps the layers: each library is seen through an include root of
# its own, holding only the headers it offers, so a file can include a header
# only when its target links the library behind it. A root is a folder of
# links to the sources (copies where the system cannot link), made at
# configure time from the lists below; a header added to a list takes effect
# at the next configure, which changing the list triggers.
#
#   velmar_include_root(<target> PUBLIC|PRIVATE|INTERFACE <header>...)
#
# Headers are named as they are included, relative to the project folder.
function(velmar_include_root target scope)
  string(TOLOWER "${scope}" kind)
  set(root "${CMAKE_BINARY_DIR}/include-roots/${target}-${kind}")
  file(REMOVE_RECURSE "${root}")
  foreach(header IN LISTS ARGN)
    if(NOT EXISTS "${PROJECT_SOURCE_DIR}/${header}")
      message(FATAL_ERROR "${target} offers ${header}, which does not exist")
    endif()
    get_filename_component(folder "${root}/${header}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${header}" "${root}/${header}" COPY_ON_ERROR SYMBOLIC)
  endforeach()
  target_include_directories(${target} ${scope} "${root}")
endfunction()
