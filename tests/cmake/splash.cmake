# The splash: its bitmap toolkit and dialog in a program that carries the
# launcher's own resources, and the resources of the built launcher.
ov_windows_test(splash_test
  splash_test.cpp
  dib_test.cpp
  splash_resources_test.cpp
  splash_support.cpp
  ${CMAKE_SOURCE_DIR}/resources/launcher.rc)
target_compile_definitions(splash_test PRIVATE
  OV_LAUNCHER_EXE="$<TARGET_FILE:ZAZezor>"
  OV_SPLASH_BMP="${CMAKE_SOURCE_DIR}/resources/splash.bmp"
  OV_ORVANE_ICO="${CMAKE_SOURCE_DIR}/resources/orvane.ico")
add_dependencies(splash_test ZAZezor)

set_tests_properties(splash_test PROPERTIES ENVIRONMENT "LANG=en_US.UTF-8;LC_ALL=en_US.UTF-8")

# Shows the splash until told to stop, for make screenshot.
add_executable(splash_show splash_show.cpp splash_support.cpp ${CMAKE_SOURCE_DIR}/resources/launcher.rc)
target_link_libraries(splash_show PRIVATE orvane winharness)
