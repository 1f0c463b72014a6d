# The folders form a one-way chain, and the link lines say which way: a
# folder may include only the folders its library links, directly or
# through others. tessaform_check_layers() reads those link lines, refuses
# Qt Widgets below the window at configure time, and adds a test that no
# source file includes a folder its library does not link.

# Library of each product folder.
set(TESSAFORM_LAYERS
  platform=tessaform_platform
  skin=tessaform_skin
  sources=tessaform_sources
  output=tessaform_output
  korvel=tessaform_korvel
  session=tessaform_session
  window=tessaform_window
  cli=tessaform_cli_lib
  gallery=tessaform_gallery)

# Every library target that target links, directly or through others.
function(tessaform_link_closure target out)
  set(seen)
  set(pending ${target})
  while(pending)
    list(POP_FRONT pending current)
    if(NOT TARGET ${current})
      continue()
    endif()
    get_target_property(aliased ${current} ALIASED_TARGET)
    if(aliased)
      set(current ${aliased})
    endif()
    get_target_property(links ${current} LINK_LIBRARIES)
    if(NOT links)
      continue()
    endif()
    foreach(link ${links})
      if(NOT link IN_LIST seen)
        list(APPEND seen ${link})
        list(APPEND pending ${link})
      endif()
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(tessaform_check_layers)
  set(allowed_map)
  foreach(layer ${TESSAFORM_LAYERS})
    string(REPLACE "=" ";" pair ${layer})
    list(GET pair 0 folder)
    list(GET pair 1 library)
    if(NOT TARGET ${library})
      continue()
    endif()
    tessaform_link_closure(${library} closure)
    if(NOT folder STREQUAL "window" AND "Qt6::Widgets" IN_LIST closure)
      message(FATAL_ERROR "${library} links Qt Widgets; only the window may.")
    endif()
    set(allowed ${folder})
    foreach(other ${TESSAFORM_LAYERS})
      string(REPLACE "=" ";" other_pair ${other})
      list(GET other_pair 0 other_folder)
      list(GET other_pair 1 other_library)
      if(other_library IN_LIST closure)
        list(APPEND allowed ${other_folder})
      endif()
    endforeach()
    list(JOIN allowed "," allowed_text)
    list(APPEND allowed_map "${folder}:${allowed_text}")
  endforeach()
  list(JOIN allowed_map "|" allowed_map_text)
  add_test(NAME folders_include_only_what_they_link
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} "-DALLOWED=${allowed_map_text}"
            -P ${CMAKE_SOURCE_DIR}/cmake/CheckIncludes.cmake)
endfunction()
