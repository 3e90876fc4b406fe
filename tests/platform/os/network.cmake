# The network services and the adapter list. Loopback only:
kv_add_test(kv_network_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/NetworkTest.cpp LIBS kv_os)
# Inside namespaces of the tests' own (the test LAN and small ones):
if(WIN32)
  # Under Wine: the script makes the LAN and runs the probe in it.
  add_executable(kv_wine_lan_probe ${CMAKE_CURRENT_LIST_DIR}/WineLanProbe.cpp)
  target_link_libraries(kv_wine_lan_probe PRIVATE kv_os)
  add_test(NAME kv_network_wine_netlab_test
           COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-lan-test.sh $<TARGET_FILE:kv_wine_lan_probe>)
  set_tests_properties(kv_network_wine_netlab_test PROPERTIES
    LABELS netlab SKIP_RETURN_CODE 77 TIMEOUT 120)
  return()
endif()
kv_add_test(kv_network_netlab_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/NetworkNetlabTest.cpp
            LIBS kv_os kv_netlab LABELS netlab)
