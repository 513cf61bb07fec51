# add_type_library(<target> <idl>): compiles the IDL with widl into <name>.tlb and <name>_h.h
# in the current binary directory; <target> is a custom target the resource compile depends on.
# widl when cross-building (the toolchain files name it), MIDL with Visual Studio.
function(add_type_library target idl)
  get_filename_component(name ${idl} NAME_WE)
  set(tlb ${CMAKE_CURRENT_BINARY_DIR}/${name}.tlb)
  set(hdr ${CMAKE_CURRENT_BINARY_DIR}/${name}_h.h)
  set(iid ${CMAKE_CURRENT_BINARY_DIR}/${name}_i.c)
  if(WIDL)
    # Wine's IDL headers and stdole2.tlb stand in for the Windows SDK's.
    set(widl_flags -I /usr/include/wine/wine/windows -L ${WINE_STDOLE_DIR})
    add_custom_command(
      OUTPUT ${tlb} ${hdr} ${iid}
      COMMAND ${WIDL} ${widl_flags} -t -o ${tlb} ${CMAKE_CURRENT_SOURCE_DIR}/${idl}
      COMMAND ${WIDL} ${widl_flags} -h -o ${hdr} ${CMAKE_CURRENT_SOURCE_DIR}/${idl}
      COMMAND ${WIDL} ${widl_flags} -u -o ${iid} ${CMAKE_CURRENT_SOURCE_DIR}/${idl}
      DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${idl}
      COMMENT "widl ${idl}")
  else()
    # MIDL of the Windows SDK writes all three in one run.
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
      set(midl_env x64)
    else()
      set(midl_env win32)
    endif()
    add_custom_command(
      OUTPUT ${tlb} ${hdr} ${iid}
      COMMAND midl /nologo /env ${midl_env} /out ${CMAKE_CURRENT_BINARY_DIR} /tlb ${name}.tlb /h ${name}_h.h
              /iid ${name}_i.c ${CMAKE_CURRENT_SOURCE_DIR}/${idl}
      DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${idl}
      COMMENT "midl ${idl}")
  endif()
  add_custom_target(${target} DEPENDS ${tlb} ${hdr} ${iid})
endfunction()

# add_com_server(<target> <idl> <rc> <def> sources...): an in-proc server DLL whose resource
# script <rc> embeds the type library compiled from <idl>; its exports are named in <def>.
function(add_com_server target idl rc def)
  get_filename_component(name ${idl} NAME_WE)
  add_type_library(${target}_tlb ${idl})
  add_library(${target} SHARED ${ARGN} ${rc} ${def} ${CMAKE_CURRENT_BINARY_DIR}/${name}_i.c)
  add_dependencies(${target} ${target}_tlb)
  set_target_properties(${target} PROPERTIES PREFIX "")
  target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_BINARY_DIR})
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${name}.tlb)
  set_property(SOURCE ${rc} APPEND PROPERTY INCLUDE_DIRECTORIES ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
