# Settings for every Windows target.

add_compile_options(-Wall -Wextra -ffunction-sections -fdata-sections)
add_compile_definitions(WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0501)
add_link_options(-static -Wl,--gc-sections)

# ld prefers libz.dll.a over libz.a; name the archive itself.
find_library(ZLIB_STATIC NAMES libz.a REQUIRED)

# Test programs run under Wine; CTest calls them through the emulator.  The
# display and the prefix come from tools/wine-session.sh.
set(OV_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "Wine prefix of the tests")
set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${OV_WINEPREFIX} WINEARCH=win32 WINEDEBUG=-all wine)

# GoogleTest, built from Debian's sources for Windows.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -w)
target_compile_options(gtest_main PRIVATE -w)

include(${CMAKE_CURRENT_LIST_DIR}/Payload.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/Release.cmake)
