# The packer's own tests again, under Wine against ovpack.exe: the Windows
# packer must take, refuse and write exactly what the native one does.
set(ov_packer_tests ${CMAKE_SOURCE_DIR}/tests/host)
ov_windows_test(ovpack_test
  ${ov_packer_tests}/ovpack_blocks_test.cpp
  ${ov_packer_tests}/ovpack_list_verify_test.cpp
  ${ov_packer_tests}/ovpack_test.cpp
  ${ov_packer_tests}/ovpack_support.cpp
  ${ov_packer_tests}/ovpack_support_win32.cpp
  ${CMAKE_SOURCE_DIR}/tests/common/archive_builder.cpp)
target_include_directories(ovpack_test PRIVATE ${ov_packer_tests})
target_link_libraries(ovpack_test PRIVATE ovpack_core)
target_compile_definitions(ovpack_test PRIVATE OVPACK_PATH="$<TARGET_FILE:ovpack>"
  OV_STUB="${OV_HOST_BUILD}/tests/host/stub.exe")
add_dependencies(ovpack_test ovpack)
