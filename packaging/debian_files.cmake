# Run by CPack on its staging tree just before it builds the Debian
# package: adds what Debian asks of every package and what a plain
# cmake --install has no business writing. gzip -9n is Debian's way:
# the best compression, no file name or time stamp in the header.
set(usr "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(doc "${usr}/share/doc/${CPACK_PACKAGE_NAME}")

function(gzip_to from to)
  execute_process(COMMAND gzip -9nc "${from}" OUTPUT_FILE "${to}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot compress ${from}")
  endif()
  file(CHMOD "${to}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endfunction()

file(MAKE_DIRECTORY "${doc}")
file(COPY_FILE "${CPACK_TESSELO_COPYRIGHT}" "${doc}/copyright")
file(CHMOD "${doc}/copyright" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
gzip_to("${CPACK_TESSELO_CHANGELOG}" "${doc}/changelog.gz")

file(GLOB manPages "${usr}/${CPACK_TESSELO_MANDIR}/man*/*")
foreach(page IN LISTS manPages)
  gzip_to("${page}" "${page}.gz")
  file(REMOVE "${page}")
endforeach()

# Debian keeps games' commands in /usr/games, which is on every player's
# PATH there. It sits beside bin, so the launcher's paths relative to its
# own folder still lead to the game and its files.
file(MAKE_DIRECTORY "${usr}/games")
file(RENAME "${usr}/bin/tesselo" "${usr}/games/tesselo")
file(GLOB others "${usr}/bin/*")
if(NOT others)
  file(REMOVE_RECURSE "${usr}/bin")
endif()
