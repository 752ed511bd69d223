# Runs the built torvane-batch as a user would, through EMULATOR (Wine) for a Windows build: a
# folder with a Chinese name as an argument, the summary on standard output with its CR LF intact,
# messages on standard error, and the exit statuses. The folder is named relative to the working
# folder, which Wine maps to a Windows path.
file(REMOVE_RECURSE "${WORK}")
set(folder "${WORK}/数据")
file(MAKE_DIRECTORY "${folder}")
file(WRITE "${folder}/2.txt" "x\ty\r\n1\t5\r\n2\t9\r\n3\t-4")
file(WRITE "${folder}/样品.txt" "x\ty\r\n2\t7\r\n")

# Runs the program; `out` is its standard output in hexadecimal, `err` its standard error.
function(run expected_status)
  execute_process(COMMAND ${EMULATOR} "${PROGRAM}" ${ARGN} WORKING_DIRECTORY "${WORK}"
                  OUTPUT_FILE "${WORK}/out" ERROR_VARIABLE err RESULT_VARIABLE status)
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "${ARGN}: exit status ${status}, not ${expected_status}\n${err}")
  endif()
  file(READ "${WORK}/out" out HEX)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect what got wanted)
  if(NOT got STREQUAL wanted)
    message(FATAL_ERROR "${what}:\n[${got}]\nnot\n[${wanted}]")
  endif()
endfunction()

run(0 数据 --from 1 --to 3 --heading 1 --encoding utf-8 -o -)
# 样品 <TAB> 2 <TAB> 7 <CR LF> 2 <TAB> 2 <TAB> 9 <CR LF>, in UTF-8
expect("summary" "${out}" "e6a0b7e59381093209370d0a32093209390d0a")
expect("messages" "${err}" "")

run(0 数据 --from 1 --to 3 --heading 1 --valley)
file(READ "${WORK}/1-3.txt" summary HEX)
expect("summary file" "${summary}" "d1f9c6b7093209370d0a320933092d340d0a")

run(1 数据 --from 1 --to 3 --heading 3)
if(NOT err MATCHES "^torvane-batch: [^\n]*数据.样品.txt: 第 3 行：文件只有 2 行，不够忽略前 3 行\n$")
  message(FATAL_ERROR "failure message: [${err}]")
endif()

run(64 数据 --from 1)
run(0 --version)
message(STATUS "1 passed, 0 failed")
