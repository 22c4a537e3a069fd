# The front door (Makefile, tools/) on faked machines: a package mirror in
# the middle of a sync, a kernel that runs no 32-bit programs.
foreach(test install_deps_test wine_ready_test)
  add_test(NAME host_${test} COMMAND sh ${CMAKE_SOURCE_DIR}/tests/host/${test}.sh ${CMAKE_SOURCE_DIR})
  set_tests_properties(host_${test} PROPERTIES LABELS native)
endforeach()
