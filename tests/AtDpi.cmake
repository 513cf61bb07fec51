# Runs PROGRAM in the test prefix on a screen of DPI dots per inch. Wine reads the screen's DPI
# when a process starts, so setting it for one program needs no prefix or wineserver of its own;
# it is set back to 96 afterwards, whatever the program did. ctest runs the suite's programs one
# after another, so no other program sees the changed DPI.
if(NOT DEFINED ENV{WINEPREFIX})
  message(FATAL_ERROR "WINEPREFIX names no test prefix")
endif()
function(set_dpi value)
  execute_process(COMMAND ${EMULATOR} reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d ${value} /f
                  OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "LogPixels could not be set to ${value}: ${rc}")
  endif()
endfunction()
set_dpi(${DPI})
set(ENV{VELMORA_DPI} ${DPI})
execute_process(COMMAND ${EMULATOR} ${PROGRAM} RESULT_VARIABLE rc)
set_dpi(96)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} at ${DPI} DPI: ${rc}")
endif()
