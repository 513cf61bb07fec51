# Runs PROGRAM in a Wine prefix of its own whose screen has DPI dots per inch: made once beside
# the test prefix (WINEPREFIX), with our servers registered in it at every run as there.
if(NOT DEFINED ENV{WINEPREFIX})
  message(FATAL_ERROR "WINEPREFIX names no test prefix")
endif()
set(ENV{WINEPREFIX} "$ENV{WINEPREFIX}-dpi${DPI}")
if(NOT EXISTS "$ENV{WINEPREFIX}/system.reg")
  execute_process(COMMAND ${EMULATOR} wineboot -i OUTPUT_QUIET ERROR_QUIET)
  # Unmanaged windows, as in the test prefix: no wait for a window manager.
  execute_process(COMMAND ${EMULATOR} reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f OUTPUT_QUIET)
endif()
execute_process(COMMAND ${EMULATOR} reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d ${DPI} /f
                OUTPUT_QUIET RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "LogPixels could not be set: ${rc}")
endif()
include(${CMAKE_CURRENT_LIST_DIR}/RegisterServers.cmake)
execute_process(COMMAND ${EMULATOR} ${PROGRAM} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} at ${DPI} DPI: ${rc}")
endif()
