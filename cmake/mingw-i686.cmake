# Cross-compiles for 32-bit Windows with MinGW-w64 (mingw-x86_64.cmake: for
# 64-bit Windows).  The posix thread model is the one GoogleTest builds
# with; everything links statically so the programs import nothing but
# system DLLs.
if(NOT ov_mingw_processor)
  set(ov_mingw_processor i686)
endif()
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ov_mingw_processor})

set(CMAKE_C_COMPILER   ${ov_mingw_processor}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${ov_mingw_processor}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER  ${ov_mingw_processor}-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ov_mingw_processor}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
