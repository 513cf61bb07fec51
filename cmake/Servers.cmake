# velmora_register_server(<target>): a server DLL the test prefix must have registered. Every
# DLL named here, from any directory, is listed (one path a line) in ${CMAKE_BINARY_DIR}/servers.txt,
# written once at the end of the configuration; the register_servers test fixture reads it.
function(velmora_register_server target)
  set_property(GLOBAL APPEND PROPERTY VELMORA_SERVERS ${target})
endfunction()

function(_velmora_write_server_list)
  get_property(servers GLOBAL PROPERTY VELMORA_SERVERS)
  set(content "")
  foreach(server IN LISTS servers)
    string(APPEND content "$<TARGET_FILE:${server}>\n")
  endforeach()
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/servers.txt CONTENT "${content}")
endfunction()

cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _velmora_write_server_list)
