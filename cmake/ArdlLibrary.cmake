# How the program's libraries are declared and what the build checks about them.
#
# Every library sees only its own headers and those of the libraries it links:
# each one publishes an include root of its own under the build tree, holding
# a link to its folder under src/, so "common/core/colFile.h" resolves only
# for a target that links ardl_common_core. A missing link is a build error
# instead of a header that happens to be found.

set(ARDL_INCLUDE_ROOTS ${CMAKE_BINARY_DIR}/include)
set_property(GLOBAL PROPERTY ARDL_CORE_LIBRARIES "")

# ardl_expose_folder(<target> <folder or single header, relative to src/>)
function(ardl_expose_folder target folder)
  get_target_property(type ${target} TYPE)
  set(root ${ARDL_INCLUDE_ROOTS}/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${ARDL_SOURCE_ROOT}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  elseif(type STREQUAL "MODULE_LIBRARY" OR type STREQUAL "EXECUTABLE")
    target_include_directories(${target} PRIVATE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# ardl_add_library(<target> [CORE] [INTERFACE] SOURCES ... [PUBLIC ...] [PRIVATE ...])
#
# Declares a static library from the current folder. CORE marks a UI-free
# library: the configure fails if it reaches Qt Gui, Qt Widgets or a ui
# library, directly or through any library it links.
function(ardl_add_library target)
  cmake_parse_arguments(L "CORE;INTERFACE" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  file(RELATIVE_PATH folder ${ARDL_SOURCE_ROOT} ${CMAKE_CURRENT_SOURCE_DIR})
  if(L_INTERFACE)
    add_library(${target} INTERFACE ${L_SOURCES})
    target_link_libraries(${target} INTERFACE ${L_PUBLIC})
  else()
    add_library(${target} STATIC ${L_SOURCES})
    target_link_libraries(${target} PUBLIC ${L_PUBLIC} PRIVATE ${L_PRIVATE})
  endif()
  ardl_expose_folder(${target} ${folder})
  if(L_CORE)
    set_property(GLOBAL APPEND PROPERTY ARDL_CORE_LIBRARIES ${target})
  endif()
endfunction()

# Every library a target reaches through its links, itself excluded.
function(ardl_collect_links target out)
  set(seen "")
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue current)
    if(NOT TARGET ${current})
      continue()
    endif()
    get_target_property(aliased ${current} ALIASED_TARGET)
    if(aliased)
      set(current ${aliased})
    endif()
    set(links "")
    get_target_property(type ${current} TYPE)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${current} LINK_LIBRARIES)
      if(direct)
        list(APPEND links ${direct})
      endif()
    endif()
    get_target_property(iface ${current} INTERFACE_LINK_LIBRARIES)
    if(iface)
      list(APPEND links ${iface})
    endif()
    foreach(link IN LISTS links)
      # Private links of a static library show as $<LINK_ONLY:name>.
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
      if(link MATCHES "^\\$<" OR link STREQUAL "")
        continue()
      endif()
      if(NOT link IN_LIST seen)
        list(APPEND seen ${link})
        list(APPEND queue ${link})
      endif()
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# Run once every library is declared: a core library must never reach widgets.
function(ardl_check_core_libraries)
  get_property(cores GLOBAL PROPERTY ARDL_CORE_LIBRARIES)
  foreach(core IN LISTS cores)
    ardl_collect_links(${core} reached)
    foreach(lib IN LISTS reached)
      if(lib MATCHES "^Qt6?::(Gui|Widgets|OpenGL|Test)$" OR lib MATCHES "_ui$")
        message(FATAL_ERROR "${core} is a UI-free core library but reaches ${lib}")
      endif()
    endforeach()
  endforeach()
endfunction()

# ardl_add_subdirectories(<folder> ...): every listed folder must hold a
# CMakeLists.txt; a misspelt or missing one stops the configure.
function(ardl_add_subdirectories)
  foreach(dir IN LISTS ARGN)
    if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      message(FATAL_ERROR "Source folder ${dir} has no CMakeLists.txt")
    endif()
    add_subdirectory(${dir})
  endforeach()
endfunction()
