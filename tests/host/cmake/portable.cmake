ov_host_test(portable_test
  estimate_test.cpp
  command_line_test.cpp
  ${CMAKE_SOURCE_DIR}/string/FormatEstimate.cpp
  ${CMAKE_SOURCE_DIR}/launcher/CommandLine.cpp)
