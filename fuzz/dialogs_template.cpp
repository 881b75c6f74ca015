// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// Arbitrary bytes as a server dialog's template: read directly, and again
// after travelling as datagram characters into a buffer of an announced
// size. Whatever the parser accepts must lie inside the bytes it was given.
// The same bytes as an answer template must never gain a line break from
// the controls' texts.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/DialogAnswer.h"
#include "dialogs/DialogBytes.h"
#include "dialogs/DialogTemplate.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void ParseAndCheck(std::span<const std::uint8_t> bytes) {
    std::vector<SResourceEntry> entries;
    if (CDialogTemplate::ReadEntries(bytes, entries) == DialogTemplateError::None) {
        std::size_t previous = 0;
        for (const SResourceEntry& e : entries) {
            Check(e.dataOffset >= previous && e.dataOffset + e.dataSize <= e.end &&
                  e.end <= bytes.size());
            Check(e.end % 4 == 0 && e.end > previous);
            previous = e.end;
        }
    }
    CDialogTemplate t;
    if (CDialogTemplate::Parse(bytes, t) != DialogTemplateError::None) return;
    std::size_t held = t.title.size() * 2 + t.face.size() * 2;
    for (const SDialogItem& item : t.items)
        held += item.creationData.size() + item.title.text.size() * 2 +
                item.windowClass.text.size() * 2;
    Check(held <= bytes.size());
    for (const SDialogInitEntry& e : t.initEntries)
        Check(e.controlId != 0 && e.data.size() <= bytes.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    ParseAndCheck(bytes);

    // The first byte picks how much of the announced size actually arrives.
    if (size > 0) {
        const std::string_view chars(reinterpret_cast<const char*>(data + 1), size - 1);
        CDialogBytes buffer(static_cast<std::uint32_t>(data[0]) * 4);
        const CDialogBytes::AppendResult r = buffer.Append(chars);
        Check(buffer.Buffer().size() == std::size_t{data[0]} * 4);
        Check(buffer.WritePosition() + r.dropped == (chars.size() + 1) / 2);
        ParseAndCheck(buffer.Buffer());
    }

    const std::string_view tmpl(reinterpret_cast<const char*>(data), size);
    SDialogValues values;
    values.texts = {"", "a\nb", "c\r\n", "%1s"};
    values.checks = {0, 1};
    values.listSelections = {0, 65535};
    values.comboSelections = {0, 3};
    const SDialogAnswer answer = FormatDialogAnswer(tmpl, values);
    Check(std::count(answer.text.begin(), answer.text.end(), '\n') <=
          std::count(tmpl.begin(), tmpl.end(), '\n'));
    Check(std::count(answer.text.begin(), answer.text.end(), '\r') <=
          std::count(tmpl.begin(), tmpl.end(), '\r'));
    return 0;
}
