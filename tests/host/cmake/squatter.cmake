# The native poller that end-to-end tests under Wine start to take names in
# a temporary folder the moment a launcher shows it needs them.
add_executable(squatter ${CMAKE_SOURCE_DIR}/tests/squatter/squatter.cpp)
target_include_directories(squatter PRIVATE ${CMAKE_SOURCE_DIR})
