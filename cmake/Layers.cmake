# SPDX-License-Identifier: GPL-3.0-or-later
# Each library sees the folders of what it links and nothing more. Its include path is a folder
# of the build tree that holds one link, to the library's own source folder; linking a library
# brings that folder along. A source that includes a layer its library does not link therefore
# fails to build, and the layers keep pointing one way: base <- scene <- sim <- tools and app.

# orbitsim_layer(TARGET FOLDER): TARGET's sources live in FOLDER (relative to the source root,
# "sim" or "ui/widgets"), and its users include them as "FOLDER/Name.h".
function(orbitsim_layer target folder)
  set(view ${CMAKE_BINARY_DIR}/layers/${target})
  get_filename_component(parent ${view}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  set(linked 0)
  if(NOT IS_SYMLINK ${view}/${folder})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${view}/${folder} RESULT linked SYMBOLIC)
  endif()
  if(NOT linked STREQUAL "0")
    # Where the file system has no links, the whole tree stands in: it builds, unchecked.
    message(STATUS "${target}: no link for its include folder (${linked}); the layers go unchecked")
    set(view ${PROJECT_SOURCE_DIR})
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${view})
  else()
    target_include_directories(${target} PUBLIC ${view})
  endif()
endfunction()
