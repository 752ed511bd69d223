# Delay-loaded DLLs for MinGW-w64 builds. A DLL linked through a delay-import library is loaded
# by the first call into it, not by Windows' loader as the program starts, so it is looked for
# the way the program has set by then (see runtime/library_search_win.h) and not in the
# program's own folder, which is first in the search made at start-up.
#
#   include(${PROJECT_SOURCE_DIR}/cmake/delayimp.cmake)
#   torvane_delay_load(<target> <PUBLIC|PRIVATE|INTERFACE> <dll>...)
#
# links <target> against delay-import libraries made from the toolchain's own import libraries
# (lib<dll>.a), every function of the DLL included. List them before anything that links the
# ordinary import library of the same DLL. Data exports cannot be delay-loaded.

function(torvane_delay_load target scope)
  set(folder ${CMAKE_BINARY_DIR}/delayimp)
  file(MAKE_DIRECTORY ${folder})
  foreach(dll IN LISTS ARGN)
    set(delay_lib ${folder}/lib${dll}_delay.a)
    if(NOT EXISTS ${delay_lib})
      find_library(TORVANE_IMPORT_LIB_${dll} NAMES ${dll} REQUIRED)
      execute_process(COMMAND ${CMAKE_NM} -g ${TORVANE_IMPORT_LIB_${dll}}
                      OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
      # Each function of an import library has an import thunk `__imp_<name>`.
      string(REGEX MATCHALL " I __imp_[A-Za-z0-9_@?$]+" thunks "${symbols}")
      list(TRANSFORM thunks REPLACE "^ I __imp_" "")
      list(REMOVE_DUPLICATES thunks)
      list(JOIN thunks "\n" exports)
      file(WRITE ${folder}/${dll}.def "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
      execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${folder}/${dll}.def
                              --dllname ${dll}.dll --output-delaylib ${delay_lib}.part
                      COMMAND_ERROR_IS_FATAL ANY)
      file(RENAME ${delay_lib}.part ${delay_lib})
    endif()
    target_link_libraries(${target} ${scope} ${delay_lib})
  endforeach()
endfunction()
