# A data folder with a planted DLL under the name of every library that torvane.exe,
# torvane-batch.exe or Windows' own DLLs working for them load by name and that is not a Known DLL
# (so Windows would look for it in the program's folder first). Each plant is a marker DLL that
# leaves "<name>.dll.loaded" when it runs. Wine is told to prefer a DLL it finds over its own for
# those names, as Windows does. The window is used as usual (the folder browser opened and
# cancelled, a batch run, closed), the command runs once, and no marker may have run.
#
#   cmake -DEMULATOR=... -DWINDOW=torvane.exe -DBATCH=torvane-batch.exe -DMARKER=marker.dll
#         -DDRIVER=loader_test_driver.exe -DWORK=folder -P loader_test.cmake
set(planted_names
    # loaded by the window under Wine (WINEDEBUG=+loaddll lists them), Wine's own helpers of
    # user32 and gdi32 among them
    comctl32 msimg32 shcore ucrtbase uxtheme version win32u zlib1
    # loaded by the window and the shell's folder browser on Windows
    cryptbase dwmapi explorerframe oleacc profapi propsys sspicli uiautomationcore userenv
    windowscodecs wtsapi32)

file(REMOVE_RECURSE "${WORK}")
set(folder "${WORK}/数据")
file(MAKE_DIRECTORY "${folder}" "${WORK}/control")
file(COPY "${WINDOW}" "${BATCH}" DESTINATION "${folder}")
foreach(name IN LISTS planted_names)
  file(COPY_FILE "${MARKER}" "${folder}/${name}.dll")
endforeach()
file(COPY_FILE "${MARKER}" "${WORK}/control/version.dll")
file(COPY "${DRIVER}" DESTINATION "${WORK}/control")
file(WRITE "${folder}/1.txt" "1\t5\r\n2\t9\r\n3\t-4\r\n")

list(JOIN planted_names "," names)
set(ENV{WINEDLLOVERRIDES} "${names}=n,b")

# The planted DLLs that have run so far.
function(planted_that_ran out)
  file(GLOB ran RELATIVE "${folder}" "${folder}/*.loaded")
  list(TRANSFORM ran REPLACE "\\.loaded$" "")
  set(${out} "${ran}" PARENT_SCOPE)
endfunction()

# Fails, naming first the planted DLLs that ran, the likely cause of any other failure.
function(fail why)
  planted_that_ran(ran)
  if(ran)
    set(why "planted DLLs ran inside the programs: ${ran}\n${why}")
  endif()
  message(FATAL_ERROR "${why}")
endfunction()

# Paths relative to WORK, which Wine maps to a Windows path.
function(run what)
  execute_process(COMMAND ${EMULATOR} ${ARGN} WORKING_DIRECTORY "${WORK}"
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    fail("${what}: exit status ${status}\n${out}\n${err}")
  endif()
endfunction()

# The plants are loaded where the program's folder is searched first.
get_filename_component(driver "${DRIVER}" NAME)
run("control" control/${driver} --load version.dll)
if(NOT EXISTS "${WORK}/control/version.dll.loaded")
  message(FATAL_ERROR "a DLL planted beside a program that loads it by name did not run: "
                      "the test cannot see a planted DLL")
endif()

get_filename_component(window "${WINDOW}" NAME)
get_filename_component(batch "${BATCH}" NAME)
run("the window" control/${driver} 数据/${window} 数据)
execute_process(COMMAND ${EMULATOR} ${batch} . --from 1 --to 3 -o -
                WORKING_DIRECTORY "${folder}" OUTPUT_VARIABLE out ERROR_VARIABLE err
                RESULT_VARIABLE status)
string(FIND "\n${out}" "\n1\t2\t9\n" at)  # the output's CR LF reaches a variable as LF
if(NOT status EQUAL 0 OR at EQUAL -1)
  fail("${batch}: exit status ${status}\n[${out}]\n${err}")
endif()
file(READ "${folder}/1-3.txt" summary HEX)
if(NOT summary STREQUAL "31093209390d0a")  # 1 <TAB> 2 <TAB> 9 <CR LF>
  fail("the window's summary: ${summary}")
endif()
planted_that_ran(ran)
if(ran)
  fail("")
endif()
message(STATUS "no planted DLL ran")
