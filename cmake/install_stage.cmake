# The install tree staged in the build folder, made by `cmake --install` from the install rules:
# the setup program and the Wine prefixes of the tests and scripts/run.sh are filled from it, so
# they hold exactly what the rules install, where the layout puts it.
#
# Gives: target quorvane_stage; variables QUORVANE_STAGE_DIR (the staged tree) and
# QUORVANE_STAGE_NSH (its file list as NSIS macros, rewritten only when a file changes).
set(QUORVANE_STAGE_DIR "${CMAKE_BINARY_DIR}/stage")
set(QUORVANE_STAGE_NSH "${CMAKE_BINARY_DIR}/stage_files.nsh")
add_custom_target(quorvane_stage ALL
    # Afresh each time, so that a file no rule installs any more leaves the tree.
    COMMAND "${CMAKE_COMMAND}" -E rm -rf "${QUORVANE_STAGE_DIR}"
    COMMAND "${CMAKE_COMMAND}" --install "${CMAKE_BINARY_DIR}" --prefix "${QUORVANE_STAGE_DIR}"
    COMMAND "${CMAKE_COMMAND}" "-DSTAGE=${QUORVANE_STAGE_DIR}" "-DOUTPUT=${QUORVANE_STAGE_NSH}"
            "-DSYSTEM_DIR=${QUORVANE_INSTALL_SYSTEM_DIR}"
            "-DPROGRAM_DIR=${QUORVANE_INSTALL_PROGRAM_DIR}"
            -P "${CMAKE_CURRENT_LIST_DIR}/write_stage_nsh.cmake"
    BYPRODUCTS "${QUORVANE_STAGE_NSH}"
    COMMENT "Staging the install tree in ${QUORVANE_STAGE_DIR}"
    VERBATIM)
# Every target an install rule installs; `cmake --install` needs them built.
add_dependencies(quorvane_stage Quorvane quorvane_skins)
