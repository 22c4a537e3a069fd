ov_host_test(catalogue_test
  catalogue_test.cpp
  ${CMAKE_SOURCE_DIR}/launcher/MessageLanguage.cpp
  ${CMAKE_SOURCE_DIR}/launcher/MessageLookup.cpp
  ${CMAKE_SOURCE_DIR}/launcher/MessageTable.cpp)
