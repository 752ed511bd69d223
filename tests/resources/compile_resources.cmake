# Compiles the resource script SCRIPT into the .res file OUTPUT with the MinGW resource compiler
# WINDRES, resolving the files it names in FOLDER. A failed compile leaves no OUTPUT behind.
file(REMOVE "${OUTPUT}")
# The compiler's default preprocessor is the MinGW gcc; the host's cpp serves as well.
execute_process(COMMAND "${WINDRES}" --preprocessor=cpp -I "${FOLDER}" -i "${SCRIPT}" -O res
                        -o "${OUTPUT}"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE "${OUTPUT}")
  message(FATAL_ERROR "windres failed: ${result}")
endif()
