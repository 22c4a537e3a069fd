# End-to-end tests of launcher executables; they find the programs and the
# demo payload through these paths.
set(ov_launcher_paths
  OV_LAUNCHER_EXE="$<TARGET_FILE:ZAZezor>"
  OV_STAMPED_LAUNCHER_EXE="${CMAKE_BINARY_DIR}/ZAZezorStamped.exe"
  OV_BARE_LAUNCHER_EXE="$<TARGET_FILE:ZAZezorBare>"
  OV_STANDIN_EXE="$<TARGET_FILE:Bootlace>"
  OV_DEMO_PAYLOAD="${CMAKE_BINARY_DIR}/payload/demo"
  OV_DEMO_ARCHIVES="${CMAKE_BINARY_DIR}/payload/ZAZezor-payload")

ov_windows_test(launcher_test launcher_test.cpp)
target_compile_definitions(launcher_test PRIVATE ${ov_launcher_paths})
add_dependencies(launcher_test ZAZezor ZAZezorBare Bootlace)

ov_windows_test(payload_test payload_test.cpp)
target_compile_definitions(payload_test PRIVATE ${ov_launcher_paths})
add_dependencies(payload_test ZAZezor ZAZezorBare ZAZezorStamped Bootlace)
set_tests_properties(payload_test PROPERTIES FIXTURES_REQUIRED small_drives)

# A DLL that marks it was loaded, planted beside launchers under test.
add_library(planted SHARED planted/Planted.cpp)
set_target_properties(planted PROPERTIES PREFIX "")
target_compile_definitions(payload_test PRIVATE OV_PLANTED_DLL="$<TARGET_FILE:planted>")
add_dependencies(payload_test planted)

# Too little space, once per language of the catalogue.  Wine takes the
# language from LC_ALL (these machines may have no such locale installed),
# and a program's children keep it.
ov_windows_test_program(low_space_test low_space_test.cpp)
target_compile_definitions(low_space_test PRIVATE ${ov_launcher_paths})
add_dependencies(low_space_test ZAZezor)
foreach(row "en_US 0409" "de_DE 0407" "fr_CA 0C0C" "it_CH 0810")
  string(REGEX MATCHALL "[^ ]+" fields "${row}")
  list(GET fields 0 locale)
  list(GET fields 1 langid)
  set(test low_space_test_${locale})
  add_test(NAME ${test} COMMAND low_space_test)
  set_tests_properties(${test} PROPERTIES TIMEOUT 120 FIXTURES_REQUIRED small_drives
    ENVIRONMENT "LANG=${locale}.UTF-8;LC_ALL=${locale}.UTF-8;OV_EXPECT_LANGID=${langid}")
endforeach()

# Real users' machines: names outside the code pages, launchers sharing one
# temporary folder (with a native squatter from the host build), and
# hostile payloads and temporary folders.
foreach(test foreign_names_test shared_temp_test hostile_payload_test)
  ov_windows_test(${test} ${test}.cpp)
  target_compile_definitions(${test} PRIVATE ${ov_launcher_paths}
    OV_SQUATTER="${OV_HOST_BUILD}/tests/host/squatter")
  add_dependencies(${test} ZAZezorBare Bootlace)
endforeach()

# The launcher on systems of other code pages, for users of other languages
# (the locales as for the catalogue: tests/cmake/catalogue.cmake).
ov_windows_test_program(code_page_test code_page_test.cpp)
target_compile_definitions(code_page_test PRIVATE ${ov_launcher_paths})
add_dependencies(code_page_test ZAZezorBare Bootlace)
foreach(row "1252  LANG=fr_FR.UTF-8,LC_ALL=fr_FR.UTF-8    2"
            "932   LANG=de_DE.UTF-8,LC_CTYPE=ja_JP.UTF-8  3"
            "65001 LANG=fr_FR.UTF-8,LC_CTYPE=hi_IN.UTF-8  2")
  string(REGEX MATCHALL "[^ ]+" f "${row}")
  list(GET f 0 codepage)
  list(GET f 1 environment)
  list(GET f 2 column)
  ov_locale_test(code_page_test_${codepage} code_page_test ${environment}
    OV_EXPECT_ACP=${codepage} OV_EXPECT_COLUMN=${column})
endforeach()
# Runs on a window station nobody sees, with the small drives.  Wine traces
# a program's event log and dialogs to its standard error, which the
# launchers it starts share: the test reads their traces from OV_TRACE.
ov_windows_test_program(unattended_test unattended_test.cpp)
target_compile_definitions(unattended_test PRIVATE ${ov_launcher_paths})
add_dependencies(unattended_test ZAZezorBare Bootlace)
set(ov_trace ${CMAKE_CURRENT_BINARY_DIR}/unattended-trace.txt)
add_test(NAME unattended_test COMMAND sh -c "exec \"$@\" 2>\"${ov_trace}\"" sh
  ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:unattended_test>)
set_tests_properties(unattended_test PROPERTIES TIMEOUT 300 FIXTURES_REQUIRED small_drives
  ENVIRONMENT OV_TRACE=${ov_trace})

# The run's steps in process, with the demo payload as the test program's
# own resources.
ov_windows_test(run_test run_test.cpp)
ov_embed_payload(run_test ${CMAKE_BINARY_DIR}/payload/demo DEPENDS ${CMAKE_BINARY_DIR}/payload/demo.stamp)
add_dependencies(run_test ZAZezor)
# The test replaces operator new over malloc.
target_compile_options(run_test PRIVATE -Wno-mismatched-new-delete)

# The failure report's pieces and unique names, with the Windows API.
ov_windows_test(report_test report_test.cpp)
