# The layers of src/, checked from the sources themselves:
#
#   cmake -DSOURCE_DIR=<src> -P architecture_test.cmake
#
# Each folder is one job and stands on the folders below it in the order
# here, low to high. The check fails on
#   - a folder of sources that is not in the order (a new folder must be
#     placed before it is used),
#   - an #include of a folder above the including one, or of a folder that
#     is not in the order,
#   - a library linking the library of a folder above its own,
#   - a folder of more than kMaxPairs header/source pairs (two jobs).
# Since every include and every link points down or sideways within its own
# folder, no two folders can include each other.
cmake_minimum_required(VERSION 3.25)

set(kLayers
  files
  positions
  tables
  solver
  model
  pictures
  saved
  records
  services
  view
  animation
  charts
  app/dialogs
  app/input
  app/window
  app/program)
set(kMaxPairs 16)

if(NOT IS_DIRECTORY "${SOURCE_DIR}")
  message(FATAL_ERROR "architecture: no source folder \"${SOURCE_DIR}\"")
endif()

set(problems)

# The folder of a path relative to SOURCE_DIR, and its rank in the order
# (-1 when it has none).
function(rank_of folder out)
  list(FIND kLayers "${folder}" index)
  set(${out} ${index} PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
set(folders)
foreach(source IN LISTS sources)
  cmake_path(GET source PARENT_PATH folder)
  list(APPEND folders "${folder}")
endforeach()
list(REMOVE_DUPLICATES folders)

foreach(folder IN LISTS folders)
  rank_of("${folder}" rank)
  if(rank EQUAL -1)
    list(APPEND problems "the folder src/${folder} has no place among the layers (place it in ${CMAKE_CURRENT_LIST_FILE})")
    continue()
  endif()
  # Header/source pairs: names with both a .h and a .cpp.
  file(GLOB headers RELATIVE "${SOURCE_DIR}/${folder}" "${SOURCE_DIR}/${folder}/*.h")
  set(pairs 0)
  foreach(header IN LISTS headers)
    string(REGEX REPLACE "\\.h$" ".cpp" partner "${header}")
    if(EXISTS "${SOURCE_DIR}/${folder}/${partner}")
      math(EXPR pairs "${pairs} + 1")
    endif()
  endforeach()
  if(pairs GREATER kMaxPairs)
    list(APPEND problems "src/${folder} holds ${pairs} header/source pairs, more than ${kMaxPairs}: it does two jobs")
  endif()
endforeach()

foreach(source IN LISTS sources)
  cmake_path(GET source PARENT_PATH folder)
  rank_of("${folder}" rank)
  if(rank EQUAL -1)
    continue()
  endif()
  file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" included "${line}")
    cmake_path(GET included PARENT_PATH target)
    # A name without a folder is the including folder's own (or generated).
    if(target STREQUAL "")
      continue()
    endif()
    rank_of("${target}" targetRank)
    if(targetRank EQUAL -1)
      list(APPEND problems "src/${source} includes \"${included}\", of a folder that has no place among the layers")
    elseif(targetRank GREATER rank)
      list(APPEND problems "src/${source} includes \"${included}\": ${target} stands above ${folder}")
    endif()
  endforeach()
endforeach()

# The libraries: which folder makes each, and what each links.
file(GLOB_RECURSE lists RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*CMakeLists.txt")
set(libraries)
foreach(list IN LISTS lists)
  cmake_path(GET list PARENT_PATH folder)
  file(READ "${SOURCE_DIR}/${list}" text)
  string(REGEX MATCHALL "add_(library|executable)\\([a-z_0-9]+" made "${text}")
  foreach(entry IN LISTS made)
    string(REGEX REPLACE "^add_(library|executable)\\(" "" name "${entry}")
    set(folderOf_${name} "${folder}")
    list(APPEND libraries ${name})
  endforeach()
endforeach()
foreach(list IN LISTS lists)
  file(READ "${SOURCE_DIR}/${list}" text)
  string(REGEX MATCHALL "target_link_libraries\\([^)]*\\)" links "${text}")
  foreach(link IN LISTS links)
    string(REGEX REPLACE "^target_link_libraries\\(([a-z_0-9]+)[ \t\r\n]+(.*)\\)$" "\\1;\\2" parts "${link}")
    list(POP_FRONT parts linking)
    string(REGEX MATCHALL "[A-Za-z_0-9:]+" linked "${parts}")
    if(NOT DEFINED folderOf_${linking})
      continue()
    endif()
    rank_of("${folderOf_${linking}}" rank)
    foreach(name IN LISTS linked)
      if(NOT DEFINED folderOf_${name})
        continue() # Qt, SDL, SQLite: not ours
      endif()
      rank_of("${folderOf_${name}}" linkedRank)
      if(linkedRank GREATER rank)
        list(APPEND problems "${linking} (src/${folderOf_${linking}}) links ${name}, of src/${folderOf_${name}} above it")
      endif()
    endforeach()
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n  " shown)
  message(FATAL_ERROR "architecture: the layers are broken:\n  ${shown}")
endif()
list(LENGTH sources count)
list(JOIN kLayers " < " order)
message(STATUS "architecture: ${count} files in ${order}; every include and link points down")
