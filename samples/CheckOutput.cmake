# Runs a sample under the emulator and compares what it prints with its transcript:
#   cmake -DEMULATOR=... -DEXPECTED=<file> -DCOMMAND=<program;args...> -P CheckOutput.cmake
execute_process(COMMAND ${EMULATOR} ${COMMAND} OUTPUT_VARIABLE output RESULT_VARIABLE rc)
string(REPLACE "\r" "" output "${output}")
file(READ "${EXPECTED}" expected)
if(NOT rc EQUAL 0 OR NOT output STREQUAL expected)
  message(FATAL_ERROR "exit code ${rc}; printed:\n${output}\nexpected:\n${expected}")
endif()
