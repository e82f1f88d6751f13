# Every language the game ships speaks in its desktop entry and metainfo
# too: a language added to translations/CMakeLists.txt without its lines
# there fails here, naming what is missing.
#
#   cmake -DLANGUAGES=de,fr -DDESKTOP=<entry> -DMETAINFO=<metainfo> -P languages_test.cmake
string(REPLACE "," ";" LANGUAGES "${LANGUAGES}")
file(READ "${DESKTOP}" desktop)
file(READ "${METAINFO}" metainfo)

function(count_matches text pattern out)
  string(REGEX MATCHALL "${pattern}" found "${text}")
  list(LENGTH found n)
  set(${out} ${n} PARENT_SCOPE)
endfunction()

set(missing)
foreach(language IN LISTS LANGUAGES)
  foreach(key GenericName Comment Keywords)
    if(NOT desktop MATCHES "\n${key}\\[${language}\\]=[^\n]")
      list(APPEND missing "${key}[${language}] in the desktop entry")
    endif()
  endforeach()
  # As many translated summaries, paragraphs and list items as English ones.
  foreach(tag summary p li)
    count_matches("${metainfo}" "<${tag}>" english)
    count_matches("${metainfo}" "<${tag} xml:lang=\"${language}\">" translated)
    if(NOT english EQUAL translated)
      list(APPEND missing "${english} <${tag} xml:lang=\"${language}\"> in the metainfo, not ${translated}")
    endif()
  endforeach()
endforeach()
if(missing)
  list(JOIN missing "\n  " lines)
  message(FATAL_ERROR "Missing translations:\n  ${lines}")
endif()
