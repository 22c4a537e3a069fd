ov_host_test(dib_format_test
  dib_format_test.cpp
  ${CMAKE_SOURCE_DIR}/splash/DibFormat.cpp)
