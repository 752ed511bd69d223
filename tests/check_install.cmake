# Fails when a program may load libraries from a folder other than an absolute one, in the build
# tree (every executable in BUILT, separated by "|") or once installed (BUILD_DIR installed into
# PREFIX): an empty run path entry is the current directory, a relative one and $ORIGIN lie
# where the program or its data may be. Also fails, when DESKTOP_ENTRY is true (a build with the
# window), unless the installed desktop entry starts the program by its absolute path.
set(problems "")

function(check_run_paths file)
  execute_process(COMMAND ${READELF} -d "${file}" OUTPUT_VARIABLE dynamic ERROR_QUIET
                  RESULT_VARIABLE failed)
  if(failed)
    return()  # not an ELF file
  endif()
  string(REGEX MATCHALL "Library (runpath|rpath): \\[[^]\n]*\\]" entries "${dynamic}")
  foreach(entry IN LISTS entries)
    string(REGEX REPLACE "^[^[]*\\[(.*)\\]$" "\\1" path_list "${entry}")
    # An empty entry ("a::b", or a ":" at either end) counts as one that is not absolute.
    string(REPLACE ":" ";" paths "${path_list}")
    foreach(path IN LISTS paths)
      if(NOT path MATCHES "^/")
        set(problems "${problems}\n  ${file}: run path entry \"${path}\" in [${path_list}]"
            PARENT_SCOPE)
        return()
      endif()
    endforeach()
  endforeach()
endfunction()

string(REPLACE "|" ";" built "${BUILT}")
foreach(file IN LISTS built)
  if(NOT EXISTS "${file}")
    set(problems "${problems}\n  ${file} is not built")
  endif()
  check_run_paths("${file}")
endforeach()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cmake --install into ${PREFIX} failed")
endif()
file(GLOB_RECURSE installed LIST_DIRECTORIES false "${PREFIX}/*")
foreach(file IN LISTS installed)
  check_run_paths("${file}")
endforeach()

file(GLOB entries "${PREFIX}/share/applications/*.desktop")
foreach(entry IN LISTS entries)
  file(STRINGS "${entry}" exec REGEX "^Exec=")
  if(NOT exec MATCHES "^Exec=/[^ ]*/torvane( |$)")
    set(problems "${problems}\n  ${entry}: \"${exec}\" does not name the program's absolute path")
  endif()
endforeach()
if(DESKTOP_ENTRY AND NOT entries)
  set(problems "${problems}\n  no desktop entry installed under ${PREFIX}/share/applications")
endif()

file(REMOVE_RECURSE "${PREFIX}")
if(problems)
  message(FATAL_ERROR "${problems}")
endif()
list(LENGTH built built_count)
list(LENGTH installed installed_count)
message(STATUS "${built_count} built and ${installed_count} installed files checked")
