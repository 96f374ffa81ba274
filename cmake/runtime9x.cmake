# The i686 build's Pentium-clean runtime (scripts/runtime9x.sh, docs/processor.md): Debian's
# prebuilt unwinder, libsupc++, std::map's tree and mingw-w64 start-up are compiled for i686 and
# contain cmov; the script rebuilds them from Debian's sources with -march=pentium.
#
# vireo_runtime9x(target...) makes each target link the rebuilt pieces instead of the prebuilt
# ones:
#  - libruntime9x.a is linked whole, so that every symbol it defines is defined before the linker
#    searches the toolchain's archives (libstdc++, libgcc_eh, libmingw32): their members with the
#    same symbols are then never taken (a member that still were would clash at link time);
#  - -B puts the folder with the rebuilt crt2.o first in the driver's search for start files.
# Each target also writes a link map, <target>.map, that `scripts/runtime9x.sh --map` checks.

set(VIREO_RUNTIME9X_DIR "${CMAKE_BINARY_DIR}/runtime9x")
set(VIREO_RUNTIME9X_LIB "${VIREO_RUNTIME9X_DIR}/libruntime9x.a")
set(VIREO_RUNTIME9X_CRT2 "${VIREO_RUNTIME9X_DIR}/crt/crt2.o")

add_custom_command(
  OUTPUT "${VIREO_RUNTIME9X_LIB}" "${VIREO_RUNTIME9X_CRT2}"
  COMMAND ${CMAKE_COMMAND} -E env "VIREO_RUNTIME9X_DIR=${VIREO_RUNTIME9X_DIR}"
          bash "${CMAKE_SOURCE_DIR}/scripts/runtime9x.sh"
  DEPENDS "${CMAKE_SOURCE_DIR}/scripts/runtime9x.sh"
  COMMENT "Building the Pentium runtime (scripts/runtime9x.sh)"
  VERBATIM)
add_custom_target(runtime9x DEPENDS "${VIREO_RUNTIME9X_LIB}" "${VIREO_RUNTIME9X_CRT2}")

function(vireo_runtime9x)
  foreach(target ${ARGN})
    add_dependencies(${target} runtime9x)
    target_link_options(${target} PRIVATE "-B${VIREO_RUNTIME9X_DIR}/crt/"
      "SHELL:-Wl,--whole-archive \"${VIREO_RUNTIME9X_LIB}\" -Wl,--no-whole-archive"
      "-Wl,-Map,$<TARGET_FILE_DIR:${target}>/${target}.map")
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS
      "${VIREO_RUNTIME9X_LIB}" "${VIREO_RUNTIME9X_CRT2}")
  endforeach()
endfunction()
