# The archive format walker, and the packer end to end.
ov_host_test(archive_format_test
  archive_format_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/common/archive_builder.cpp
  ${CMAKE_SOURCE_DIR}/archive/ArchiveFormat.cpp)
target_link_libraries(archive_format_test PRIVATE z)

ov_host_test(ovpack_test
  ovpack_blocks_test.cpp
  ovpack_list_verify_test.cpp
  ovpack_test.cpp
  ovpack_support.cpp
  ovpack_support_posix.cpp
  ${CMAKE_SOURCE_DIR}/tests/common/archive_builder.cpp)
target_link_libraries(ovpack_test PRIVATE ovpack_core util)
target_compile_definitions(ovpack_test PRIVATE OVPACK_PATH="$<TARGET_FILE:ovpack>")
add_dependencies(ovpack_test ovpack)
