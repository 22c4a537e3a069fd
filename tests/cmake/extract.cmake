ov_windows_test(extract_test extract_test.cpp)
