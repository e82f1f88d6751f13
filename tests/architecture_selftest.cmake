# Proves that the check of the layers fails where it must: it is run on
# small trees made here, each broken in one way, and on one that is sound.
#
#   cmake -DCHECK=<architecture_test.cmake> -DWORK=<scratch folder> -P architecture_selftest.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")

# A sound tree: a model header, a view source on it, a library each.
function(make_tree root)
  file(WRITE "${root}/model/game.h" "#pragma once\n#include \"files/bytes.h\"\n")
  file(WRITE "${root}/model/game.cpp" "#include \"model/game.h\"\n")
  file(WRITE "${root}/files/bytes.h" "#pragma once\n")
  file(WRITE "${root}/view/board.cpp" "#include \"model/game.h\"\n#include \"view/board.h\"\n")
  file(WRITE "${root}/view/board.h" "#pragma once\n")
  file(WRITE "${root}/model/CMakeLists.txt" "add_library(tesselo_model STATIC game.cpp)\n")
  file(WRITE "${root}/view/CMakeLists.txt"
       "add_library(tesselo_view STATIC board.cpp)\ntarget_link_libraries(tesselo_view PUBLIC tesselo_model Qt6::Widgets)\n")
endfunction()

set(failures)
function(expect name passes)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${WORK}/${name} -P ${CHECK}
                  RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE said)
  if(passes AND NOT result EQUAL 0)
    set(failures "${failures}\n  ${name}: refused a sound tree: ${said}" PARENT_SCOPE)
  elseif(NOT passes AND result EQUAL 0)
    set(failures "${failures}\n  ${name}: passed" PARENT_SCOPE)
  endif()
endfunction()

make_tree("${WORK}/sound")
expect(sound TRUE)

make_tree("${WORK}/upward-include")
file(APPEND "${WORK}/upward-include/model/game.cpp" "#include \"view/board.h\"\n")
expect(upward-include FALSE)

make_tree("${WORK}/unplaced-folder")
file(WRITE "${WORK}/unplaced-folder/gadgets/widget.h" "#pragma once\n")
expect(unplaced-folder FALSE)

make_tree("${WORK}/include-of-an-unplaced-folder")
file(APPEND "${WORK}/include-of-an-unplaced-folder/model/game.cpp" "#include \"gadgets/widget.h\"\n")
expect(include-of-an-unplaced-folder FALSE)

make_tree("${WORK}/upward-link")
file(APPEND "${WORK}/upward-link/model/CMakeLists.txt" "target_link_libraries(tesselo_model PUBLIC tesselo_view)\n")
expect(upward-link FALSE)

make_tree("${WORK}/seventeen-pairs")
foreach(i RANGE 1 16)
  file(WRITE "${WORK}/seventeen-pairs/model/part${i}.h" "#pragma once\n")
  file(WRITE "${WORK}/seventeen-pairs/model/part${i}.cpp" "#include \"model/part${i}.h\"\n")
endforeach()
expect(seventeen-pairs FALSE)
# Sixteen pairs, and headers without a source beside them, are one job.
make_tree("${WORK}/sixteen-pairs")
foreach(i RANGE 1 15)
  file(WRITE "${WORK}/sixteen-pairs/model/part${i}.h" "#pragma once\n")
  file(WRITE "${WORK}/sixteen-pairs/model/part${i}.cpp" "#include \"model/part${i}.h\"\n")
  file(WRITE "${WORK}/sixteen-pairs/model/value${i}.h" "#pragma once\n")
endforeach()
expect(sixteen-pairs TRUE)

if(failures)
  message(FATAL_ERROR "architecture check:${failures}")
endif()
message(STATUS "architecture check: every broken tree refused, the sound ones passed")
