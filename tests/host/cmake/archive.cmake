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
target_compile_definitions(ovpack_test PRIVATE OVPACK_PATH="$<TARGET_FILE:ovpack>" OV_STUB="${CMAKE_CURRENT_BINARY_DIR}/stub.exe")
add_dependencies(ovpack_test ovpack ovpack_stub)

# The stand-in for the bare launcher that ovpack launcher writes into, here
# and under Wine: a program that only exits, with the launcher's resources,
# linked as the launcher is, so its relocations follow its resources.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/stub.c "int main(void) { return 0; }\n")
add_custom_command(OUTPUT stub.exe
  COMMAND i686-w64-mingw32-windres -I${CMAKE_SOURCE_DIR}/resources ${CMAKE_SOURCE_DIR}/resources/launcher.rc stub-rc.o
  COMMAND i686-w64-mingw32-gcc -s -o stub.exe stub.c stub-rc.o
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/launcher.rc)
add_custom_target(ovpack_stub DEPENDS stub.exe)
