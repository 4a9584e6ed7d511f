# The tests of a Windows build, run as Windows programs under Wine: a fresh
# Wine prefix in the build folder is made once per test run (a fixture), and
# each test program starts once for all its cases (a Wine start costs a
# second or more), in one shard per core.
set(wine_prefix ${CMAKE_BINARY_DIR}/wineprefix)
# The prefix's own home, so that its documents folder is not linked to the
# documents of the user running the tests.
set(wine_home ${CMAKE_BINARY_DIR}/wine-home)
set(wine_env "WINEPREFIX=${wine_prefix}" "HOME=${wine_home}" "WINEDEBUG=-all"
    "WINEDLLOVERRIDES=mscoree,mshtml=")

add_test(NAME wine_prefix COMMAND ${CMAKE_COMMAND} -DPREFIX=${wine_prefix} -DHOME_DIR=${wine_home}
         -P ${CMAKE_SOURCE_DIR}/cmake/make_wine_prefix.cmake)
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix ENVIRONMENT "${wine_env}")

set(shards 2)
math(EXPR last_shard "${shards} - 1")
foreach(shard RANGE ${last_shard})
  add_test(NAME korvanta_tests_${shard} COMMAND korvanta_tests)
  set_tests_properties(korvanta_tests_${shard} PROPERTIES
    FIXTURES_REQUIRED wine_prefix
    ENVIRONMENT "${wine_env};GTEST_TOTAL_SHARDS=${shards};GTEST_SHARD_INDEX=${shard}")
endforeach()

# korvanta-cli against a real registry: the FS2004 folder filed the way its
# 32-bit installer does, and the plan and route copy found from it.
add_test(NAME registry_cli COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:korvanta-cli>
         -DPREFIX=${wine_prefix} -DROUTE=${CMAKE_CURRENT_SOURCE_DIR}/data/example_route.txt
         -DWORK=${CMAKE_CURRENT_BINARY_DIR}/registry_cli
         -P ${CMAKE_CURRENT_SOURCE_DIR}/registry_cli_test.cmake)
set_tests_properties(registry_cli PROPERTIES FIXTURES_REQUIRED wine_prefix RUN_SERIAL ON
                     ENVIRONMENT "${wine_env}")
