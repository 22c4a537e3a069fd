# The string class's core natively: all of it but the formatting and the
# code-page conversions, which use the Windows runtime (tested under Wine).
add_library(string_core STATIC
  ${CMAKE_SOURCE_DIR}/string/QlString.cpp
  ${CMAKE_SOURCE_DIR}/string/QlStringCompare.cpp
  ${CMAKE_SOURCE_DIR}/string/QlStringExtract.cpp
  ${CMAKE_SOURCE_DIR}/string/QlStringModify.cpp
  ${CMAKE_SOURCE_DIR}/string/QlStringSplice.cpp)
target_include_directories(string_core PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(string_core PRIVATE -include ${CMAKE_SOURCE_DIR}/tests/host/msvcrt_names.h)

# The launcher's portable rules.
ov_host_test(portable_test
  estimate_test.cpp
  command_line_test.cpp
  script_text_test.cpp
  code_pages_test.cpp
  ${CMAKE_SOURCE_DIR}/string/FormatEstimate.cpp)
target_link_libraries(portable_test PRIVATE launcher_rules string_core)
