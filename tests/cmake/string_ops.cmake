ov_windows_test(string_ops_test string_ops_test.cpp)

# The export list is checked against the class in the library and against
# the built launcher.
ov_windows_test(exports_test exports_test.cpp)
target_compile_definitions(exports_test PRIVATE
  OV_LAUNCHER_EXE="$<TARGET_FILE:ZAZezor>"
  OV_ORVANE_LIB="$<TARGET_FILE:orvane>"
  OV_EXPORTS_DEF="${CMAKE_SOURCE_DIR}/launcher/ZAZezor.def")
add_dependencies(exports_test ZAZezor)
