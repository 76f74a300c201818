# Packs the icon's PNG sizes drawn by this build into an .ico and compares it
# with the one kept for the Windows build. To renew the kept file after a
# change to the SVG, copy OUT over KEPT.
string(REPLACE "|" ";" PNGS "${PNGS}")
execute_process(COMMAND ${PYTHON3} ${PACKER} ${OUT} ${PNGS} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "make_ico.py failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${KEPT} RESULT_VARIABLE same)
if(NOT same EQUAL 0)
  message(FATAL_ERROR "${KEPT} is not what the SVG gives now; copy ${OUT} over it")
endif()
message(STATUS "the Windows icon is the SVG's drawing")
