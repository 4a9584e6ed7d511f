# korvanta-cli.exe against a real registry under Wine: the FS2004 folder is
# filed the way its 32-bit installer does, and `convert` without folder
# options must find it and the documents folder by itself; `folders` finds
# FSX Steam Edition filed for the user.
# Run with WINEPREFIX set to PREFIX; CLI, ROUTE and WORK (a scratch folder).

set(fs9 ${PREFIX}/drive_c/Games/FS9)
file(REMOVE_RECURSE ${fs9} ${WORK})
file(MAKE_DIRECTORY ${fs9} ${WORK})
file(GLOB old_plans "${PREFIX}/drive_c/users/*/Documents/Flight Simulator Files")
if(old_plans)
  file(REMOVE_RECURSE ${old_plans})
endif()

# (Called directly: a value ending in a backslash must not pass through a
# CMake list, where it would escape the separator.)
execute_process(COMMAND wine reg add
                        "HKLM\\Software\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0"
                        /v "EXE Path" /t REG_SZ /d "C:\\Games\\FS9\\" /reg:32 /f
                RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "wine reg add: ${status}\n${err}")
endif()
# The program folder is the executable's: a copy in the scratch folder, so
# that the build folder gets no settings or route files.
file(COPY ${CLI} DESTINATION ${WORK})
get_filename_component(cli_name ${CLI} NAME)
execute_process(COMMAND wine ${WORK}/${cli_name} convert --targets fs2004 ${ROUTE}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
execute_process(COMMAND wineserver -w)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "convert: ${status}\n${out}\n${err}")
endif()

file(GLOB plans "${PREFIX}/drive_c/users/*/Documents/Flight Simulator Files/*")
file(GLOB routes "${fs9}/routes/*")
set(expected_plan "IFR ALPHA_INTL to BETA FIELD.pln")
list(LENGTH plans plan_count)
if(NOT plan_count EQUAL 1 OR NOT plans MATCHES "/${expected_plan}$")
  message(FATAL_ERROR "expected \"${expected_plan}\" in the documents folder, found: ${plans}")
endif()
if(NOT routes MATCHES "/EAAAEBBB.rts$")
  message(FATAL_ERROR "expected EAAAEBBB.rts in C:\\Games\\FS9\\routes, found: ${routes}")
endif()
file(READ ${ROUTE} route_text)
file(READ ${routes} copy_text)
if(NOT route_text STREQUAL copy_text)
  message(FATAL_ERROR "the route copy differs from the route text")
endif()
message(STATUS "plan: ${plans}\nroute copy: ${routes}")

# FSX Steam Edition, filed for the user: `folders --sim fsx` finds it when the
# boxed FSX is absent.
set(fsx_steam ${PREFIX}/drive_c/Games/FSX-SE)
file(MAKE_DIRECTORY ${fsx_steam})
execute_process(COMMAND wine reg add
                        "HKCU\\Software\\Microsoft\\Microsoft Games\\Flight Simulator - Steam Edition\\10.0"
                        /v "AppPath" /t REG_SZ /d "C:\\Games\\FSX-SE\\" /f
                RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "wine reg add: ${status}\n${err}")
endif()
execute_process(COMMAND wine ${WORK}/${cli_name} folders --sim fsx
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
execute_process(COMMAND wineserver -w)
string(FIND "${out}" "FSX folder: C:\\Games\\FSX-SE (registry, exists)" found)
if(NOT status EQUAL 0 OR found EQUAL -1)
  message(FATAL_ERROR "folders: ${status}, no FSX Steam Edition folder in:\n${out}\n${err}")
endif()
