ov_windows_test(string_test string_test.cpp format_test.cpp)
# The test counts allocations with its own operator new over malloc.
target_compile_options(string_test PRIVATE -Wno-mismatched-new-delete)
