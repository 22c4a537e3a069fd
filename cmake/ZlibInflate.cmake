# zlib for the launchers: inflate of zlib streams and nothing else.  The
# launcher reads only zlib streams (Adler-32).  Debian's static library is
# built for gzip too and for speed: its inflate carries the gzip header code
# and calls into CRC-32, comes whole per file, and has unwind tables.  This
# build of the same sources leaves gzip out (NO_GZIP), is made for size,
# with one section per function (the shared settings) so the linker drops
# what nothing calls, and without unwind tables: nothing is thrown through
# zlib (the launcher gives it no callbacks; allocation is zlib's default).
#
# The sources are the zlib that Debian ships inside binutils-source (Debian
# has no binary package of zlib's own sources), unpacked once into the
# build tree.  The test programs keep Debian's whole library: they deflate too.

file(GLOB ov_binutils_tarball /usr/src/binutils/binutils-*.tar.xz)
list(LENGTH ov_binutils_tarball ov_count)
if(NOT ov_count EQUAL 1)
  message(FATAL_ERROR "zlib's sources: expected one /usr/src/binutils/binutils-*.tar.xz "
                      "(Debian package binutils-source, tools/install-deps.sh), found: ${ov_binutils_tarball}")
endif()
set(ov_zlib_files inflate.c inffast.c inftrees.c adler32.c zutil.c
    zlib.h zconf.h zutil.h gzguts.h inflate.h inffast.h inftrees.h inffixed.h)
set(ov_zlib_root ${CMAKE_BINARY_DIR}/zlib-inflate)
set(ov_zlib_stamp ${ov_zlib_root}/unpacked-from)
set(ov_zlib_unpack "${ov_binutils_tarball}: ${ov_zlib_files}")
if(EXISTS ${ov_zlib_stamp})
  file(READ ${ov_zlib_stamp} ov_zlib_unpacked)
endif()
if(NOT ov_zlib_unpacked STREQUAL ov_zlib_unpack)
  file(REMOVE_RECURSE ${ov_zlib_root})
  file(MAKE_DIRECTORY ${ov_zlib_root})
  list(TRANSFORM ov_zlib_files PREPEND "*/zlib/" OUTPUT_VARIABLE ov_patterns)
  # tar, not CMake's own extraction: the tarball holds some of these names
  # twice, the second as a hard link to the first.
  execute_process(COMMAND tar -xJf ${ov_binutils_tarball} -C ${ov_zlib_root} --wildcards ${ov_patterns}
    RESULT_VARIABLE ov_result)
  if(NOT ov_result EQUAL 0)
    message(FATAL_ERROR "could not unpack zlib's sources from ${ov_binutils_tarball}")
  endif()
  file(WRITE ${ov_zlib_stamp} "${ov_zlib_unpack}")
endif()
file(GLOB ov_zlib_dir LIST_DIRECTORIES true ${ov_zlib_root}/*/zlib)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ov_binutils_tarball})

list(FILTER ov_zlib_files INCLUDE REGEX "\\.c$")
list(TRANSFORM ov_zlib_files PREPEND ${ov_zlib_dir}/)
add_library(ov_zlib_inflate STATIC ${ov_zlib_files})
target_compile_definitions(ov_zlib_inflate PRIVATE NO_GZIP)
target_compile_options(ov_zlib_inflate PRIVATE -Os -fno-asynchronous-unwind-tables -w)
# The launcher's code sees these headers, not Debian's of another version.
target_include_directories(ov_zlib_inflate BEFORE PUBLIC ${ov_zlib_dir})
