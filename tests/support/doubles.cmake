# Test doubles of the platform services: they answer and record, and open, show or start nothing.
# Tests that hand a window or a dialog its services link this; the product never does. The
# benchmarks include this file too, as they may be built without the tests.
set(doubles memory_config_store recording_program_launcher recording_url_opener scripted_message_box
    scripted_save_dialog)
list(TRANSFORM doubles PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
list(TRANSFORM doubles APPEND .cpp OUTPUT_VARIABLE double_sources)
list(TRANSFORM doubles APPEND .h OUTPUT_VARIABLE double_headers)
add_library(serialix_test_doubles STATIC ${double_sources} ${double_headers})
target_include_directories(serialix_test_doubles PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(serialix_test_doubles PUBLIC serialix_services PRIVATE serialix_files)
serialix_warnings(serialix_test_doubles)
