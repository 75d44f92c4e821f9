# Copies the shipped files (packs, Bitmaps/, Textures/, the first-start settings) beside the program.
# A file the player may have changed (settings, progress, the custom pack) is never overwritten.
file(GLOB_RECURSE shipped RELATIVE ${SOURCE} ${SOURCE}/*)
foreach(item ${shipped})
  if(item MATCHES "^packs/")      # pack sources; the built .zdb files are placed by the pack tool
    continue()
  endif()
  if(item MATCHES "^desktop/")    # the desktop entry, installed to the desktop's own folders
    continue()
  endif()
  set(target ${DEST}/${item})
  if(item MATCHES "\\.(cfg|sdb)$" OR item STREQUAL "custom.zdb")
    if(EXISTS ${target})
      continue()
    endif()
  endif()
  get_filename_component(folder ${target} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  file(COPY_FILE ${SOURCE}/${item} ${target} ONLY_IF_DIFFERENT)
endforeach()
