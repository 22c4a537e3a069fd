# The launchers checked as built, natively and without running them, so on
# any build machine (make check): imports, resources and manifest; and the
# bare launcher's code, measured as make bench measures it, kept for make
# check to print.
set(ov_launcher_check python3 ${CMAKE_SOURCE_DIR}/tests/release/launcher_check.py)
add_test(NAME launcher_static COMMAND ${ov_launcher_check} $<TARGET_FILE:ZAZezor> ${ov_execution_level}
  ${CMAKE_BINARY_DIR}/payload/ZAZezor-payload)
add_test(NAME stamped_launcher_static COMMAND ${ov_launcher_check} ${CMAKE_BINARY_DIR}/ZAZezorStamped.exe
  requireAdministrator ${CMAKE_BINARY_DIR}/payload/ZAZezor-payload)
add_test(NAME bare_launcher_static COMMAND ${ov_launcher_check} $<TARGET_FILE:ZAZezorBare> ${ov_execution_level})
add_test(NAME bare_launcher_code_size COMMAND sh -c [=[sizes=$("$0" pe-sizes "$1") &&
  echo "the bare launcher, $(basename "$1"), in bytes: $sizes" >"$2" && cat "$2"]=]
  ${OV_HOST_BUILD}/bench/ovbenchgen $<TARGET_FILE:ZAZezorBare> ${CMAKE_BINARY_DIR}/bare-launcher-size.txt)
set_tests_properties(launcher_static stamped_launcher_static bare_launcher_static bare_launcher_code_size
  PROPERTIES LABELS static)
