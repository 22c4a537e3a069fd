# Release builds end to end.  release_build runs make launcher (and make,
# make demo) in the build folder that holds this tree, as a product team
# would; release_check runs what it made under Wine.
get_filename_component(ov_build_folder ${CMAKE_BINARY_DIR} DIRECTORY)
set(ov_release_work ${CMAKE_CURRENT_BINARY_DIR}/release)
add_test(NAME release_build COMMAND ${ov_windows_only} sh ${CMAKE_SOURCE_DIR}/tests/release/release-build.sh
  ${CMAKE_SOURCE_DIR} ${ov_build_folder} ${ov_release_work})
set_tests_properties(release_build PROPERTIES TIMEOUT 900 FIXTURES_SETUP release_launchers)

ov_windows_test(release_check release_check.cpp)
target_link_libraries(release_check PRIVATE version)
target_compile_definitions(release_check PRIVATE
  OV_RELEASE_WORK="${ov_release_work}"
  OV_LAUNCHER_EXE="$<TARGET_FILE:ZAZezor>"
  OV_DEFAULT_VERSION="${ov_default_VERSION}"
  OV_DEFAULT_COPYRIGHT="${ov_default_COPYRIGHT}")
add_dependencies(release_check ZAZezor Bootlace)
set_tests_properties(release_check PROPERTIES FIXTURES_REQUIRED release_launchers)
