# The string class's core natively, under the sanitizers, with the same test
# sources that also run under Wine against the launcher's library.
ov_host_test(string_core_test
  ${CMAKE_SOURCE_DIR}/tests/string_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/string_ops_test.cpp)
target_link_libraries(string_core_test PRIVATE string_core)
# The test counts allocations with its own operator new over malloc.
target_compile_options(string_core_test PRIVATE -Wno-mismatched-new-delete)
