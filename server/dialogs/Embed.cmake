# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the compiled dialog templates (server/dialogs/*.res) into the test
# server as byte arrays, so that it needs no files at run time. Changing a
# .res file reconfigures. Sets VCX_DIALOG_FILES_SOURCE to the generated file.
file(GLOB vcx_dialog_res CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.res)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${vcx_dialog_res})
set(vcx_dialog_arrays "")
set(vcx_dialog_rows "")
set(vcx_dialog_index 0)
foreach(res IN LISTS vcx_dialog_res)
  get_filename_component(name ${res} NAME_WE)
  file(READ ${res} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND vcx_dialog_arrays
         "const std::uint8_t kFile${vcx_dialog_index}[] = {${bytes}};\n")
  string(APPEND vcx_dialog_rows "    {\"${name}\", kFile${vcx_dialog_index}},\n")
  math(EXPR vcx_dialog_index "${vcx_dialog_index} + 1")
endforeach()
set(VCX_DIALOG_FILES_SOURCE ${CMAKE_CURRENT_BINARY_DIR}/DialogFiles.cpp)
file(CONFIGURE OUTPUT ${VCX_DIALOG_FILES_SOURCE} @ONLY CONTENT
"// Generated from server/dialogs/*.res by server/dialogs/Embed.cmake.
#include \"DialogFiles.h\"

namespace {
@vcx_dialog_arrays@
const DialogFiles::File kFiles[] = {
@vcx_dialog_rows@};
}  // namespace

std::span<const DialogFiles::File> DialogFiles::All() {
    return kFiles;
}
")
