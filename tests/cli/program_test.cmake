# Runs the built torvane-batch as a user would, through EMULATOR (Wine) for a Windows build: a
# folder with a Chinese name as an argument, the summary on standard output with its CR LF intact,
# messages on standard error in Chinese (each refusal of a wrong command line word for word), the
# exit statuses, and a folder whose path is longer than the 260 characters of Windows' old limit.
# The folder is named relative to the working folder, which Wine maps to a Windows path.
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

# Refusals, before any file is read (the folder's one file would fail): status 64, the message in
# Chinese and the hint on standard error, nothing written. Each case: the options, "|", the message.
file(MAKE_DIRECTORY "${WORK}/拒绝")
file(WRITE "${WORK}/拒绝/1.txt" "")
set(hint "用法：torvane-batch 文件夹 --from A --to B [选项]，详见 torvane-batch --help\n")
foreach(case
    "--from 1 --to 2 --heading abc|--heading：忽略的行数“abc”不是 0 到 32767 的整数"
    "--from 1 --to 2 --heading -3|--heading：忽略的行数“-3”不是 0 到 32767 的整数"
    "--from 1 --to 2 --heading 1.5|--heading：忽略的行数“1.5”不是 0 到 32767 的整数"
    "--from 1 --to 2 --heading 32768 --keep-going|--heading：忽略的行数“32768”不是 0 到 32767 的整数"
    "--from x --to 2|--from：横坐标范围的起点“x”不是数字"
    "--from 1 --to 1/2 --keep-going|--to：横坐标范围的终点“1/2”不是数字"
    "--from 1010 --to 990|--from 1010 --to 990：横坐标范围的起点大于终点"
    "--from 1e1 --to 9.5 --keep-going|--from 1e1 --to 9.5：横坐标范围的起点大于终点"
    "--from 1 --to 2 -j 0|--jobs：同时读取的文件数“0”不是 1 到 256 的整数"
    "--from 1 --to 2 --format xml|--format：不认识的格式“xml”，可选 tsv、csv 或 json"
    "--from 1 --to 2 --encoding big5|--encoding：不认识的编码“big5”，可选 cp936（即 GBK）或 utf-8"
    "--from 1 --to 2 --format json --encoding GBK|--format json 总是写 UTF-8，不能与 --encoding gbk 同用"
    "--to 2|命令行有误：缺少 --from（横坐标范围的起点）"
    "--from 1 --to 2 --peak --valley|命令行有误：--peak 与 --valley 只能选一个"
    "--from 1 --to|命令行有误：--to 后面缺少值"
    "--from 1 --to 2 --from 3|命令行有误：--from 只能给一次"
    "--from 1 --to 2 x|命令行有误：多余的参数 x（只能给一个文件夹）"
    "--from 1 --to 2 -x|命令行有误：不认识的选项 -x"
    "--from 1 --to 2 --headin 1|命令行有误：不认识的选项 --headin。您是不是要输入 --heading？"
    "--from 1 --to 2 --heding=1|命令行有误：不认识的选项 --heding=1。您是不是要输入 --heading？"
    "--from 1 --to 2 --keepgoing|命令行有误：不认识的选项 --keepgoing。您是不是要输入 --keep-going？"
    "--from 1 --to 2 --report -|--report 不能写到标准输出（“-”），标准输出留给汇总"
    "--from 1 --to 2 --verbose|命令行有误：不认识的选项 --verbose")
  string(FIND "${case}" "|" bar)
  string(SUBSTRING "${case}" 0 ${bar} options)
  math(EXPR bar "${bar} + 1")
  string(SUBSTRING "${case}" ${bar} -1 message)
  separate_arguments(options UNIX_COMMAND "${options}")
  run(64 拒绝 ${options})
  expect("${options}" "${err}" "torvane-batch: ${message}\n${hint}")
  file(GLOB written "${WORK}/*.txt" "${WORK}/*.csv" "${WORK}/*.json")
  if(written)
    message(FATAL_ERROR "${options}: a refused run wrote ${written}")
  endif()
endforeach()
# The last values taken, next to the first refused above; a heading of 32767 lines is read.
file(WRITE "${WORK}/边界/1.txt" "h\r\n5\t1\r\n")
run(0 边界 --from 5 --to 5 --heading 01 -o - -j 256)
expect("heading 01, 256 jobs" "${out}" "31093509310d0a")
run(0 边界 --from -1e1 --to 5 --heading 0 -o - --format CSV --encoding UTF8)
expect("CSV, UTF8" "${out}" "66696c652c782c790d0a312c352c310d0a")
run(1 边界 --from 5 --to 5 --heading 32767)
if(NOT err MATCHES "不够忽略前 32767 行")
  message(FATAL_ERROR "heading 32767: [${err}]")
endif()

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

run(64 --headin 1 数据 --from 1 --to 3)
expect("near miss" "${err}"
       "torvane-batch: 命令行有误：不认识的选项 --headin。您是不是要输入 --heading？\n${hint}")
run(1 数据/2.txt --from 1 --to 3)
expect("not a folder" "${err}" "torvane-batch: 数据/2.txt: 不是文件夹\n")
run(1 数据/none --from 1 --to 3)
expect("no folder" "${err}" "torvane-batch: 数据/none: 找不到这个文件夹\n")

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

# A report with a note, a failed file and a name XML must escape is well-formed, as xmllint reads
# it; the bytes are the same on Windows.
file(WRITE "${WORK}/报告/样&'3'.txt" "x\ty\r\n1\t2\r\n")
file(WRITE "${WORK}/报告/2.txt" "x\ty\r\n7\t5\r\n")
file(WRITE "${WORK}/报告/4.txt" "")
run(2 报告 --from 1 --to 3 --heading 1 --keep-going --report 报告.html -o -)
if(NOT EMULATOR)
  execute_process(COMMAND xmllint --noout "${WORK}/报告.html" RESULT_VARIABLE status
                  ERROR_VARIABLE why)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the report is not well-formed (xmllint: ${status}): ${why}")
  endif()
endif()

# Help in Chinese, then in English; the version on a line of its own.
run(0 --help)
file(READ "${WORK}/out" help)
string(FIND "${help}" "用法：" chinese)
string(FIND "${help}" "Usage:" english)
if(chinese LESS 0 OR NOT chinese LESS english)
  message(FATAL_ERROR "help: [${help}]")
endif()
run(0 --version)
file(READ "${WORK}/out" version)
if(NOT version MATCHES "^torvane-batch 1\\.[^\n]*\n$")
  message(FATAL_ERROR "version: [${version}]")
endif()
message(STATUS "1 passed, 0 failed")
