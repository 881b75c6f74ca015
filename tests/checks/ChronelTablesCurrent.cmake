# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kordane developers
#
# Reruns kd-chronel-tables on the committed sample and compares what it
# writes with the committed tables and the tables appendix of
# docs/chronel.md. The tables are the wire format, so a hand edit, a changed
# sample or a changed tool that was not followed by a regeneration must not
# go unnoticed.
#
#   cmake -DTOOL=... -DSOURCE_DIR=... -DWORK_DIR=... -P ChronelTablesCurrent.cmake
foreach(var TOOL SOURCE_DIR WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "ChronelTablesCurrent.cmake needs -D${var}=...")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
# The tool rewrites the appendix in place, so it gets a copy of the document.
file(COPY "${SOURCE_DIR}/docs/chronel.md" DESTINATION "${WORK_DIR}")

execute_process(
  COMMAND "${TOOL}" "${SOURCE_DIR}/tests/data/chronel/server-sample.txt" "${WORK_DIR}"
          "${WORK_DIR}/chronel.md"
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "kd-chronel-tables failed (${status}):\n${output}")
endif()

set(stale "")
foreach(pair "src/net/ChronelTables.h;ChronelTables.h" "src/net/ChronelTables.cpp;ChronelTables.cpp"
             "docs/chronel.md;chronel.md")
  list(GET pair 0 committed)
  list(GET pair 1 generated)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${SOURCE_DIR}/${committed}"
                          "${WORK_DIR}/${generated}" RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    list(APPEND stale "${committed}")
    # The diff helps when it is there; the verdict does not depend on it.
    execute_process(COMMAND diff -u "${SOURCE_DIR}/${committed}" "${WORK_DIR}/${generated}")
  endif()
endforeach()

if(stale)
  list(JOIN stale ", " stale)
  message(FATAL_ERROR
    "not what kd-chronel-tables makes of tests/data/chronel/server-sample.txt: ${stale}. "
    "Regenerate from the repository root with: build/tools/kd-chronel-tables "
    "tests/data/chronel/server-sample.txt src/net docs/chronel.md")
endif()
