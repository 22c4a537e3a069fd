# Settings for every Windows target.

add_compile_options(-Wall -Wextra -ffunction-sections -fdata-sections)
add_compile_definitions(WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0501)
add_link_options(-static -Wl,--gc-sections)

# ld prefers libz.dll.a over libz.a; name the archive itself.
find_library(ZLIB_STATIC NAMES libz.a REQUIRED)
include(${CMAKE_CURRENT_LIST_DIR}/ZlibInflate.cmake)

# The launchers link their own build of the library (orvane's sources), made
# for size: link-time optimisation over it and their own code, and no
# run-time type information (nothing asks for a type at run time; what is
# thrown still carries its own).  The test programs link the plain build:
# MinGW's linker refuses LTO objects beside the test code's own copies of
# the same inline functions and type information.
add_library(orvane_launcher STATIC $<TARGET_PROPERTY:orvane,SOURCES>)
target_include_directories(orvane_launcher PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(orvane_launcher PUBLIC ov_zlib_inflate)
target_compile_options(orvane_launcher PUBLIC -flto -fno-rtti)
target_link_options(orvane_launcher INTERFACE -flto)
# LTO keeps only what the code itself refers to, and the linker does not
# tell it about the names the export list asks for: it would drop their
# code and export address 0.  Every exported name is also marked as
# referenced from outside.
set(ov_export_list ${CMAKE_SOURCE_DIR}/launcher/ZAZezor.def)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ov_export_list})
file(STRINGS ${ov_export_list} ov_exports REGEX "^[ \t]+_Z")
list(TRANSFORM ov_exports STRIP)
# i686 symbols carry one more underscore than the names; x86_64 ones do not.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(ov_symbol_prefix _)
endif()
list(TRANSFORM ov_exports PREPEND "LINKER:--undefined=${ov_symbol_prefix}")
target_link_options(orvane_launcher INTERFACE ${ov_exports})

# Test programs run under Wine, in a prefix of the tree's width; CTest calls
# them through the emulator, which skips them, saying why, where no Windows
# program can run (tools/windows-test.sh).  The display comes from
# tools/wine-session.sh, which reads the width from wine-arch.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(ov_winearch win32)
else()
  set(ov_winearch win64)
endif()
file(WRITE ${CMAKE_BINARY_DIR}/wine-arch ${ov_winearch})
set(OV_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "Wine prefix of the tests")
set(ov_windows_only sh ${CMAKE_SOURCE_DIR}/tools/windows-test.sh)
set(CMAKE_CROSSCOMPILING_EMULATOR ${ov_windows_only}
  env WINEPREFIX=${OV_WINEPREFIX} WINEARCH=${ov_winearch} WINEDEBUG=-all wine)

# GoogleTest, built from Debian's sources for Windows.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -w)
target_compile_options(gtest_main PRIVATE -w)

include(${CMAKE_CURRENT_LIST_DIR}/Payload.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/Release.cmake)
