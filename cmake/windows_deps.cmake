# The libraries of a Windows build, from Debian's Linux packages: {fmt} and
# CLI11 as headers only (the Linux libfmt.so cannot be linked), GoogleTest
# compiled from Debian's sources with the cross compiler. The headers are
# reached through links in the build folder, so that the cross compiler never
# sees the rest of the Linux /usr/include.
set(KORVANTA_WINDOWS_INCLUDE ${CMAKE_BINARY_DIR}/windows-include)
file(MAKE_DIRECTORY ${KORVANTA_WINDOWS_INCLUDE})
foreach(dir fmt CLI)
  file(CREATE_LINK /usr/include/${dir} ${KORVANTA_WINDOWS_INCLUDE}/${dir} SYMBOLIC)
endforeach()

add_library(fmt::fmt INTERFACE IMPORTED)
target_include_directories(fmt::fmt SYSTEM INTERFACE ${KORVANTA_WINDOWS_INCLUDE})
target_compile_definitions(fmt::fmt INTERFACE FMT_HEADER_ONLY)
add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${KORVANTA_WINDOWS_INCLUDE})

if(KORVANTA_TESTS)
  set(gtest_src /usr/src/googletest/googletest)
  add_library(korvanta_gtest STATIC ${gtest_src}/src/gtest-all.cc)
  target_include_directories(korvanta_gtest SYSTEM PUBLIC ${gtest_src}/include)
  target_include_directories(korvanta_gtest PRIVATE ${gtest_src})
  add_library(korvanta_gtest_main STATIC ${gtest_src}/src/gtest_main.cc)
  target_link_libraries(korvanta_gtest_main PUBLIC korvanta_gtest)
  add_library(GTest::gtest ALIAS korvanta_gtest)
  add_library(GTest::gtest_main ALIAS korvanta_gtest_main)
endif()
