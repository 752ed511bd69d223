# Runs the built torvane-batch as a user would, through EMULATOR (Wine) for a Windows build: a
# folder with a Chinese name as an argument, the summary on standard output with its CR LF intact,
# messages on standard error in Chinese, the exit statuses, and a folder whose path is longer than
# the 260 characters of Windows' old limit. The folder is named relative to the working folder,
# which Wine maps to a Windows path.
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

run(0 数据 --from 1 --to 3 --heading 1 --encoding gbk -o -)
expect("summary in GBK" "${out}" "d1f9c6b7093209370d0a32093209390d0a")

# Refusals: status 64, nothing written, and no English once the options are taken out.
set(hint "用法：torvane-batch 文件夹 --from A --to B [选项]，详见 torvane-batch --help\n")
foreach(case "--heading;1.5" "--heading;40000;--keep-going" "--from;3" "--to;1/2" "--headin;1"
        "--bogus" "-j;0" "--peak;--valley" "--to")
  run(64 数据 --from 5 --to 5 -o refused.txt ${case})
  string(LENGTH "${err}" size)
  string(LENGTH "${hint}" hint_size)
  math(EXPR size "${size} - ${hint_size}")
  string(SUBSTRING "${err}" ${size} -1 tail)
  string(SUBSTRING "${err}" 0 ${size} words)
  string(REGEX REPLACE "torvane-batch|--?[a-z][-a-z=0-9]*" "" words "${words}")
  if(words MATCHES "[A-Za-z]" OR NOT tail STREQUAL hint OR EXISTS "${WORK}/refused.txt")
    message(FATAL_ERROR "${case}: [${err}]")
  endif()
endforeach()
run(64 数据 --from 1010 --to 990)
expect("reversed range" "${err}" "torvane-batch: --from 1010 --to 990：横坐标范围的起点大于终点\n${hint}")
run(64 --headin 1 数据 --from 1 --to 3)
expect("near miss" "${err}"
       "torvane-batch: 命令行有误：不认识的选项 --headin。您是不是要输入 --heading？\n${hint}")
run(1 数据/2.txt --from 1 --to 3)
expect("not a folder" "${err}" "torvane-batch: 数据/2.txt: 不是文件夹\n")
if(EXISTS "${WORK}/1010-990.txt")
  message(FATAL_ERROR "a refused run wrote its summary")
endif()

# Over 300 characters relative to the working folder, so more than 260 in any absolute form.
set(long "数据")
foreach(level RANGE 1 5)
  string(APPEND long "/folder-${level}-with-a-name-long-enough-to-take-the-path-past-the-limit")
endforeach()
file(MAKE_DIRECTORY "${WORK}/${long}")
file(COPY "${folder}/2.txt" DESTINATION "${WORK}/${long}")
run(0 "${long}" --from 1 --to 3 --heading 1 -o -)
expect("summary of a long folder" "${out}" "32093209390d0a")
if(EMULATOR)
  file(STRINGS "${PROGRAM}" aware REGEX "<longPathAware[^>]*>true</longPathAware>")
  if(NOT aware)
    message(FATAL_ERROR "the program's manifest does not say longPathAware")
  endif()
endif()

run(0 --version)
message(STATUS "1 passed, 0 failed")
