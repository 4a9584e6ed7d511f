# Makes the package from the built tree, as scripts/package does, and checks
# what a user gets from it: the Debian package unpacked into a scratch root
# (dpkg -x) runs its programs; the Windows ZIP unpacks into one folder with
# the programs and the README as Windows text.
#   cmake -DCPACK=... -DCONFIG=.../CPackConfig.cmake -DGENERATOR=DEB|ZIP -DWORK=DIR
#         -DVERSION=x.y.z -DSOURCE=DIR -DLICENSE=FILE|"" -DWITH_WINDOW=0|1 -P package_test.cmake

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    string(REPLACE ";" " " command "${ARGN}")
    message(FATAL_ERROR "${command} failed (${status}):\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

# Fails unless the folder holds exactly the expected files (relative paths).
function(expect_files folder)
  file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${folder} ${folder}/*)
  list(SORT found)
  set(expected ${ARGN})
  list(SORT expected)
  if(NOT found STREQUAL expected)
    string(REPLACE ";" "\n  " found "${found}")
    string(REPLACE ";" "\n  " expected "${expected}")
    message(FATAL_ERROR "The package holds\n  ${found}\nexpected\n  ${expected}")
  endif()
endfunction()

function(expect_equal what actual expected)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${what}: got \"${actual}\", expected \"${expected}\"")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
run(${CPACK} --config ${CONFIG} -G ${GENERATOR} -B ${WORK})

if(GENERATOR STREQUAL "DEB")
  run(dpkg --print-architecture)
  string(STRIP "${out}" arch)
  set(deb ${WORK}/korvanta_${VERSION}_${arch}.deb)
  if(NOT EXISTS ${deb})
    file(GLOB made ${WORK}/*.deb)
    message(FATAL_ERROR "No ${deb}; made: ${made}")
  endif()

  run(dpkg-deb --field ${deb} Package Version Architecture)
  expect_equal("Control fields" "${out}"
               "Package: korvanta\nVersion: ${VERSION}\nArchitecture: ${arch}\n")
  # The dependencies come from the linked libraries: a package without them
  # installs on a machine where the programs cannot start.
  run(dpkg-deb --field ${deb} Depends)
  set(needed "libc6 \\(" "libstdc\\+\\+6 \\(" "libfmt[0-9]+ \\(")
  if(WITH_WINDOW)
    list(APPEND needed "libqt6widgets6 \\(" "libqt6svg6 \\(")
  endif()
  foreach(library ${needed})
    if(NOT out MATCHES "(^|, )${library}")
      message(FATAL_ERROR "Depends lacks ${library}: ${out}")
    endif()
  endforeach()

  set(root ${WORK}/root)
  run(dpkg -x ${deb} ${root})
  set(files usr/bin/korvanta-cli usr/share/doc/korvanta/README.md)
  if(LICENSE)
    list(APPEND files usr/share/doc/korvanta/copyright)
  endif()
  if(WITH_WINDOW)
    list(APPEND files usr/bin/korvanta usr/share/applications/korvanta.desktop
         usr/share/icons/hicolor/scalable/apps/korvanta.svg)
  endif()
  expect_files(${root} ${files})
  if(LICENSE)
    # The licence by its SPDX name and whole, as Debian's tools read it.
    file(READ ${root}/usr/share/doc/korvanta/copyright copyright)
    foreach(line "License: MIT\n" "\n Copyright \\(c\\) 2026 The Korvanta authors\n"
                 "\n .\n Permission is hereby granted")
      if(NOT copyright MATCHES "${line}")
        message(FATAL_ERROR "The copyright file lacks \"${line}\":\n${copyright}")
      endif()
    endforeach()
  endif()

  run(${root}/usr/bin/korvanta-cli --version)
  expect_equal("korvanta-cli --version" "${out}" "korvanta-cli ${VERSION}\n")
  if(WITH_WINDOW)
    set(ENV{QT_QPA_PLATFORM} offscreen)
    run(${root}/usr/bin/korvanta --version)
    expect_equal("korvanta --version" "${out}" "korvanta ${VERSION}\n")
  endif()

elseif(GENERATOR STREQUAL "ZIP")
  set(top korvanta-${VERSION}-win64)
  set(zip ${WORK}/${top}.zip)
  if(NOT EXISTS ${zip})
    file(GLOB made ${WORK}/*.zip)
    message(FATAL_ERROR "No ${zip}; made: ${made}")
  endif()
  set(unpacked ${WORK}/unpacked)
  file(MAKE_DIRECTORY ${unpacked})
  run(${CMAKE_COMMAND} -E chdir ${unpacked} ${CMAKE_COMMAND} -E tar xf ${zip})

  # Everything in one folder, so unpacking it anywhere sprays no files.
  set(files ${top}/korvanta-cli.exe ${top}/README.txt)
  if(LICENSE)
    list(APPEND files ${top}/LICENSE.txt)
  endif()
  if(WITH_WINDOW)
    list(APPEND files ${top}/korvanta.exe)
  endif()
  expect_files(${unpacked} ${files})

  file(READ ${unpacked}/${top}/korvanta-cli.exe magic LIMIT 2 HEX)
  expect_equal("korvanta-cli.exe starts" "${magic}" "4d5a")

  # The README is the project's README, byte for byte, with every line ended
  # by CR LF. (file(READ) drops a CR before LF, so the files compare in hex.)
  set(texts README.txt ${SOURCE}/README.md)
  if(LICENSE)
    list(APPEND texts LICENSE.txt ${LICENSE})
  endif()
  while(texts)
    list(POP_FRONT texts name original)
    file(READ ${unpacked}/${top}/${name} actual HEX)
    file(READ ${original} expected)
    string(REPLACE "\n" "\r\n" expected "${expected}")
    string(HEX "${expected}" expected)
    expect_equal("${name} in hex" "${actual}" "${expected}")
  endwhile()

else()
  message(FATAL_ERROR "No check for the generator ${GENERATOR}")
endif()
