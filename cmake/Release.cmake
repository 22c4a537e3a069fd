# What every launcher carries for a release: the version resource, the
# application manifest, and an image that depends on nothing but its
# inputs: no build paths, no time of the build.

# The source and build folders stay out of the objects.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/= -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)

# The version details: resources/version.txt, each overridable per build
# (make launcher VERSION=1.2.3.4 ...); an empty override takes the default.
set(ov_version_keys PRODUCT_NAME FILE_DESCRIPTION VERSION PRODUCT_VERSION COPYRIGHT)
file(STRINGS ${CMAKE_SOURCE_DIR}/resources/version.txt ov_version_lines REGEX "^[A-Z_]+=")
foreach(line ${ov_version_lines})
  string(REGEX REPLACE "=.*" "" key "${line}")
  string(REGEX REPLACE "^[^=]*=" "" value "${line}")
  set(ov_default_${key} "${value}")
endforeach()
foreach(key ${ov_version_keys})
  set(OV_${key} "" CACHE STRING "Version detail ${key} (empty: resources/version.txt)")
  set(ov_${key} "${OV_${key}}")
  if(ov_${key} STREQUAL "")
    set(ov_${key} "${ov_default_${key}}")
  endif()
  # A double quote is written twice inside a resource script's string.
  string(REPLACE "\"" "\"\"" ov_${key}_rc "${ov_${key}}")
endforeach()
if(ov_PRODUCT_VERSION STREQUAL "")
  set(ov_PRODUCT_VERSION "${ov_VERSION}")
  set(ov_PRODUCT_VERSION_rc "${ov_VERSION_rc}")
endif()

# "1.2" as the four numbers of the fixed part: "1,2,0,0".
function(ov_version_numbers name version out)
  string(REPLACE "." ";" parts "${version}")
  list(LENGTH parts count)
  if(NOT version MATCHES "^[0-9]+(\\.[0-9]+)*$" OR count GREATER 4)
    message(FATAL_ERROR "${name} \"${version}\": give up to four numbers from 0 to 65535, separated by dots")
  endif()
  foreach(part ${parts})
    if(part GREATER 65535)
      message(FATAL_ERROR "${name} \"${version}\": ${part} is larger than 65535")
    endif()
  endforeach()
  while(count LESS 4)
    list(APPEND parts 0)
    math(EXPR count "${count} + 1")
  endwhile()
  string(JOIN "," numbers ${parts})
  set(${out} ${numbers} PARENT_SCOPE)
endfunction()
ov_version_numbers(VERSION "${ov_VERSION}" ov_file_version_numbers)
ov_version_numbers(PRODUCT_VERSION "${ov_PRODUCT_VERSION}" ov_product_version_numbers)
set(ov_product_name "${ov_PRODUCT_NAME_rc}")
set(ov_file_description "${ov_FILE_DESCRIPTION_rc}")
set(ov_file_version "${ov_VERSION_rc}")
set(ov_product_version "${ov_PRODUCT_VERSION_rc}")
set(ov_copyright "${ov_COPYRIGHT_rc}")

# The PE header and the export directory hold a time: SOURCE_DATE_EPOCH
# when the build names one, else 0; never the moment of the link.
set(OV_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}" CACHE STRING "Time in the launchers' headers (empty: 0)")
set(ov_epoch "${OV_SOURCE_DATE_EPOCH}")
if(ov_epoch STREQUAL "")
  set(ov_epoch 0)
elseif(NOT ov_epoch MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH \"${ov_epoch}\" is not a number of seconds")
endif()
# The execution level the manifest asks Windows for (make launcher
# EXECUTION_LEVEL=...); empty: requireAdministrator.
set(OV_EXECUTION_LEVEL "" CACHE STRING "requestedExecutionLevel of the manifest (empty: requireAdministrator)")
set(ov_execution_level "${OV_EXECUTION_LEVEL}")
if(ov_execution_level STREQUAL "")
  set(ov_execution_level requireAdministrator)
elseif(NOT ov_execution_level MATCHES "^(asInvoker|highestAvailable|requireAdministrator)$")
  message(FATAL_ERROR
    "EXECUTION_LEVEL \"${ov_execution_level}\": give asInvoker, highestAvailable or requireAdministrator")
endif()
# Whether the launcher waits for the next stage and exits with its exit code
# (make launcher WAIT_FOR_NEXT_STAGE=yes): a resource only such launchers
# carry, so the others keep their bytes.
set(OV_WAIT_FOR_NEXT_STAGE "" CACHE STRING "yes: wait for the next stage and exit with its exit code")
if(OV_WAIT_FOR_NEXT_STAGE STREQUAL "yes")
  set(ov_wait_resource "OVWAIT RCDATA { \"yes\" }")
elseif(OV_WAIT_FOR_NEXT_STAGE STREQUAL "" OR OV_WAIT_FOR_NEXT_STAGE STREQUAL "no")
  set(ov_wait_resource "")
else()
  message(FATAL_ERROR "WAIT_FOR_NEXT_STAGE \"${OV_WAIT_FOR_NEXT_STAGE}\": give yes or no")
endif()
configure_file(${CMAKE_SOURCE_DIR}/resources/launcher.manifest.in ${CMAKE_BINARY_DIR}/launcher.manifest @ONLY)
# The script names the time and the level too, so a new one relinks the launchers.
configure_file(${CMAKE_SOURCE_DIR}/resources/version.rc.in ${CMAKE_BINARY_DIR}/version.rc @ONLY)

# The release side of a launcher executable: the version resource and the
# manifest, and the chosen time for the linker (ld reads SOURCE_DATE_EPOCH).
function(ov_release_launcher target)
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/version.rc)
  set_source_files_properties(${CMAKE_BINARY_DIR}/version.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_BINARY_DIR}/launcher.manifest)
  get_target_property(launch ${target} RULE_LAUNCH_LINK)
  if(NOT launch)
    set(launch "")
  endif()
  set_target_properties(${target} PROPERTIES RULE_LAUNCH_LINK "env SOURCE_DATE_EPOCH=${ov_epoch} ${launch}")
endfunction()
