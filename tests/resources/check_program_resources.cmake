# Fails unless the Windows program PROGRAM carries, as read by OBJDUMP from its resource section:
# icon group 1 (which the window class loads) with its icon images, version record 1 and
# manifest 1.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAM} failed")
endif()
string(REGEX REPLACE "^.*The \\.rsrc Resource Directory section:\n" "" dump "${dump}")
string(REGEX REPLACE "\n\n.*$" "" dump "${dump}")

# "type:name" for every resource; types and names by number, in hexadecimal.
string(REPLACE "\n" ";" lines "${dump}")
set(resources "")
foreach(line IN LISTS lines)
  if(line MATCHES "^[0-9a-f]+   Entry: ID: 0x0*([0-9a-f]+),")
    set(type ${CMAKE_MATCH_1})
  elseif(line MATCHES "^[0-9a-f]+     Entry: ID: 0x0*([0-9a-f]+),")
    list(APPEND resources "${type}:${CMAKE_MATCH_1}")
  endif()
endforeach()

set(problems "")
foreach(wanted "e:1" "10:1" "18:1")  # RT_GROUP_ICON, RT_VERSION, RT_MANIFEST
  if(NOT wanted IN_LIST resources)
    string(APPEND problems " ${wanted}")
  endif()
endforeach()
list(FILTER resources INCLUDE REGEX "^3:")  # RT_ICON: the group's images
list(LENGTH resources images)
if(images LESS 4)
  string(APPEND problems " (only ${images} icon images)")
endif()
if(problems)
  message(FATAL_ERROR "${PROGRAM} lacks resources (type:name, hexadecimal):${problems}")
endif()
message(STATUS "${PROGRAM}: icon group with ${images} images, version record, manifest")
