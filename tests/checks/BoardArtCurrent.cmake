# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kordane developers
#
# Reruns kd-piece-art and kd-board-textures into a scratch folder and
# compares every file they write with the committed one under res/. The
# client compiles these files in, so a hand edit, or a changed tool that was
# not followed by a regeneration, must not go unnoticed.
#
#   cmake -DPIECE_TOOL=... -DTEXTURE_TOOL=... -DSOURCE_DIR=... -DWORK_DIR=... -P BoardArtCurrent.cmake
cmake_minimum_required(VERSION 3.25)
foreach(var PIECE_TOOL TEXTURE_TOOL SOURCE_DIR WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "BoardArtCurrent.cmake needs -D${var}=...")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
foreach(tool "${PIECE_TOOL}" "${TEXTURE_TOOL}")
  execute_process(COMMAND "${tool}" "${WORK_DIR}" RESULT_VARIABLE status OUTPUT_VARIABLE output
                  ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${tool} failed (${status}):\n${output}")
  endif()
endforeach()

file(GLOB_RECURSE generated RELATIVE "${WORK_DIR}" "${WORK_DIR}/*")
file(GLOB_RECURSE committed RELATIVE "${SOURCE_DIR}/res"
     "${SOURCE_DIR}/res/pieces/*" "${SOURCE_DIR}/res/textures/*" "${SOURCE_DIR}/res/cursors/*")
if(NOT generated)
  message(FATAL_ERROR "the art tools wrote nothing into ${WORK_DIR}")
endif()
set(stale "")
foreach(file ${generated})
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${SOURCE_DIR}/res/${file}"
                          "${WORK_DIR}/${file}" RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    list(APPEND stale "res/${file}")
  endif()
endforeach()
# A committed file the tools no longer write would still be compiled in.
foreach(file ${committed})
  if(NOT file IN_LIST generated)
    list(APPEND stale "res/${file} (not written by the tools)")
  endif()
endforeach()

if(stale)
  list(JOIN stale ", " stale)
  message(FATAL_ERROR
    "not what the art tools make: ${stale}. Regenerate from the repository root with: "
    "build/tools/kd-piece-art res && build/tools/kd-board-textures res")
endif()
