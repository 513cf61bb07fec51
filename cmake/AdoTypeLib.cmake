# Wine's ADO (msado15) answers through IDispatch only when a type library of version 1.0 is
# registered for its library id: it asks for 1.0 while it registers its own as 2.8. Wine's own
# IDL of that library, compiled as version 1.0, is registered under the 1.0 key by
# ado-typelib.reg, which the test, demo and benchmark prefixes import (reg import).
set(ADO_IDL /usr/include/wine/wine/windows/msado15_backcompat.idl)
if(WIDL AND EXISTS ${ADO_IDL})
  set(ado_dir ${CMAKE_BINARY_DIR}/ado)
  file(READ ${ADO_IDL} ado_text)
  string(REPLACE "version(2.8)" "version(1.0)" ado_text "${ado_text}")
  file(WRITE ${ado_dir}/adodb10.idl "${ado_text}")
  # widl cannot write the defaults of enumerated arguments and says so for each; callers pass
  # every argument. Its messages go to a log, its failure still fails the build.
  add_custom_command(
    OUTPUT ${ado_dir}/adodb10.tlb
    COMMAND sh -c "${WIDL} -I /usr/include/wine/wine/windows -L ${WINE_STDOLE_DIR} -t -o adodb10.tlb adodb10.idl 2> widl.log"
    WORKING_DIRECTORY ${ado_dir}
    DEPENDS ${ado_dir}/adodb10.idl
    COMMENT "widl ADO type library 1.0"
    VERBATIM)
  add_custom_target(ado_typelib ALL DEPENDS ${ado_dir}/adodb10.tlb)
  string(REPLACE "/" "\\\\" ado_tlb_path "Z:${ado_dir}/adodb10.tlb")
  # widl writes the library for the platform it is built for.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(ado_platform win64)
  else()
    set(ado_platform win32)
  endif()
  set(ado_key "HKEY_CLASSES_ROOT\\TypeLib\\{2A75196C-D9EB-4129-B803-931327F72D5C}\\1.0")
  file(WRITE ${CMAKE_BINARY_DIR}/ado-typelib.reg
       "REGEDIT4\n\n"
       "[${ado_key}]\n@=\"Microsoft ActiveX Data Objects 1.0\"\n\n"
       "[${ado_key}\\0\\${ado_platform}]\n@=\"${ado_tlb_path}\"\n\n"
       "[${ado_key}\\FLAGS]\n@=\"0\"\n")
endif()
