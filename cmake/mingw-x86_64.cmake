# Cross-compiles for 64-bit Windows with MinGW-w64: the settings of the
# 32-bit tree, with the x86_64 tools.
set(ov_mingw_processor x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
