# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kordane developers
#
# Fails when a C++ file is not formatted as the committed .clang-format
# says. The files are listed when the test runs, so a new file is checked
# without a new cmake run.
#
#   cmake -DCLANG_FORMAT=... -DSOURCE_DIR=... -P FormatClean.cmake
if(NOT CLANG_FORMAT)
  message(FATAL_ERROR "clang-format was not found when the build was configured; "
                      "scripts/install-deps installs it")
endif()

set(globs "")
foreach(folder src server tools tests bench fuzz)
  list(APPEND globs "${SOURCE_DIR}/${folder}/*.cpp" "${SOURCE_DIR}/${folder}/*.h")
endforeach()
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${SOURCE_DIR}" ${globs})
list(SORT files)
list(LENGTH files count)
if(count EQUAL 0)
  message(FATAL_ERROR "no C++ files found under ${SOURCE_DIR}")
endif()

execute_process(COMMAND "${CLANG_FORMAT}" --dry-run -Werror ${files}
                WORKING_DIRECTORY "${SOURCE_DIR}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "clang-format would change the files above; run "
                      "clang-format -i on them (the committed .clang-format applies)")
endif()
message(STATUS "${count} files formatted as .clang-format says")
