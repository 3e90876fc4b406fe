# The network services and the adapter list. Loopback only:
kv_add_test(kv_network_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/NetworkTest.cpp LIBS kv_os)
# Inside namespaces of the tests' own (the test LAN and small ones):
if(WIN32)
  return()
endif()
kv_add_test(kv_network_netlab_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/NetworkNetlabTest.cpp
            LIBS kv_os kv_netlab LABELS netlab)
