# Embedding a payload in a launcher executable.  The packer comes from the
# host build.

set(OV_HOST_BUILD "" CACHE PATH "The host build (packer, native tests)")
set(OVPACK "${OV_HOST_BUILD}/tools/ovpack/ovpack")

# Packs payload_dir (see tools/pack-payload.sh) and adds the archives to
# target's resources.  Extra DEPENDS name files or targets that make the
# payload folder (a staging step).
function(ov_embed_payload target payload_dir)
  cmake_parse_arguments(arg "" "" "DEPENDS" ${ARGN})
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${target}-payload)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-payload.rc)
  file(GLOB_RECURSE payload_files CONFIGURE_DEPENDS ${payload_dir}/*)
  add_custom_command(OUTPUT ${rc}
    COMMAND sh ${CMAKE_SOURCE_DIR}/tools/pack-payload.sh ${OVPACK} ${payload_dir} ${work} ${rc}
    DEPENDS ${payload_files} ${arg_DEPENDS} ${OVPACK} ${CMAKE_SOURCE_DIR}/tools/pack-payload.sh
    COMMENT "Packing the payload of ${target}")
  target_sources(${target} PRIVATE ${rc})
endfunction()
