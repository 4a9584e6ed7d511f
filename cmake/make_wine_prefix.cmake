# A fresh Wine prefix for one test run: the old one (and its server) gone,
# then `wineboot -i`. Run with WINEPREFIX and HOME set to PREFIX and HOME_DIR.
execute_process(COMMAND wineserver -k OUTPUT_QUIET ERROR_QUIET)
file(REMOVE_RECURSE ${PREFIX} ${HOME_DIR})
file(MAKE_DIRECTORY ${HOME_DIR})
execute_process(COMMAND wineboot -i RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "wineboot -i failed (${status})")
endif()
