// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A name or number as compiled dialog resources store it: nothing, a 16-bit
// ordinal, or a UTF-16 text.
struct SResourceId {
    enum class Kind { None, Ordinal, Text };
    Kind kind = Kind::None;
    std::uint16_t ordinal = 0;
    std::u16string text;
};

enum class DialogControlClass : std::uint16_t {
    Button = 0x0080,
    Edit = 0x0081,
    Static = 0x0082,
    ListBox = 0x0083,
    ScrollBar = 0x0084,
    ComboBox = 0x0085,
};

struct SDialogItem {
    std::uint32_t helpId = 0;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    std::uint32_t id = 0;
    SResourceId windowClass;  // an ordinal is one of DialogControlClass
    SResourceId title;
    std::vector<std::uint8_t> creationData;
};

// One initial string of a list or combo box. The bytes are Windows-1252,
// up to (not including) their terminating zero.
struct SDialogInitEntry {
    std::uint16_t controlId = 0;
    std::uint16_t message = 0;  // e.g. kListBoxAddString
    std::string data;
};

// One entry of the compiled resource sequence: where its data lies.
struct SResourceEntry {
    SResourceId type;
    SResourceId name;
    std::size_t dataOffset = 0;
    std::size_t dataSize = 0;
    std::size_t end = 0;  // offset of the next entry
};

enum class DialogTemplateError {
    None,
    Truncated,       // a size or a field runs past the end of the bytes
    BadEntryHeader,  // a resource header too small for its own fields
    Misaligned,      // a resource header whose size is not a multiple of 4
    NoDialog,        // no dialog template among the entries
    BadItemCount,    // more controls than the template's bytes can hold
    BadInitData,     // dialog-initialisation data cut inside an entry
};

// A dialog template sent by the server as compiled resource entries:
// the dialog (type 5) and the list and combo boxes' initial strings
// (type 240). Both the classic and the extended template are read.
class CDialogTemplate {
  public:
    static constexpr std::uint16_t kTypeDialog = 5;
    static constexpr std::uint16_t kTypeDialogInit = 240;
    static constexpr std::uint32_t kStyleSetFont = 0x40;
    static constexpr std::uint16_t kListBoxAddString = 0x0180;
    static constexpr std::uint16_t kComboBoxAddString = 0x0143;

    // Refuses anything malformed; never reads outside `bytes`.
    static DialogTemplateError Parse(std::span<const std::uint8_t> bytes, CDialogTemplate& out);
    static DialogTemplateError ReadEntries(std::span<const std::uint8_t> bytes,
                                           std::vector<SResourceEntry>& out);
    static const char* ErrorText(DialogTemplateError error);

    bool extended = false;
    std::uint32_t helpId = 0;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    SResourceId menu;
    SResourceId windowClass;
    std::u16string title;
    bool hasFont = false;
    std::uint16_t pointSize = 0;
    std::uint16_t weight = 0;
    bool italic = false;
    std::uint8_t charset = 0;
    std::u16string face;
    std::vector<SDialogItem> items;
    std::vector<SDialogInitEntry> initEntries;
};
