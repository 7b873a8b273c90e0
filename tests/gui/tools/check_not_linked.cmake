# Fails when the desktop program names Qt Multimedia or Qt Network among the libraries the
# loader opens at start: they, and the twenty-odd libraries behind them, belong in the
# multimedia module, loaded on the first sound or video.
#   cmake -DPROGRAM=path/to/cardwise -P check_not_linked.cmake
find_program(READELF readelf)
if(NOT READELF)
  message("SKIPPED: readelf is not installed")
  return()
endif()
execute_process(COMMAND ${READELF} -d ${PROGRAM} OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "readelf -d ${PROGRAM} failed")
endif()
string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*" needed "${dynamic}")
if(NOT needed)
  message(FATAL_ERROR "no NEEDED entries found in ${PROGRAM}")
endif()
foreach(entry IN LISTS needed)
  if(entry MATCHES "libQt6(Multimedia|MultimediaWidgets|Network)\\.")
    message(FATAL_ERROR "${PROGRAM} links ${entry}")
  endif()
endforeach()
list(LENGTH needed count)
message("${count} libraries needed, none of them Qt Multimedia or Qt Network")
