ov_windows_test(launcher_test launcher_test.cpp)
target_compile_definitions(launcher_test PRIVATE
  OV_LAUNCHER_EXE="$<TARGET_FILE:ZAZezor>"
  OV_STANDIN_EXE="$<TARGET_FILE:Bootlace>")
add_dependencies(launcher_test ZAZezor Bootlace)
