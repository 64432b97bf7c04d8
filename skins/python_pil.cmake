# Finds the interpreter and libraries the artwork tools run with: Debian's
# /usr/bin/python3 with python3-pil, and the DejaVu fonts the pieces and
# lettering are drawn from. Included by every folder that runs those tools.
include_guard(GLOBAL)

# Only the system interpreter: Debian's python3-pil is installed for it,
# not for any other python3 that may come first on PATH. The find-root
# path is ignored so that a cross-compiling toolchain file cannot hide it.
find_program(QUORVANE_PYTHON3 NAMES python3 PATHS /usr/bin
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT QUORVANE_PYTHON3)
  message(FATAL_ERROR
    "The artwork tools need /usr/bin/python3: install the Debian package python3.")
endif()

execute_process(
  COMMAND "${QUORVANE_PYTHON3}" -c "import PIL.Image, PIL.ImageFont"
  RESULT_VARIABLE _quorvane_pil_result
  OUTPUT_QUIET ERROR_QUIET)
if(NOT _quorvane_pil_result EQUAL 0)
  message(FATAL_ERROR
    "${QUORVANE_PYTHON3} cannot import PIL: install the Debian package python3-pil.")
endif()

set(QUORVANE_ART_FONTS
  /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf)
foreach(_quorvane_font IN LISTS QUORVANE_ART_FONTS)
  if(NOT EXISTS "${_quorvane_font}")
    message(FATAL_ERROR
      "${_quorvane_font} is missing: install the Debian package fonts-dejavu-core.")
  endif()
endforeach()
