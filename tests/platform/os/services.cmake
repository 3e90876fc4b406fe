# Files, profile, process, HTTP and clock services.
kv_add_test(os_services_tests SOURCES FilesServicesTest.cpp HttpServicesTest.cpp ClockServicesTest.cpp
                                    CodePageTest.cpp
            LIBS kv_os)
kv_add_test(os_profile_tests SOURCES ProfileTest.cpp LIBS kv_os)
# The writer the profile test ends in the middle of its writes (Windows).
add_executable(os_profile_writer_child ProfileWriterChild.cpp)
target_link_libraries(os_profile_writer_child PRIVATE kv_os)
add_dependencies(os_profile_tests os_profile_writer_child)

# The child the process tests start; it lands beside the test programs.
add_executable(os_process_test_child ProcessTestChild.cpp)
kv_add_test(os_process_tests SOURCES ProcessTest.cpp LIBS kv_os)
add_dependencies(os_process_tests os_process_test_child)

# Where config.ini lives on Linux.
if(NOT WIN32)
  kv_add_test(os_config_path_tests SOURCES ConfigPathTest.cpp LIBS kv_os)
endif()
