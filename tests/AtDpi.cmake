# Runs PROGRAM in the test prefix on a screen of DPI dots per inch. Wine reads the screen's DPI
# when a process starts, so setting it for one program needs no prefix or wineserver of its own;
# it is set back to 96 afterwards, whatever the program did. A prefix serves one program at a
# time (one desktop each when programs run side by side), so no other program sees the changed DPI.
if(NOT DEFINED ENV{WINEPREFIX})
  message(FATAL_ERROR "WINEPREFIX names no test prefix")
endif()
function(set_dpi value)
  execute_process(COMMAND ${EMULATOR} reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d ${value} /f
                  OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "LogPixels could not be set to ${value}: ${rc} ${out}")
  endif()
endfunction()
set_dpi(${DPI})
set(ENV{VELMORA_DPI} ${DPI})
execute_process(COMMAND ${EMULATOR} ${PROGRAM} RESULT_VARIABLE rc)
set_dpi(96)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} at ${DPI} DPI: ${rc}")
endif()
